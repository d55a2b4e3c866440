// BYTEMAP: a grid of byte cells, the one-byte counterpart of IMG: a grey
// picture, a height field or an index map shown through a palette. Owns its
// cell array. Readers of outside data bound every read by the given length.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "audio/SAMPLE.h"
#include "foundation/MODID.h"
#include "raster/IMG.h"

struct BYTEMAP {
    std::int32_t x, y, z;                // position words shared with IMG; nothing reads them
    std::int32_t width, height, depth;   // 16 x 16 at creation; depth carried at 0
    std::uint8_t* bytes;                 // owned, width * height cells, row-major
};

extern const MODID BYTEMAP_ID;
extern std::uint8_t BYTEMAP_debug;   // 0 at start; nothing sets it
inline constexpr std::int64_t BYTEMAP_MAX_CELLS = 1LL << 24;   // 4096 x 4096; larger maps are refused

// Lifecycle, comparison and the text dump.
BYTEMAP* BYTEMAP_new();                                      // 16 x 16 zeroed; null after BYTEMAP_error
void BYTEMAP_free(BYTEMAP** map);                            // frees cells and record, stores null
bool BYTEMAP_setSize(BYTEMAP* map, std::int32_t w, std::int32_t h);   // zeroed w x h; negative or > BYTEMAP_MAX_CELLS: error, unchanged
void BYTEMAP_clear(BYTEMAP* map);                            // every cell 0
void BYTEMAP_copy(const BYTEMAP* src, BYTEMAP* dst);         // same size only, else error
BYTEMAP* BYTEMAP_clone(const BYTEMAP* map);                  // x, y of the clone are 0
bool BYTEMAP_equal(const BYTEMAP* a, const BYTEMAP* b);      // size and every cell
char* BYTEMAP_print(const BYTEMAP* map);                     // "BYTEMAP{" P3 text, cells as blue; std::malloc'ed, caller std::free()s
BYTEMAP* BYTEMAP_parse(std::string_view text);               // reads up to the end of text or a zero; cell = (r + g + b) / 3

// PNM files P1..P6; grey is (r + g + b) / 3, set bits are 255.
BYTEMAP* BYTEMAP_load(const char* path);                     // null after BYTEMAP_error on bad or truncated data
BYTEMAP* BYTEMAP_fromPNM(std::span<const std::uint8_t> data);   // P4 widths rounded up to a multiple of 8
bool BYTEMAP_save(const BYTEMAP* map, const char* path);     // P5; false after BYTEMAP_error

// Cells; outside the map writes nothing and reads 0.
void BYTEMAP_putPixel(BYTEMAP* map, std::int32_t cx, std::int32_t cy, std::uint8_t value);
std::uint8_t BYTEMAP_getPixel(const BYTEMAP* map, std::int32_t cx, std::int32_t cy);
void BYTEMAP_toImage(const BYTEMAP* map, IMG* img, const SAMPLE* palette);   // same size, palette >= 256 entries, else error

// Blits, clipped as the IMG ones.
void BYTEMAP_blit(const BYTEMAP* src, BYTEMAP* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h);       // 0 is transparent
void BYTEMAP_copyBlit(const BYTEMAP* src, BYTEMAP* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h);   // opaque
void BYTEMAP_drawAverage(const BYTEMAP* src, BYTEMAP* dst, std::int32_t x, std::int32_t y);   // (a + b) >> 1, zero included
void BYTEMAP_blitRowWrap(const BYTEMAP* src, BYTEMAP* dst, std::int32_t srcRow, std::int32_t dstRow, std::int32_t offset);   // rows inside, 0 transparent
void BYTEMAP_orRowWrap(const BYTEMAP* src, BYTEMAP* dst, std::int32_t srcRow, std::int32_t dstRow, std::int32_t offset);
void BYTEMAP_blitColumnWrap(const BYTEMAP* src, BYTEMAP* dst, std::int32_t srcCol, std::int32_t dstCol, std::int32_t offset);
void BYTEMAP_and(const BYTEMAP* src, BYTEMAP* dst);          // same size only

// Shapes in one value.
void BYTEMAP_fillRect(BYTEMAP* map, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t value);         // clipped; negative sizes extend left/up
void BYTEMAP_fillRectInside(BYTEMAP* map, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t value);   // only when wholly inside
void BYTEMAP_drawRect(BYTEMAP* map, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t value);         // outline, only when wholly inside
void BYTEMAP_drawCircleSine(BYTEMAP* map, std::int32_t cx, std::int32_t cy, std::int32_t r, std::uint8_t value);
void BYTEMAP_drawHLine(BYTEMAP* map, std::int32_t y, std::int32_t x0, std::int32_t x1, std::uint8_t value);
void BYTEMAP_drawVLine(BYTEMAP* map, std::int32_t x, std::int32_t y0, std::int32_t y1, std::uint8_t value);
void BYTEMAP_drawLine(BYTEMAP* map, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint8_t value);   // minor axis in 16.16 from the cell centre

// Resampling and whole-map arithmetic.
void BYTEMAP_scale(const BYTEMAP* src, BYTEMAP* dst);        // into dst's size, as IMG_scale
BYTEMAP* BYTEMAP_rotate(const BYTEMAP* src, std::int32_t angle);   // new map, sides * 92667 / 65536, as IMG_rotate
void BYTEMAP_add(BYTEMAP* map, std::int32_t value);          // modulo 256
void BYTEMAP_sub(BYTEMAP* map, std::int32_t value);          // kept to 0..255
void BYTEMAP_lookup(BYTEMAP* map, const BYTEMAP* table);     // cell v becomes table cell v; table >= 256 cells
void BYTEMAP_replace(BYTEMAP* map, std::uint8_t from, std::uint8_t to);
void BYTEMAP_invert(BYTEMAP* map);                           // 255 - v
void BYTEMAP_randomFill(BYTEMAP* map, std::int32_t base, std::int32_t mask);   // base + (RANDOM_random30() & mask), low byte; first cell first

void BYTEMAP_error();                                        // "BYTEMAP error\n" while BYTEMAP_debug != 0
