// LSCRLXYZ: a line-font scroller whose letters also sway sideways, bob up and
// down and pulse in size on three sine waves that move with the letters.
// Owns its cursor; text, font and target are not owned.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"
#include "vector/CURSOR.h"
#include "vector/LFONT.h"

struct LSCRLXYZ {
    std::int32_t x, y;      // top-left corner of the window on the target
    std::int32_t width;     // window width; the target's width after LSCRLXYZ_set
    std::int32_t height;    // window height; size y * scale y after LSCRLXYZ_set
    std::int32_t speed;     // pixels per step; 1
    std::int32_t offset;    // pixels of the first visible character scrolled out, 0 .. cell - 1
    const char* text;       // not owned; null until LSCRLXYZ_set
    CURSOR* cursor;         // owned; index is the first visible character
    LFONT* font;            // not owned
    IMG* target;            // not owned
    // Wave channels: phase (sine-table index), speed (per step), step (per
    // character), amplitude (pixels, or scale units for the pulse).
    std::int32_t xPhase, xSpeed, xStep, xAmplitude;                  // sideways sway
    std::int32_t yPhase, ySpeed, yStep, yAmplitude;                  // bobbing
    std::int32_t scalePhase, scaleSpeed, scaleStep, scaleAmplitude;  // size pulse
};

extern const MODID LSCRLXYZ_ID;
extern std::uint8_t LSCRLXYZ_debug;     // 0 at start; nothing sets it

// Wave speeds, steps and amplitudes from nine RANDOM_rand15 draws; null after LSCRLXYZ_error.
LSCRLXYZ* LSCRLXYZ_new();
void LSCRLXYZ_free(LSCRLXYZ** scroll);  // frees the cursor and the record, stores null
void LSCRLXYZ_set(LSCRLXYZ* scroll, const char* text, LFONT* font, IMG* target);   // empty text: error
void LSCRLXYZ_step(LSCRLXYZ* scroll);   // as LSCROLL_step; the phases follow the letters, then move on
void LSCRLXYZ_draw(LSCRLXYZ* scroll);   // as LSCROLL_draw, without waves
void LSCRLXYZ_drawRandom(LSCRLXYZ* scroll);
void LSCRLXYZ_drawColored(LSCRLXYZ* scroll, std::uint32_t colour);
void LSCRLXYZ_drawSpiral(LSCRLXYZ* scroll, std::int32_t mode);
void LSCRLXYZ_drawWave(LSCRLXYZ* scroll);   // with the three waves; the font's scale is restored
void LSCRLXYZ_error();                  // "LSCRLXYZ error\n" while LSCRLXYZ_debug != 0
