// IMGFX: the effect library's image operations; for now the horizontal glow
// and blur post-filters that the frame is presented through. Owns nothing.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"

extern const MODID IMGFX_ID;
extern std::uint8_t IMGFX_debug;          // 0 at start; nothing sets it

// Post-filters: src read as 0 outside, dst pixels outside dst dropped. Every
// row is worked right to left, bottom row first; src may be dst.
void IMGFX_blurH5(const IMG* src, IMG* dst);                        // 1-1-4-1-1 over 8 along the row
void IMGFX_glowH3(const IMG* src, IMG* dst, std::int32_t shift);    // c + (left >> shift) + (right >> shift), max 255; shift below 0 counts as 0

void IMGFX_error();                  // "IMGFX error\n" while IMGFX_debug != 0
