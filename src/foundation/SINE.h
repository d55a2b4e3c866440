// SINE: the shared sine table. Angles are 1024ths of a turn; sine of a is
// SINE_table[a & SINE_MASK], cosine SINE_table[(a + 256) & SINE_MASK], scaled
// to a radius r by (entry * r) >> 15.
#pragma once
#include <cstdint>

#include "foundation/INT.h"
#include "foundation/MODID.h"

extern const MODID SINE_ID;
inline constexpr std::int32_t SINE_SIZE = 1024;   // entries in one turn
inline constexpr std::int32_t SINE_MASK = 1023;   // index mask

extern std::uint8_t SINE_debug;   // 0 at start; nothing sets it

// 1024 entries, then zero entries: index 1024 reads 0, like index 0.
extern const std::int16_t* const SINE_table;

// The entry of angle a, any value (the index is masked).
inline std::int32_t SINE_at(std::uint32_t a) { return SINE_table[a & INT_u(SINE_MASK)]; }
inline std::int32_t SINE_at(std::int32_t a) { return SINE_at(INT_u(a)); }
// (entry * r) >> 15 with the product wrapping in 32 bits.
inline std::int32_t SINE_scale(std::int32_t a, std::int32_t r) { return INT_mul(SINE_at(a), r) >> 15; }

void SINE_error();   // "SINE error\n" while SINE_debug != 0
