// LSTAR: a star outline zig-zagging between the ray ends of two LRADIAL
// rings about the star's own centre. Owns both rings.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"
#include "vector/LRADIAL.h"

struct LSTAR {
    std::int32_t centerX, centerY;   // (128, 128)
    std::int32_t width, height;      // 256 x 256
    LRADIAL* inner;                  // ring A: owned; lines from it are in its colour
    LRADIAL* outer;                  // ring B: owned; half a ray step ahead of A
};

extern const MODID LSTAR_ID;
extern std::uint8_t LSTAR_debug;   // 0 at start; nothing sets it

LSTAR* LSTAR_new();                // 8 points, each ring with its own random radius and colour; null after LSTAR_error
void LSTAR_free(LSTAR** star);     // frees both rings and the record, stores null
void LSTAR_setPoints(LSTAR* star, std::int32_t n);   // n > 0; B placed half a step ahead of A again
void LSTAR_rotate(LSTAR* star);    // LRADIAL_rotate on both rings
void LSTAR_draw(const LSTAR* star, IMG* image);      // IMG_drawLine, clipped
void LSTAR_drawThick(const LSTAR* star, IMG* image, std::int32_t lineWidth);   // IMGFX_thickLine
void LSTAR_error();                // "LSTAR error\n" while LSTAR_debug != 0
