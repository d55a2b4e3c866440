// DISTX: the wavy scroller. Every row of the image is drawn shifted sideways by a sine wave and wraps around
// the target. Holds its cursor into the sine table; the image is not owned.
#pragma once
#include <cstdint>

#include "foundation/CURSORX.h"
#include "foundation/MODID.h"
#include "raster/IMG.h"

struct DISTX {
    std::int32_t x, y, z;    // where the image is drawn in the target; z carried at 0
    CURSORX cursor;          // walks the sine table: length 1024, speed 1, step 16 at creation
    std::int32_t amplitude;  // displacement (sine entry * amplitude) >> 16; 16 at creation
    IMG* image;              // source, not owned; null at creation
};

extern const MODID DISTX_ID;
extern std::uint8_t DISTX_debug;   // 0 at start; nothing sets it

DISTX* DISTX_new();               // null if memory runs out
void DISTX_free(DISTX** d);       // frees the record (not the image), stores null
void DISTX_draw(DISTX* d, IMG* target);   // zero pixels transparent; rows outside the target are skipped
void DISTX_advance(DISTX* d);     // the wave moves speed table steps
// The wave of both scrollers: each row of image (each column when columns is
// set) lands at line y + r (x + c) of the target, shifted along itself by
// x (y) plus the wave, wrapping round; lines outside the target are skipped.
// The cursor's offset restarts at 0 and steps once before every line.
void DISTX_drawLines(CURSORX* cursor, std::int32_t amplitude, const IMG* image, std::int32_t x, std::int32_t y,
                     IMG* target, bool columns);
void DISTX_error();                // prints nothing
