// LRAIN: falling drops in an area, drawn as pixels, streaks or bitmap-font
// characters that change as they fall. Positions and velocity are 16.16
// pixels. Owns its drop array.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"
#include "vector/FONT.h"

struct LRAIN {
    std::int32_t width, height;            // area; 256 x 256
    std::int32_t velocityX, velocityY;     // 16.16 pixels per step; (0, 1.0)
    std::uint32_t color;                   // 0xffffff
    std::int32_t count;                    // drops; 16
    std::int32_t* drops;                   // owned; count (x, y) pairs, 16.16
};

extern const MODID LRAIN_ID;
extern std::uint8_t LRAIN_debug;   // 0 at start; nothing sets it

LRAIN* LRAIN_new();                // 16 drops at random places; null after LRAIN_error
void LRAIN_free(LRAIN** rain);     // frees the drops and the record, stores null
// n >= 0 drops, each at (RANDOM_rand15() mod width, RANDOM_rand15() mod height); the old ones stay on failure.
void LRAIN_setCount(LRAIN* rain, std::int32_t n);
void LRAIN_step(LRAIN* rain);      // adds the velocity; a drop leaving the area (grown by the velocity) wraps across
void LRAIN_plot(const LRAIN* rain, IMG* image);          // one pixel per drop
void LRAIN_drawStreaks(const LRAIN* rain, IMG* image);   // from the drop back by twice the velocity
// Glyph (y >> 16) & 63 of font centred on each drop; font's x, y, code and target are changed.
void LRAIN_drawChars(const LRAIN* rain, FONT* font, IMG* image);
void LRAIN_error();                // "LRAIN error\n" while LRAIN_debug != 0
