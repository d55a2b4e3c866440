// LOGOFLY: a word written in a line font whose letters leap from a base line
// on a sine wave, each a little behind its left neighbour. Text, font and
// target are not owned.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"
#include "vector/LFONT.h"

struct LOGOFLY {
    std::int32_t x;           // pen x of the first letter
    std::int32_t y;           // base line: the letters' rest position
    std::int32_t phase;       // wave phase, a sine-table index in 0..511
    std::int32_t speed;       // phase change per update, 8..31
    std::int32_t step;        // phase change from one letter to the next, 1..8
    std::int32_t amplitude;   // jump height in pixels, 16..115
    const char* text;         // "QORN"; at most 40 letters are drawn; not owned
    std::uint32_t color;      // letter colour; 0xffffff
    LFONT* font;              // not owned
    IMG* target;              // must be set before drawing; letters go to the font's target
};

extern const MODID LOGOFLY_ID;
extern std::uint8_t LOGOFLY_debug;   // 0 at start; nothing sets it

LOGOFLY* LOGOFLY_new();              // zero, then LOGOFLY_reset; null after LOGOFLY_error
void LOGOFLY_free(LOGOFLY** logo);   // frees the record, stores null
// phase 0, colour 0xffffff, text "QORN"; speed, step, amplitude from three RANDOM_random30 draws.
void LOGOFLY_reset(LOGOFLY* logo);
bool LOGOFLY_equal(const LOGOFLY* a, const LOGOFLY* b);   // phase, speed, step and amplitude
void LOGOFLY_copy(const LOGOFLY* src, LOGOFLY* dst);      // every field
LOGOFLY* LOGOFLY_clone(const LOGOFLY* src);               // null after LOGOFLY_error
void LOGOFLY_draw(LOGOFLY* logo);        // needs font, target and text; sets the font's angle, scale and colours
void LOGOFLY_update(LOGOFLY* logo);      // phase = (phase + speed) & 511
void LOGOFLY_stepFull(LOGOFLY* logo);    // phase = (phase + speed) & 1023
void LOGOFLY_error();                    // "LOGOFLY error\n" while LOGOFLY_debug != 0
