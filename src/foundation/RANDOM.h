// RANDOM: the program's random sources. RANDOM_rand15 is a linear
// congruential generator on one global 32-bit seed (multiply by 214013, add
// 2531011, keep bits 16..30 of the new seed); RANDOM_random30 joins two draws. The generator
// record offers further update rules, all in wrapping 32-bit arithmetic.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"

struct RANDOM {
    std::uint32_t step;     // 0x12345678 at creation; +1 on every update
    std::uint32_t factor;   // 33141 at creation
    std::uint32_t spread;   // 0xA5A5A5A5 at creation
    std::uint32_t state;    // 1 at creation; the value returned
};

extern const MODID RANDOM_ID;
extern std::uint8_t RANDOM_debug;   // 0 at start; nothing sets it
extern std::uint32_t RANDOM_seed;   // global seed of RANDOM_rand15; the driver sets 273880913

void RANDOM_srand(std::uint32_t seed);   // sets RANDOM_seed
std::int32_t RANDOM_rand15();            // seed = seed * 214013 + 2531011; 0..32767
std::int32_t RANDOM_random30();          // (rand15 << 15) | rand15, first draw high; 0..0x3FFFFFFF
inline std::uint32_t RANDOM_random30u() { return static_cast<std::uint32_t>(RANDOM_random30()); }  // the same draw, unsigned

RANDOM* RANDOM_new();                    // null after RANDOM_error if memory runs out
void RANDOM_free(RANDOM** random);       // frees, stores null
std::uint32_t RANDOM_nextMul(RANDOM* random);      // the rule the demo uses
std::uint32_t RANDOM_nextAdd(RANDOM* random);
std::uint32_t RANDOM_nextDouble(RANDOM* random);
std::uint32_t RANDOM_nextSquare(RANDOM* random);
std::uint32_t RANDOM_nextFold(RANDOM* random);
std::uint32_t RANDOM_nextSpread(RANDOM* random);
std::uint32_t RANDOM_nextAddMul(RANDOM* random);
void RANDOM_error();                     // "RANDOM error\n" while RANDOM_debug != 0
