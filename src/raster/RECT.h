// RECT: a rectangle given by two opposite corners, both inclusive, and a
// colour; plus the clipped span helpers the raster bars paint with.
// Owns its corner segment.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"
#include "vector/SEG2D.h"

struct RECT {
    SEG2D* corners;        // owned; start and end are opposite corners, (0, 0) and (255, 255) at creation
    std::uint32_t colour;  // 0xFFFFFF at creation
};

extern const MODID RECT_ID;
extern std::uint8_t RECT_debug;   // 0 at start; nothing sets it

RECT* RECT_new();                                   // null after RECT_error
void RECT_free(RECT** rect);                        // frees the corners, stores null
bool RECT_equal(const RECT* a, const RECT* b);      // corners and colour
void RECT_copy(const RECT* src, RECT* dst);         // corners and colour
RECT* RECT_clone(const RECT* rect);                 // null after RECT_error

// Drawing, clipped; width and height are end - start + 1, so reversed corners
// flip the rectangle onto the other side of its start corner.
void RECT_draw(const RECT* rect, IMG* image);                         // IMG_drawRect
void RECT_fill(const RECT* rect, IMG* image);                         // IMG_fillRect
void RECT_fillBlend(const RECT* rect, IMG* image, std::int32_t alpha); // IMGFX_blendRect, alpha 0..256
bool RECT_overlap(const RECT* a, const RECT* b);                      // bounding boxes touch or overlap
void RECT_normalize(RECT* rect);                                      // start <= end in x and in y

// Spans x0..x1 of row y (or y0..y1 of column x), clipped; no swap: x0 > x1
// draws nothing. Note the colour comes second.
void RECT_hSpan(IMG* image, std::uint32_t colour, std::int32_t y, std::int32_t x0, std::int32_t x1);
void RECT_vSpan(IMG* image, std::uint32_t colour, std::int32_t x, std::int32_t y0, std::int32_t y1);
void RECT_blendHSpan(IMG* image, std::uint32_t colour, std::int32_t y, std::int32_t x0, std::int32_t x1,
                     std::int32_t alpha);   // RGB888_blend (old pixel, colour, alpha) per pixel

void RECT_error();   // "RECT error\n" while RECT_debug != 0
