// LSCROLL: line-font scroller. Shares its step with SCROLL (SCROLL_advance);
// LSCRLXYZ draws through these operations on a view of its own fields.
#include "vector/LSCROLL.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "foundation/INT.h"
#include "foundation/SINE.h"
#include "vector/SCROLL.h"

const MODID LSCROLL_ID = MODID_CODE("LSCROLL ");
std::uint8_t LSCROLL_debug = 0;

void LSCROLL_error()
{
    if (LSCROLL_debug != 0) std::fputs("LSCROLL error\n", stdout);
}

namespace {

constexpr char defaultText[] = "A scroll's default text. ";
static_assert(sizeof(defaultText) - 1 == 25);

enum class Kind { plain, random };

// size x * scale x, or 0 when the font is unusable or the cell is not positive.
std::int32_t cellOf(const LFONT* f)
{
    if (f == nullptr || f->size == nullptr || f->scale == nullptr) return 0;
    const std::int64_t c = std::int64_t{f->size->x} * f->scale->x;
    return (c < 1 || c > INT32_MAX) ? 0 : static_cast<std::int32_t>(c);
}

bool canDraw(const LSCROLL* s)
{
    return s != nullptr && s->text != nullptr && s->cursor != nullptr && s->cursor->text != nullptr
        && s->cursor->length >= 1 && s->target != nullptr && cellOf(s->font) >= 1 && s->font->position != nullptr;
}

void draw(LSCROLL* s, Kind kind)
{
    LFONT* f = s->font;
    CURSOR* c = s->cursor;
    f->position->x = INT_sub(s->x, s->offset);
    f->position->y = s->y;
    f->target = s->target;
    const std::int32_t n = s->width / cellOf(f) + 2;
    CURSOR_setIndex(c, c->index);
    CURSOR_save(c);
    c->step = 1;
    for (std::int32_t k = 0; k < n; ++k) {
        f->code = static_cast<signed char>(c->text[c->index]);
        if (kind == Kind::random) LFONT_drawCharRandom(f);
        else LFONT_drawChar(f);
        CURSOR_advance(c);
    }
    CURSOR_restore(c);
}

std::int32_t sineAt(std::uint32_t index) { return SINE_table[index & SINE_MASK]; }

}  // namespace

LSCROLL* LSCROLL_new()
{
    LSCROLL* s = new (std::nothrow) LSCROLL{};
    CURSOR* c = CURSOR_new();
    if (s == nullptr || c == nullptr) {
        delete s;
        if (c != nullptr) CURSOR_free(&c);
        LSCROLL_error();
        return nullptr;
    }
    CURSOR_set(c, defaultText, 25, 1);
    s->cursor = c;
    s->speed = 1;
    return s;
}

void LSCROLL_free(LSCROLL** scroll)
{
    if (scroll == nullptr || *scroll == nullptr) { LSCROLL_error(); return; }
    if ((*scroll)->cursor != nullptr) CURSOR_free(&(*scroll)->cursor);
    delete *scroll;
    *scroll = nullptr;
}

void LSCROLL_set(LSCROLL* scroll, const char* text, LFONT* font, IMG* target)
{
    if (scroll == nullptr || text == nullptr || font == nullptr || target == nullptr || font->size == nullptr
        || font->scale == nullptr) {
        LSCROLL_error();
        return;
    }
    const std::size_t length = std::strlen(text);
    if (length < 1 || length > INT32_MAX) { LSCROLL_error(); return; }
    CURSOR* c = CURSOR_new();
    if (c == nullptr) { LSCROLL_error(); return; }
    CURSOR_set(c, text, static_cast<std::int32_t>(length), 1);
    if (scroll->cursor != nullptr) CURSOR_free(&scroll->cursor);
    scroll->cursor = c;
    scroll->text = text;
    scroll->font = font;
    scroll->target = target;
    scroll->x = 0;
    scroll->y = 0;
    scroll->width = target->width;
    scroll->height = static_cast<std::int32_t>(static_cast<std::uint32_t>(font->size->y) * static_cast<std::uint32_t>(font->scale->y));
}

void LSCROLL_step(LSCROLL* scroll)
{
    if (scroll == nullptr || !SCROLL_advance(scroll->cursor, &scroll->offset, scroll->speed, cellOf(scroll->font), nullptr))
        LSCROLL_error();
}

void LSCROLL_draw(LSCROLL* scroll)
{
    if (!canDraw(scroll)) { LSCROLL_error(); return; }
    const std::int64_t x = scroll->x;
    const std::int64_t y = scroll->y;
    if (x > scroll->target->width || y > scroll->target->height || x + scroll->width < 0 || y + scroll->height < 0)
        return;
    draw(scroll, Kind::plain);
}

void LSCROLL_drawRandom(LSCROLL* scroll)
{
    if (!canDraw(scroll)) { LSCROLL_error(); return; }
    draw(scroll, Kind::random);
}

void LSCROLL_drawColored(LSCROLL* scroll, std::uint32_t colour)
{
    if (!canDraw(scroll)) { LSCROLL_error(); return; }
    LFONT_setColor(scroll->font, colour);
    draw(scroll, Kind::plain);
}

void LSCROLL_drawSpiral(LSCROLL* scroll, std::int32_t mode)
{
    if (!canDraw(scroll)) { LSCROLL_error(); return; }
    LFONT* f = scroll->font;
    CURSOR* c = scroll->cursor;
    f->target = scroll->target;
    // Table indices wrap in 32 bits; only their low ten bits are used.
    const auto cx = static_cast<std::uint32_t>(f->size->x) * static_cast<std::uint32_t>(f->scale->x);
    const auto cy = static_cast<std::uint32_t>(f->size->y) * static_cast<std::uint32_t>(f->scale->y);
    const auto offset = static_cast<std::uint32_t>(scroll->offset);
    const std::int32_t shift = (mode & 3) + 14;
    const std::int32_t midX = scroll->target->width / 2;
    const std::int32_t midY = scroll->target->height / 2;
    CURSOR_setIndex(c, c->index);
    CURSOR_save(c);
    c->step = 1;
    for (std::int32_t k = 512; k >= 1; --k) {
        const auto uk = static_cast<std::uint32_t>(k);
        f->position->x = midX + ((sineAt((offset + uk * cx) * 4u) * k) >> shift);
        f->position->y = midY + ((sineAt((offset + uk * cy) * 4u + 256u) * k) >> shift);
        f->angle = static_cast<std::int32_t>((static_cast<std::uint32_t>(SINE_SIZE) - 4u * uk * cx - 4u * offset + 512u)
                                             & static_cast<std::uint32_t>(SINE_MASK));
        f->code = static_cast<signed char>(c->text[c->index]);
        LFONT_drawChar(f);
        CURSOR_advance(c);
    }
    CURSOR_restore(c);
}
