// SCROLL: bitmap-font scroller. The step divides the offset by the cell width
// rounding toward minus infinity, so the offset always ends in 0 .. cell - 1
// and an offset of exactly minus one cell moves back by one character.
#include "vector/SCROLL.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "foundation/INT.h"

const MODID SCROLL_ID = MODID_CODE("SCROLL  ");
std::uint8_t SCROLL_debug = 0;

void SCROLL_error()
{
    if (SCROLL_debug != 0) std::fputs("SCROLL error\n", stdout);
}

namespace {

bool canDraw(const SCROLL* s)
{
    return s != nullptr && s->text != nullptr && s->cursor != nullptr && s->cursor->text != nullptr
        && s->cursor->length >= 1 && s->font != nullptr && s->target != nullptr && s->font->glyphWidth >= 1;
}

void draw(SCROLL* s, bool opaque)
{
    if (!canDraw(s)) { SCROLL_error(); return; }
    FONT* f = s->font;
    f->x = INT_sub(s->x, s->offset);
    f->y = s->y;
    f->target = s->target;
    SCROLL_walk(s->cursor, s->width / f->glyphWidth + 2, [f, opaque](std::int32_t, signed char code) {
        f->code = code;
        if (opaque) FONT_drawCharOpaque(f);
        else FONT_drawChar(f);
    });
}

}  // namespace

CURSOR* SCROLL_cursorOver(const char* text)
{
    if (text == nullptr) return nullptr;
    const std::size_t length = std::strlen(text);
    if (length < 1 || length > INT32_MAX) return nullptr;
    CURSOR* c = CURSOR_new();
    if (c != nullptr) CURSOR_set(c, text, static_cast<std::int32_t>(length), 1);
    return c;
}

bool SCROLL_advance(CURSOR* cursor, std::int32_t* offset, std::int32_t speed, std::int32_t cell, std::int32_t* moved)
{
    if (cursor == nullptr || offset == nullptr || cell < 1 || cursor->length < 1) return false;
    const std::int64_t sum = std::int64_t{*offset} + speed;
    std::int64_t q = 0;
    if (sum >= cell) q = sum / cell;
    else if (sum < 0) q = (sum - cell + 1) / cell;   // floor division
    const std::int64_t rest = sum - q * cell;
    if (q < INT32_MIN || q > INT32_MAX) q %= cursor->length;   // the same character, a smaller step
    if (q != 0) {
        cursor->step = static_cast<std::int32_t>(q);
        CURSOR_advance(cursor);
    }
    *offset = static_cast<std::int32_t>(rest);
    if (moved != nullptr) *moved = static_cast<std::int32_t>(q);
    return true;
}

SCROLL* SCROLL_new()
{
    SCROLL* s = SCROLL_newRecord<SCROLL>();
    if (s == nullptr) SCROLL_error();
    return s;
}

void SCROLL_free(SCROLL** scroll)
{
    if (!SCROLL_freeRecord(scroll)) SCROLL_error();
}

void SCROLL_set(SCROLL* scroll, const char* text, FONT* font, IMG* target)
{
    if (scroll == nullptr || font == nullptr || target == nullptr
        || !SCROLL_attach(scroll, text, font, target, font->glyphHeight)) {
        SCROLL_error();
    }
}

void SCROLL_step(SCROLL* scroll)
{
    if (scroll == nullptr || scroll->font == nullptr
        || !SCROLL_advance(scroll->cursor, &scroll->offset, scroll->speed, scroll->font->glyphWidth, nullptr)) {
        SCROLL_error();
    }
}

void SCROLL_draw(SCROLL* scroll) { draw(scroll, false); }
void SCROLL_drawOpaque(SCROLL* scroll) { draw(scroll, true); }
