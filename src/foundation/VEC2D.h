// VEC2D: an integer 2D point with a colour, and the rotation every vector
// drawing relies on. Coordinate arithmetic wraps in 32 bits; angles are
// 1024ths of a turn.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"

struct VEC2D {
    std::int32_t x, y;
    std::uint32_t colour;   // 0x00RRGGBB; 0xFFFFFF at creation
};

extern const MODID VEC2D_ID;
extern std::uint8_t VEC2D_debug;   // 0 at start; nothing sets it

VEC2D* VEC2D_new(std::int32_t x = 0, std::int32_t y = 0);   // colour 0xFFFFFF; null after VEC2D_error
void VEC2D_free(VEC2D** v);                           // frees, stores null
bool VEC2D_equal(const VEC2D* a, const VEC2D* b);     // x, y and colour
void VEC2D_copy(const VEC2D* src, VEC2D* dst);        // x, y and colour
VEC2D* VEC2D_clone(const VEC2D* v);                   // null after VEC2D_error
void VEC2D_plot(const VEC2D* v, IMG* image);          // IMG_putPixel, clipped
void VEC2D_add(const VEC2D* a, VEC2D* b);             // b += a (the second point changes)
void VEC2D_sub(VEC2D* a, const VEC2D* b);             // a -= b (the first point changes)
void VEC2D_negate(VEC2D* v);
void VEC2D_multiply(VEC2D* v, std::int32_t k);
void VEC2D_divide(VEC2D* v, std::int32_t k);          // truncates toward zero; k = 0 is an error, v unchanged
void VEC2D_scale(VEC2D* v, const VEC2D* w);           // x *= w->x, y *= w->y
std::int32_t VEC2D_dx(const VEC2D* a, const VEC2D* b);          // a->x - b->x
std::int32_t VEC2D_dy(const VEC2D* a, const VEC2D* b);          // a->y - b->y
std::int32_t VEC2D_lengthSquared(const VEC2D* v);               // x*x + y*y in 32 bits; -1 for null
void VEC2D_rotate(VEC2D* v, std::int32_t angle);                // about the origin; 0 changes nothing
// Plots v rotated by angle and moved by offset, in v's colour; v is unchanged.
void VEC2D_plotRotated(const VEC2D* v, std::int32_t angle, const VEC2D* offset, IMG* image);
void VEC2D_error();                                   // "VEC2D error\n" while VEC2D_debug != 0
