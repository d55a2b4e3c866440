// SCROLL: an endless line of text moved sideways through a window with a
// bitmap FONT, the text wrapping from its last character to its first.
// Owns its cursor; text, font and target are not owned. The step, the life
// cycle and the walk along the text are shared with the line-font scrollers,
// whose records start with the same fields.
#pragma once
#include <cstdint>
#include <new>

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

CURSOR* SCROLL_cursorOver(const char* text);   // step 1; null for a null, empty or too long text or no memory

// A zero record with a cursor over "A scroll's default text. " and speed 1;
// null, with nothing kept, when memory runs out.
template <class Scroll>
Scroll* SCROLL_newRecord()
{
    Scroll* s = new (std::nothrow) Scroll{};
    CURSOR* c = SCROLL_cursorOver("A scroll's default text. ");
    if (s == nullptr || c == nullptr) {
        delete s;
        if (c != nullptr) CURSOR_free(&c);
        return nullptr;
    }
    s->cursor = c;
    s->speed = 1;
    return s;
}

// Frees the cursor and the record, stores null; false for a null record.
template <class Scroll>
bool SCROLL_freeRecord(Scroll** scroll)
{
    if (scroll == nullptr || *scroll == nullptr) return false;
    if ((*scroll)->cursor != nullptr) CURSOR_free(&(*scroll)->cursor);
    delete *scroll;
    *scroll = nullptr;
    return true;
}

// A new cursor over text; x = y = 0, the window the target's width by height.
// False, with nothing changed, when SCROLL_cursorOver gives null.
template <class Scroll, class Font>
bool SCROLL_attach(Scroll* s, const char* text, Font* font, IMG* target, std::int32_t height)
{
    CURSOR* c = SCROLL_cursorOver(text);
    if (c == nullptr) return false;
    if (s->cursor != nullptr) CURSOR_free(&s->cursor);
    s->cursor = c;
    s->text = text;
    s->font = font;
    s->target = target;
    s->x = 0;
    s->y = 0;
    s->width = target->width;
    s->height = height;
    return true;
}

// put(k, code) for the n characters from the cursor's index on (k = 0 .. n - 1,
// the text wrapping round); the cursor is left as it was.
template <class Put>
void SCROLL_walk(CURSOR* c, std::int32_t n, Put put)
{
    CURSOR_setIndex(c, c->index);   // an index set by hand is brought into the text
    CURSOR_save(c);
    c->step = 1;
    for (std::int32_t k = 0; k < n; ++k) {
        put(k, static_cast<signed char>(c->text[c->index]));
        CURSOR_advance(c);
    }
    CURSOR_restore(c);
}

void SCROLL_error();                // "SCROLL error\n" while SCROLL_debug != 0
