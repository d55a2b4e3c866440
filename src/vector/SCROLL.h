// SCROLL: an endless line of text moved sideways through a window with a
// bitmap FONT, the text wrapping from its last character to its first.
// Owns its cursor; text, font and target are not owned. SCROLL_advance is
// the step shared with the line-font scrollers.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"
#include "vector/CURSOR.h"
#include "vector/FONT.h"

struct SCROLL {
    std::int32_t x, y;      // top-left corner of the window on the target
    std::int32_t width;     // window width; the target's width after SCROLL_set
    std::int32_t height;    // window height; the font's cell height after SCROLL_set
    std::int32_t speed;     // pixels per step; 1; negative scrolls the other way
    std::int32_t offset;    // pixels of the first visible character scrolled out, 0 .. cell - 1
    const char* text;       // not owned; null until SCROLL_set
    CURSOR* cursor;         // owned; index is the first visible character
    FONT* font;             // not owned
    IMG* target;            // not owned
};

extern const MODID SCROLL_ID;
extern std::uint8_t SCROLL_debug;   // 0 at start; nothing sets it

SCROLL* SCROLL_new();               // cursor over "A scroll's default text. "; null after SCROLL_error
void SCROLL_free(SCROLL** scroll);  // frees the cursor and the record, stores null
// A new cursor over text (up to its zero, step 1); x = y = 0. An empty text is an error.
void SCROLL_set(SCROLL* scroll, const char* text, FONT* font, IMG* target);
void SCROLL_step(SCROLL* scroll);         // offset += speed; whole cells move the cursor
void SCROLL_draw(SCROLL* scroll);         // width / cell + 2 characters, transparent
void SCROLL_drawOpaque(SCROLL* scroll);   // the same, every pixel copied

// offset += speed, then whole cells of it move the cursor and offset is left
// in 0 .. cell - 1. Returns the characters moved (negative: backwards).
// False with nothing changed when cell < 1 or the cursor is empty.
bool SCROLL_advance(CURSOR* cursor, std::int32_t* offset, std::int32_t speed, std::int32_t cell, std::int32_t* moved);

void SCROLL_error();                // "SCROLL error\n" while SCROLL_debug != 0
