// DISTY: the wavy scroller. Every column of the image is drawn shifted up or down by a sine wave and wraps around
// the target. Holds its cursor into the sine table; the image is not owned.
#pragma once
#include <cstdint>

#include "foundation/CURSORX.h"
#include "foundation/MODID.h"
#include "raster/IMG.h"

struct DISTY {
    std::int32_t x, y, z;    // where the image is drawn in the target; z carried at 0
    CURSORX cursor;          // walks the sine table: length 1024, speed 1, step 16 at creation
    std::int32_t amplitude;  // displacement (sine entry * amplitude) >> 16; 16 at creation
    IMG* image;              // source, not owned; null at creation
};

extern const MODID DISTY_ID;
extern std::uint8_t DISTY_debug;   // 0 at start; nothing sets it

DISTY* DISTY_new();               // null if memory runs out
void DISTY_free(DISTY** d);       // frees the record (not the image), stores null
void DISTY_draw(DISTY* d, IMG* target);   // zero pixels transparent; columns outside the target are skipped
void DISTY_advance(DISTY* d);     // the wave moves speed table steps
void DISTY_error();                // prints nothing
