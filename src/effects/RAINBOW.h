// RAINBOW: the 1536-entry colour wheel (green, cyan, blue, magenta, red,
// yellow, back to green; 256 steps each) as a new SAMPLE of colour words.
#pragma once
#include <cstdint>

#include "audio/SAMPLE.h"
#include "foundation/MODID.h"

inline constexpr std::int32_t RAINBOW_SIZE = 1536;

extern const MODID RAINBOW_ID;
extern std::uint8_t RAINBOW_debug;   // 0 at start; nothing sets it

SAMPLE* RAINBOW_new();   // 1536 colour words, owned by the caller (SAMPLE_free); null after RAINBOW_error
void RAINBOW_error();    // "RAINBOW error\n" while RAINBOW_debug != 0
