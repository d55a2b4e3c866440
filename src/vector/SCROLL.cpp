// SCROLL: bitmap-font scroller. The step divides the offset by the cell width
// rounding toward minus infinity, so the offset always ends in 0 .. cell - 1
// and an offset of exactly minus one cell moves back by one character.
#include "vector/SCROLL.h"

#include <cstdio>
#include <cstring>
#include <new>

const MODID SCROLL_ID = MODID_CODE("SCROLL  ");
std::uint8_t SCROLL_debug = 0;

void SCROLL_error()
{
    if (SCROLL_debug != 0) std::fputs("SCROLL error\n", stdout);
}

namespace {

constexpr char defaultText[] = "A scroll's default text. ";
static_assert(sizeof(defaultText) - 1 == 25);

bool canDraw(const SCROLL* s)
{
    return s != nullptr && s->text != nullptr && s->cursor != nullptr && s->cursor->text != nullptr
        && s->cursor->length >= 1 && s->font != nullptr && s->target != nullptr && s->font->glyphWidth >= 1;
}

void draw(SCROLL* s, bool opaque)
{
    if (!canDraw(s)) { SCROLL_error(); return; }
    FONT* f = s->font;
    CURSOR* c = s->cursor;
    f->x = static_cast<std::int32_t>(static_cast<std::uint32_t>(s->x) - static_cast<std::uint32_t>(s->offset));
    f->y = s->y;
    f->target = s->target;
    const std::int32_t n = s->width / f->glyphWidth + 2;
    CURSOR_setIndex(c, c->index);   // an index set by hand is brought into the text
    CURSOR_save(c);
    c->step = 1;
    for (std::int32_t k = 0; k < n; ++k) {
        f->code = static_cast<signed char>(c->text[c->index]);
        if (opaque) FONT_drawCharOpaque(f);
        else FONT_drawChar(f);
        CURSOR_advance(c);
    }
    CURSOR_restore(c);
}

}  // namespace

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
    SCROLL* s = new (std::nothrow) SCROLL{};
    CURSOR* c = CURSOR_new();
    if (s == nullptr || c == nullptr) {
        delete s;
        if (c != nullptr) CURSOR_free(&c);
        SCROLL_error();
        return nullptr;
    }
    CURSOR_set(c, defaultText, 25, 1);
    s->cursor = c;
    s->speed = 1;
    return s;
}

void SCROLL_free(SCROLL** scroll)
{
    if (scroll == nullptr || *scroll == nullptr) { SCROLL_error(); return; }
    if ((*scroll)->cursor != nullptr) CURSOR_free(&(*scroll)->cursor);
    delete *scroll;
    *scroll = nullptr;
}

void SCROLL_set(SCROLL* scroll, const char* text, FONT* font, IMG* target)
{
    if (scroll == nullptr || text == nullptr || font == nullptr || target == nullptr) { SCROLL_error(); return; }
    const std::size_t length = std::strlen(text);
    if (length < 1 || length > INT32_MAX) { SCROLL_error(); return; }
    CURSOR* c = CURSOR_new();
    if (c == nullptr) { SCROLL_error(); return; }
    CURSOR_set(c, text, static_cast<std::int32_t>(length), 1);
    if (scroll->cursor != nullptr) CURSOR_free(&scroll->cursor);
    scroll->cursor = c;
    scroll->text = text;
    scroll->font = font;
    scroll->target = target;
    scroll->x = 0;
    scroll->y = 0;
    scroll->width = target->width;
    scroll->height = font->glyphHeight;
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
