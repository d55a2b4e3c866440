// LSCROLL: the scroller of SCROLL drawn with a line font, so its letters can
// be scaled, turned, coloured and laid on a spiral. Owns its cursor; text,
// font and target are not owned. The cell is size x * scale x of the font.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"
#include "vector/CURSOR.h"
#include "vector/LFONT.h"

struct LSCROLL {
    std::int32_t x, y;      // top-left corner of the window on the target
    std::int32_t width;     // window width; the target's width after LSCROLL_set
    std::int32_t height;    // window height; size y * scale y after LSCROLL_set
    std::int32_t speed;     // pixels per step; 1
    std::int32_t offset;    // pixels of the first visible character scrolled out, 0 .. cell - 1
    const char* text;       // not owned; null until LSCROLL_set
    CURSOR* cursor;         // owned; index is the first visible character
    LFONT* font;            // not owned
    IMG* target;            // not owned
};

extern const MODID LSCROLL_ID;
extern std::uint8_t LSCROLL_debug;    // 0 at start; nothing sets it

LSCROLL* LSCROLL_new();               // cursor over "A scroll's default text. "; null after LSCROLL_error
void LSCROLL_free(LSCROLL** scroll);  // frees the cursor and the record, stores null
void LSCROLL_set(LSCROLL* scroll, const char* text, LFONT* font, IMG* target);   // empty text: error
void LSCROLL_step(LSCROLL* scroll);   // needs a cell of at least one pixel
// Drawing needs text, font, target and a cell of at least one pixel. Bytes
// 128-255 are negative codes, which the line font rejects without advancing.
void LSCROLL_draw(LSCROLL* scroll);                         // skipped when the window is off the target
void LSCROLL_drawRandom(LSCROLL* scroll);                   // a random light colour per character
void LSCROLL_drawColored(LSCROLL* scroll, std::uint32_t colour);   // LFONT_setColor first
// 512 characters on a spiral about the target's centre, outermost first;
// only mode & 3 is used, larger modes give smaller spirals. Leaves the font's angle turned.
void LSCROLL_drawSpiral(LSCROLL* scroll, std::int32_t mode);

// Shared with LSCRLXYZ. The cell is size x * scale x, 0 when the font lacks
// them or the product is outside 1 .. INT32_MAX.
std::int32_t LSCROLL_cell(const LFONT* font);
bool LSCROLL_ready(const LSCROLL* scroll);      // text, cursor, target and a font with a position and a cell
bool LSCROLL_onTarget(const LSCROLL* scroll);   // the window touches the target (edges included)

void LSCROLL_error();                 // "LSCROLL error\n" while LSCROLL_debug != 0
