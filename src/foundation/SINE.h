// SINE: the shared sine table. Angles are 1024ths of a turn; sine of a is
// SINE_table[a & SINE_MASK], cosine SINE_table[(a + 256) & SINE_MASK], scaled
// to a radius r by (entry * r) >> 15.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"

extern const MODID SINE_ID;
inline constexpr std::int32_t SINE_SIZE = 1024;   // entries in one turn
inline constexpr std::int32_t SINE_MASK = 1023;   // index mask

extern std::uint8_t SINE_debug;   // 0 at start; nothing sets it

// 1024 entries, then zero entries: index 1024 reads 0, like index 0.
extern const std::int16_t* const SINE_table;

void SINE_error();   // "SINE error\n" while SINE_debug != 0
