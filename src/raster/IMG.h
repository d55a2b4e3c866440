// IMG: the one picture type, a rectangle of 0x00RRGGBB colour words, with
// pixel access, whole-image colour operations, blits, lines, rotation,
// scaling, PNM files, the "IMG{" text form and the basic shape primitives.
// RGB888 holds the colour-word helpers. Owns its pixel array.
#pragma once
#include <cstdint>
#include <span>

#include "foundation/MODID.h"

struct IMG {
    std::int32_t x, y, z;                 // position used by IMG_draw; z carried at 0
    std::int32_t width, height, depth;    // 16 x 16 at creation; depth carried at 0
    std::uint32_t* pixels;                // owned, width * height words, row 0 at the top
};

extern const MODID IMG_ID;
extern const MODID RGB888_ID;
extern std::uint8_t IMG_debug;            // 0 at start; nothing sets it

// Largest pixel count IMG_setSize and the readers accept (4096 x 4096, 64 MiB
// of colour words; the largest embedded picture is 256 x 1024).
inline constexpr std::int64_t IMG_MAX_PIXELS = 1LL << 24;

// Lifecycle and whole-image operations.
IMG* IMG_new();                                    // 16 x 16 black; null after IMG_error
void IMG_free(IMG** image);                        // frees, stores null
void IMG_setSize(IMG* image, std::int32_t w, std::int32_t h);   // contents lost: black; negative or
                                                   // > IMG_MAX_PIXELS: error, unchanged
void IMG_clear(IMG* image, std::uint32_t colour);
IMG* IMG_clone(const IMG* image);                  // x, y of the clone are 0
void IMG_copy(const IMG* src, IMG* dst);           // same size only, else error
bool IMG_equal(const IMG* a, const IMG* b);

// Pixel access; outside the image writes nothing and reads 0.
void IMG_putPixel(IMG* image, std::int32_t x, std::int32_t y, std::uint32_t colour);
std::uint32_t IMG_getPixel(const IMG* image, std::int32_t x, std::int32_t y);

// Whole-image colour operations.
void IMG_addColour(IMG* image, std::uint32_t colour);    // saturating per channel
void IMG_subColour(IMG* image, std::uint32_t colour);    // floor 0 per channel
void IMG_scaleColour(IMG* image, std::int32_t mul, std::int32_t div);   // channel * mul / div held to 0..255; div 0: error
void IMG_invert(IMG* image);
void IMG_replaceColour(IMG* image, std::uint32_t from, std::uint32_t to);
IMG* IMG_mask(const IMG* image);                   // new image: non-zero pixels white
void IMG_and(const IMG* src, IMG* dst);            // dst &= src over the words both have

// Blits of the w x h block at (sx, sy) in src to (dx, dy) in dst, clipped.
void IMG_blit(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h);        // 0 is transparent
void IMG_copyBlit(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h);    // opaque
void IMG_addBlit(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h);     // 32-bit add, carries spill
void IMG_addBlitSat(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h);  // saturating per channel
void IMG_draw(const IMG* src, IMG* dst);           // IMG_blit of all of src to (src->x, src->y)

// Row and column blits with wrap-around; rows/columns must be inside.
void IMG_blitRowWrap(const IMG* src, IMG* dst, std::int32_t srcRow, std::int32_t dstRow, std::int32_t offset);
void IMG_orRowWrap(const IMG* src, IMG* dst, std::int32_t srcRow, std::int32_t dstRow, std::int32_t offset);
void IMG_blitColumnWrap(const IMG* src, IMG* dst, std::int32_t srcCol, std::int32_t dstCol, std::int32_t offset);
void IMG_copyRow(const IMG* src, IMG* dst, std::int32_t srcRow, std::int32_t dstRow);

// Lines; points outside are dropped.
void IMG_drawLine(IMG* image, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint32_t colour);
void IMG_drawHLine(IMG* image, std::int32_t y, std::int32_t x0, std::int32_t x1, std::uint32_t colour);
void IMG_drawVLine(IMG* image, std::int32_t x, std::int32_t y0, std::int32_t y1, std::uint32_t colour);

// Transforms; every destination pixel is written.
void IMG_rotate(const IMG* src, IMG* dst, std::int32_t angle);   // 1024ths of a turn
void IMG_scale(const IMG* src, IMG* dst);          // empty src: dst black
std::int32_t* IMG_stepRuns(std::int32_t a, std::int32_t b);       // new[] array of min(|a|,|b|)+1 counters; caller delete[]s

// PNM and the text form. Readers bound every read by the given length and
// allocate the pixels only once the input is long enough to fill them.
IMG* IMG_fromPNM(std::span<const std::uint8_t> bytes);   // null after IMG_error on bad data
IMG* IMG_load(const char* fileName);                     // null after IMG_error
bool IMG_save(const IMG* image, const char* fileName);   // P6
char* IMG_print(const IMG* image);                        // std::malloc'ed text, caller std::free()s
IMG* IMG_parse(const char* text);                         // reads up to the terminating zero
std::int32_t IMG_findString(const char* text, const char* token);   // index past first match, 0 if none

// Shape primitives; points go through IMG_putPixel, spans through IMG_drawHLine.
void IMG_fillRect(IMG* image, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour);
void IMG_drawRect(IMG* image, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour);
void IMG_drawCircleSine(IMG* image, std::int32_t cx, std::int32_t cy, std::int32_t r, std::uint32_t colour);
void IMG_drawCircle(IMG* image, std::int32_t cx, std::int32_t cy, std::int32_t r, std::uint32_t colour);
void IMG_fillCircle(IMG* image, std::int32_t cx, std::int32_t cy, std::int32_t r, std::uint32_t colour);
void IMG_drawEllipse(IMG* image, std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, std::uint32_t colour);
void IMG_fillEllipse(IMG* image, std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, std::uint32_t colour);

void IMG_error();                                 // "IMG error\n" while IMG_debug != 0

// RGB888: colour-word helpers; channels are bytes 0..255.
std::uint32_t RGB888_make(std::uint32_t r, std::uint32_t g, std::uint32_t b);
std::uint8_t* RGB888_toBytes(std::uint32_t c, std::uint8_t* out);   // red, green, blue; returns out
std::uint32_t RGB888_add(std::uint32_t a, std::uint32_t b);         // saturating
std::uint32_t RGB888_sub(std::uint32_t a, std::uint32_t b);         // floor 0
std::uint32_t RGB888_average(std::uint32_t a, std::uint32_t b);     // (a + b) >> 1
std::uint32_t RGB888_swapRB(std::uint32_t c);
std::uint32_t RGB888_brighten(std::uint32_t c, std::uint32_t level);
std::uint32_t RGB888_darken(std::uint32_t c, std::uint32_t level);
std::uint32_t RGB888_adjust(std::uint32_t c, std::int32_t v);
std::uint32_t RGB888_blend(std::uint32_t a, std::uint32_t b, std::int32_t alpha);   // alpha held to 0..256
