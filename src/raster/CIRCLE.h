// CIRCLE: a circle record (centre, radius, colour) drawn as an outline, a
// disc, or a disc blended row by row with every row touched exactly once.
// Owns its centre point.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "foundation/VEC2D.h"
#include "raster/IMG.h"

struct CIRCLE {
    VEC2D* centre;         // owned; (0, 0) at creation
    std::int32_t radius;   // 1 at creation; a negative radius is used as its absolute value
    std::uint32_t colour;  // 0xFFFFFF at creation
};

extern const MODID CIRCLE_ID;
extern std::uint8_t CIRCLE_debug;   // 0 at start; nothing sets it

CIRCLE* CIRCLE_new();                                   // null after CIRCLE_error
void CIRCLE_free(CIRCLE** circle);                      // frees the centre, stores null
bool CIRCLE_equal(const CIRCLE* a, const CIRCLE* b);    // centre, colour and radius
void CIRCLE_copy(const CIRCLE* src, CIRCLE* dst);       // centre, radius and colour
CIRCLE* CIRCLE_clone(const CIRCLE* circle);             // null after CIRCLE_error

// Drawing, clipped.
void CIRCLE_drawSine(const CIRCLE* circle, IMG* image);   // IMG_drawCircleSine; nothing when radius < 1
void CIRCLE_draw(const CIRCLE* circle, IMG* image);       // IMG_drawCircle
void CIRCLE_fill(const CIRCLE* circle, IMG* image);       // IMG_fillCircle
void CIRCLE_fillBlend(const CIRCLE* circle, IMG* image, std::int32_t alpha);   // IMGFX_blendHLine per row, once each; radius 0 blends nothing
bool CIRCLE_overlap(const CIRCLE* a, const CIRCLE* b);    // (ra + rb)^2 >= distance^2, exact

void CIRCLE_error();   // "CIRCLE error\n" while CIRCLE_debug != 0
