// IMGFX: the effect library's drawing primitives and image-to-image operations.
// Lines, spans, blended circles and rectangles with the mixing rules (50 %
// average, saturating add, blend in 1/256 steps), compositing blits, collision,
// and the glow, blur, mosaic, edge, mirror and scroll filters. Owns nothing.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"

extern const MODID IMGFX_ID;
extern std::uint8_t IMGFX_debug;          // 0 at start; nothing sets it

// Lines. Points go through IMG_putPixel, so a null image is reported by IMG.
void IMGFX_line(IMG* img, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::uint32_t colour);   // both ends included
void IMGFX_thickLine(IMG* img, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::uint32_t colour, std::int32_t width);   // silent on null or width < 1
void IMGFX_gradientLine(IMG* img, std::int32_t x1, std::int32_t y1, std::uint32_t colour1, std::int32_t x2, std::int32_t y2, std::uint32_t colour2);   // dithered ramp, first point colour1
void IMGFX_thickGradientLine(IMG* img, std::int32_t x1, std::int32_t y1, std::uint32_t colour1, std::int32_t x2, std::int32_t y2, std::uint32_t colour2, std::int32_t width);   // silent on null or width < 1

// Mixing pixel writes and two-ended lines; points outside are skipped.
void IMGFX_averagePixel(IMG* img, std::int32_t x, std::int32_t y, std::uint32_t colour);   // (old + new) >> 1 per channel
void IMGFX_averageLine(IMG* img, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::uint32_t colour);   // even length: middle mixed twice
void IMGFX_addPixel(IMG* img, std::int32_t x, std::int32_t y, std::uint32_t colour);       // min(255, old + new) per channel
void IMGFX_addLine(IMG* img, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::uint32_t colour);       // even length: middle added twice

// Spans, clipped; ends in either order.
void IMGFX_hLine(IMG* img, std::int32_t y, std::int32_t x1, std::int32_t x2, std::uint32_t colour);
void IMGFX_vLine(IMG* img, std::int32_t x, std::int32_t y1, std::int32_t y2, std::uint32_t colour);
void IMGFX_blendHLine(IMG* img, std::int32_t y, std::int32_t x1, std::int32_t x2, std::uint32_t colour, std::int32_t alpha);   // alpha 0..256
void IMGFX_blendVLine(IMG* img, std::int32_t x, std::int32_t y1, std::int32_t y2, std::uint32_t colour, std::int32_t alpha);   // alpha 0..256

// Filled shapes, clipped. A negative w or h extends left of x or above y.
void IMGFX_blendCircle(IMG* img, std::int32_t cx, std::int32_t cy, std::int32_t r, std::uint32_t colour, std::int32_t alpha);   // |r|; rows overlap toward the poles
void IMGFX_fillRect(IMG* img, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour);
void IMGFX_blendRect(IMG* img, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour, std::int32_t alpha);   // alpha 0..256
void IMGFX_shadeRect(IMG* img, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour, std::int32_t alpha);   // by RGB888_blend(old, colour, alpha)

// Compositing. Positioned images use their x, y as the top-left corner in the other image.
void IMGFX_drawAverage(const IMG* src, IMG* dst);   // positioned src, 0 transparent, each channel (d >> 1) + (s >> 1)
void IMGFX_addRect(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h);   // saturating per channel, clipped
void IMGFX_copyRectOnKey(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h, std::uint32_t key);   // writes where dst word == key
void IMGFX_averageRect(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h);   // as drawAverage, clipped block
void IMGFX_scatter(IMG* dst, const IMG* src, std::int32_t count);   // count RANDOM_rand15 pairs; non-zero src pixels copied to src.x + px, src.y + py
bool IMGFX_collide(const IMG* a, const IMG* b);       // positioned; a non-zero pixel of both at one place
bool IMGFX_boxesOverlap(const IMG* a, const IMG* b);  // positioned; touching counts
void IMGFX_replaceColour(IMG* img, std::uint32_t from, std::uint32_t to);   // whole-word compare
void IMGFX_invert(IMG* img);                           // (NOT p) AND 0xFFFFFF

// Further shapes.
void IMGFX_xorRect(IMG* img, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour);   // clipped like fillRect
void IMGFX_invertRect(IMG* img, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);   // NOT p, top byte included
void IMGFX_outlineRect(IMG* img, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour);   // only when wholly inside, else nothing
void IMGFX_colourLine(IMG* img, std::int32_t x1, std::int32_t y1, std::uint32_t colour1, std::int32_t x2, std::int32_t y2, std::uint32_t colour2);      // linear c1..c2, ends exact; length 0: c1
void IMGFX_addColourLine(IMG* img, std::int32_t x1, std::int32_t y1, std::uint32_t colour1, std::int32_t x2, std::int32_t y2, std::uint32_t colour2);   // the same ramp added, saturating; length 0: average

// Post-filters: src read as 0 outside, dst pixels outside dst dropped. Every
// row is worked right to left, bottom row first; src may be dst.
void IMGFX_blurH5(const IMG* src, IMG* dst);                        // 1-1-4-1-1 over 8 along the row
void IMGFX_glowH3(const IMG* src, IMG* dst, std::int32_t shift);    // c + (left >> shift) + (right >> shift), max 255; shift below 0 counts as 0

// Further filters. They read src as it was before the call, so src may be dst.
void IMGFX_blurBox(const IMG* src, IMG* dst, std::int32_t r);       // mean over the (2r+1)^2 square, 0 outside; r >= 0
void IMGFX_blurRow(const IMG* src, IMG* dst, std::int32_t r);       // mean over 2r+1 pixels of the row, 0 outside; r >= 0
void IMGFX_blur3x3(const IMG* src, IMG* dst);                       // 1-2-1 / 2-4-2 / 1-2-1 over 16
void IMGFX_glow3x3(const IMG* src, IMG* dst, std::int32_t shift);   // centre + eight neighbours >> shift, max 255
void IMGFX_glowRow(const IMG* src, IMG* dst, std::int32_t r, std::int32_t shift);   // centre + (x - r .. x + r) >> shift, max 255; r >= 0
void IMGFX_mosaic(IMG* img, std::int32_t bw, std::int32_t bh);      // blocks from (0, 0) take their top-left pixel; sizes >= 1
void IMGFX_mosaicMean(IMG* img, std::int32_t bw, std::int32_t bh);  // blocks take the mean of their clipped area; sizes >= 1
IMG* IMGFX_edges(const IMG* src);    // new image: sum of |centre - neighbour| over 8 neighbours, max 255; border black; null after IMGFX_error
void IMGFX_mirror4(IMG* img);        // top-left quarter mirrored into the other three; odd middles kept
void IMGFX_scroll(IMG* img, std::int32_t dx, std::int32_t dy);        // content moves left by dx, up by dy; uncovered pixels 0
void IMGFX_scrollSmear(IMG* img, std::int32_t dx, std::int32_t dy);   // the same; uncovered pixels keep their values
void IMGFX_scrollWrap(IMG* img, IMG* scratch, std::int32_t dx, std::int32_t dy);   // rotated left by dx, up by dy; scratch of img's size, else nothing

void IMGFX_error();                  // "IMGFX error\n" while IMGFX_debug != 0
