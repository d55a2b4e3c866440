// SEG2D: a line segment between two coloured points. The start point's colour
// is the colour the segment is drawn in. Owns both points.
// Coordinate arithmetic wraps in 32 bits; angles are 1024ths of a turn.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "foundation/VEC2D.h"
#include "raster/IMG.h"

struct SEG2D {
    VEC2D* start;   // owned; (0, 0), colour 0xFFFFFF at creation
    VEC2D* end;     // owned; (1, 1), colour 0xFFFFFF at creation
};

extern const MODID SEG2D_ID;
extern std::uint8_t SEG2D_debug;   // 0 at start; nothing sets it

SEG2D* SEG2D_new();                                    // null after SEG2D_error
void SEG2D_free(SEG2D** seg);                          // frees both points, stores null
bool SEG2D_equal(const SEG2D* a, const SEG2D* b);      // x, y and colour of both ends
void SEG2D_copy(const SEG2D* src, SEG2D* dst);         // x, y and colour of both ends
SEG2D* SEG2D_clone(const SEG2D* src);                  // null after SEG2D_error

void SEG2D_draw(const SEG2D* seg, IMG* image);         // IMG_drawLine in the start colour
void SEG2D_plot(const SEG2D* seg, IMG* image);         // both ends, each in its own colour
void SEG2D_drawAverage(const SEG2D* seg, IMG* image);  // IMGFX_averageLine, start colour
void SEG2D_drawAdd(const SEG2D* seg, IMG* image);      // IMGFX_addLine, start colour
// A copy rotated about the origin, then moved by offset; seg is unchanged.
void SEG2D_drawRotated(const SEG2D* seg, std::int32_t angle, const VEC2D* offset, IMG* image);

void SEG2D_rotate(SEG2D* seg, std::int32_t angle);        // about the origin; 0 changes nothing
void SEG2D_translate(SEG2D* seg, const VEC2D* offset);    // adds offset's x and y to both ends
void SEG2D_multiply(SEG2D* seg, std::int32_t factor);     // both coordinates of both ends
void SEG2D_scale(SEG2D* seg, const VEC2D* factors);       // x by factors->x, y by factors->y

// Tests; 1 or 0, and 0 after SEG2D_error on a null argument.
std::int32_t SEG2D_boxesOverlap(const SEG2D* a, const SEG2D* b);   // bounding boxes, touching counts
std::int32_t SEG2D_rangesOverlap(const SEG2D* a, const SEG2D* b);  // x and y intervals, inclusive
std::int32_t SEG2D_intersects(const SEG2D* a, const SEG2D* b);     // 24.8 fixed-point line crossing

void SEG2D_error();   // "SEG2D error\n" while SEG2D_debug != 0
