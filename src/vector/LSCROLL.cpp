// LSCROLL: line-font scroller. Shares its step with SCROLL (SCROLL_advance);
// LSCRLXYZ draws through these operations on a view of its own fields.
#include "vector/LSCROLL.h"

#include <cstdio>

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

enum class Kind { plain, random };

void draw(LSCROLL* s, Kind kind)
{
    LFONT* f = s->font;
    f->position->x = INT_sub(s->x, s->offset);
    f->position->y = s->y;
    f->target = s->target;
    SCROLL_walk(s->cursor, s->width / LSCROLL_cell(f) + 2, [f, kind](std::int32_t, signed char code) {
        f->code = code;
        if (kind == Kind::random) LFONT_drawCharRandom(f);
        else LFONT_drawChar(f);
    });
}

}  // namespace

std::int32_t LSCROLL_cell(const LFONT* font)
{
    if (font == nullptr || font->size == nullptr || font->scale == nullptr) return 0;
    const std::int64_t c = std::int64_t{font->size->x} * font->scale->x;
    return (c < 1 || c > INT32_MAX) ? 0 : static_cast<std::int32_t>(c);
}

bool LSCROLL_ready(const LSCROLL* s)
{
    return s != nullptr && s->text != nullptr && s->cursor != nullptr && s->cursor->text != nullptr
        && s->cursor->length >= 1 && s->target != nullptr && LSCROLL_cell(s->font) >= 1 && s->font->position != nullptr;
}

bool LSCROLL_onTarget(const LSCROLL* s)
{
    const std::int64_t x = s->x;
    const std::int64_t y = s->y;
    return x <= s->target->width && y <= s->target->height && x + s->width >= 0 && y + s->height >= 0;
}

LSCROLL* LSCROLL_new()
{
    LSCROLL* s = SCROLL_newRecord<LSCROLL>();
    if (s == nullptr) LSCROLL_error();
    return s;
}

void LSCROLL_free(LSCROLL** scroll)
{
    if (!SCROLL_freeRecord(scroll)) LSCROLL_error();
}

void LSCROLL_set(LSCROLL* scroll, const char* text, LFONT* font, IMG* target)
{
    if (scroll == nullptr || font == nullptr || target == nullptr || font->size == nullptr || font->scale == nullptr
        || !SCROLL_attach(scroll, text, font, target, INT_mul(font->size->y, font->scale->y))) {
        LSCROLL_error();
    }
}

void LSCROLL_step(LSCROLL* scroll)
{
    if (scroll == nullptr || !SCROLL_advance(scroll->cursor, &scroll->offset, scroll->speed, LSCROLL_cell(scroll->font), nullptr))
        LSCROLL_error();
}

void LSCROLL_draw(LSCROLL* scroll)
{
    if (!LSCROLL_ready(scroll)) { LSCROLL_error(); return; }
    if (LSCROLL_onTarget(scroll)) draw(scroll, Kind::plain);
}

void LSCROLL_drawRandom(LSCROLL* scroll)
{
    if (!LSCROLL_ready(scroll)) { LSCROLL_error(); return; }
    draw(scroll, Kind::random);
}

void LSCROLL_drawColored(LSCROLL* scroll, std::uint32_t colour)
{
    if (!LSCROLL_ready(scroll)) { LSCROLL_error(); return; }
    LFONT_setColor(scroll->font, colour);
    draw(scroll, Kind::plain);
}

void LSCROLL_drawSpiral(LSCROLL* scroll, std::int32_t mode)
{
    if (!LSCROLL_ready(scroll)) { LSCROLL_error(); return; }
    LFONT* f = scroll->font;
    f->target = scroll->target;
    // Table indices wrap in 32 bits; only their low ten bits are used.
    const std::uint32_t cx = INT_u(f->size->x) * INT_u(f->scale->x);
    const std::uint32_t cy = INT_u(f->size->y) * INT_u(f->scale->y);
    const std::uint32_t offset = INT_u(scroll->offset);
    const std::int32_t shift = (mode & 3) + 14;
    const std::int32_t midX = scroll->target->width / 2;
    const std::int32_t midY = scroll->target->height / 2;
    SCROLL_walk(scroll->cursor, 512, [&](std::int32_t i, signed char code) {
        const std::int32_t k = 512 - i;
        const auto uk = static_cast<std::uint32_t>(k);
        f->position->x = midX + ((SINE_at((offset + uk * cx) * 4u) * k) >> shift);
        f->position->y = midY + ((SINE_at((offset + uk * cy) * 4u + 256u) * k) >> shift);
        f->angle = INT_wrap((INT_u(SINE_SIZE) - 4u * uk * cx - 4u * offset + 512u) & INT_u(SINE_MASK));
        f->code = code;
        LFONT_drawChar(f);
    });
}
