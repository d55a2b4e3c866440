// LSCRLXYZ: the wave scroller. Its plain draws run LSCROLL's on a view of
// the shared fields; its step is SCROLL_advance plus the wave phases.
#include "vector/LSCRLXYZ.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "foundation/INT.h"
#include "foundation/RANDOM.h"
#include "foundation/SINE.h"
#include "vector/LSCROLL.h"
#include "vector/SCROLL.h"

const MODID LSCRLXYZ_ID = MODID_CODE("LSCRLXYZ");
std::uint8_t LSCRLXYZ_debug = 0;

void LSCRLXYZ_error()
{
    if (LSCRLXYZ_debug != 0) std::fputs("LSCRLXYZ error\n", stdout);
}

namespace {

constexpr char defaultText[] = "A scroll's default text. ";
static_assert(sizeof(defaultText) - 1 == 25);

std::int32_t cellOf(const LFONT* f)
{
    if (f == nullptr || f->size == nullptr || f->scale == nullptr) return 0;
    const std::int64_t c = std::int64_t{f->size->x} * f->scale->x;
    return (c < 1 || c > INT32_MAX) ? 0 : static_cast<std::int32_t>(c);
}

bool canDraw(const LSCRLXYZ* s)
{
    return s != nullptr && s->text != nullptr && s->cursor != nullptr && s->cursor->text != nullptr
        && s->cursor->length >= 1 && s->target != nullptr && cellOf(s->font) >= 1 && s->font->position != nullptr;
}

LSCROLL view(const LSCRLXYZ* s)
{
    return LSCROLL{s->x, s->y, s->width, s->height, s->speed, s->offset, s->text, s->cursor, s->font, s->target};
}

// (sine[(phase + k * step) & mask] * amplitude) >> 15, the index wrapping in 32 bits.
std::int32_t wave(std::int32_t phase, std::int32_t k, std::int32_t step, std::int32_t amplitude)
{
    const std::int32_t index = INT_add(phase, INT_mul(k, step)) & SINE_MASK;
    return static_cast<std::int32_t>((std::int64_t{SINE_table[index]} * amplitude) >> 15);
}

}  // namespace

LSCRLXYZ* LSCRLXYZ_new()
{
    LSCRLXYZ* s = new (std::nothrow) LSCRLXYZ{};
    CURSOR* c = CURSOR_new();
    if (s == nullptr || c == nullptr) {
        delete s;
        if (c != nullptr) CURSOR_free(&c);
        LSCRLXYZ_error();
        return nullptr;
    }
    CURSOR_set(c, defaultText, 25, 1);
    s->cursor = c;
    s->speed = 1;
    s->xSpeed = (RANDOM_rand15() & 31) + 16;
    s->xStep = (RANDOM_rand15() & 31) + 32;
    s->xAmplitude = (RANDOM_rand15() & 63) + 16;
    s->ySpeed = (RANDOM_rand15() & 31) + 16;
    s->yStep = (RANDOM_rand15() & 31) + 32;
    s->yAmplitude = (RANDOM_rand15() & 31) + 64;
    s->scaleSpeed = (RANDOM_rand15() & 31) + 16;
    s->scaleStep = (RANDOM_rand15() & 31) + 32;
    s->scaleAmplitude = (RANDOM_rand15() & 7) + 1;
    return s;
}

void LSCRLXYZ_free(LSCRLXYZ** scroll)
{
    if (scroll == nullptr || *scroll == nullptr) { LSCRLXYZ_error(); return; }
    if ((*scroll)->cursor != nullptr) CURSOR_free(&(*scroll)->cursor);
    delete *scroll;
    *scroll = nullptr;
}

void LSCRLXYZ_set(LSCRLXYZ* scroll, const char* text, LFONT* font, IMG* target)
{
    if (scroll == nullptr || text == nullptr || font == nullptr || target == nullptr || font->size == nullptr
        || font->scale == nullptr) {
        LSCRLXYZ_error();
        return;
    }
    const std::size_t length = std::strlen(text);
    if (length < 1 || length > INT32_MAX) { LSCRLXYZ_error(); return; }
    CURSOR* c = CURSOR_new();
    if (c == nullptr) { LSCRLXYZ_error(); return; }
    CURSOR_set(c, text, static_cast<std::int32_t>(length), 1);
    if (scroll->cursor != nullptr) CURSOR_free(&scroll->cursor);
    scroll->cursor = c;
    scroll->text = text;
    scroll->font = font;
    scroll->target = target;
    scroll->x = 0;
    scroll->y = 0;
    scroll->width = target->width;
    scroll->height = INT_mul(font->size->y, font->scale->y);
}

void LSCRLXYZ_step(LSCRLXYZ* scroll)
{
    std::int32_t moved = 0;
    if (scroll == nullptr || !SCROLL_advance(scroll->cursor, &scroll->offset, scroll->speed, cellOf(scroll->font), &moved)) {
        LSCRLXYZ_error();
        return;
    }
    // The waves keep to their letters: one channel step per cursor move.
    const std::int32_t sign = moved > 0 ? 1 : (moved < 0 ? -1 : 0);
    scroll->xPhase = INT_add(scroll->xPhase, INT_mul(sign, scroll->xStep));
    scroll->yPhase = INT_add(scroll->yPhase, INT_mul(sign, scroll->yStep));
    scroll->scalePhase = INT_add(scroll->scalePhase, INT_mul(sign, scroll->scaleStep));
    scroll->xPhase = INT_add(scroll->xPhase, scroll->xSpeed) & SINE_MASK;
    scroll->yPhase = INT_add(scroll->yPhase, scroll->ySpeed) & SINE_MASK;
    scroll->scalePhase = INT_add(scroll->scalePhase, scroll->scaleSpeed) & SINE_MASK;
}

void LSCRLXYZ_draw(LSCRLXYZ* scroll)
{
    if (!canDraw(scroll)) { LSCRLXYZ_error(); return; }
    LSCROLL v = view(scroll);
    LSCROLL_draw(&v);
}

void LSCRLXYZ_drawRandom(LSCRLXYZ* scroll)
{
    if (!canDraw(scroll)) { LSCRLXYZ_error(); return; }
    LSCROLL v = view(scroll);
    LSCROLL_drawRandom(&v);
}

void LSCRLXYZ_drawColored(LSCRLXYZ* scroll, std::uint32_t colour)
{
    if (!canDraw(scroll)) { LSCRLXYZ_error(); return; }
    LSCROLL v = view(scroll);
    LSCROLL_drawColored(&v, colour);
}

void LSCRLXYZ_drawSpiral(LSCRLXYZ* scroll, std::int32_t mode)
{
    if (!canDraw(scroll)) { LSCRLXYZ_error(); return; }
    LSCROLL v = view(scroll);
    LSCROLL_drawSpiral(&v, mode);
}

void LSCRLXYZ_drawWave(LSCRLXYZ* scroll)
{
    if (!canDraw(scroll)) { LSCRLXYZ_error(); return; }
    const std::int64_t x = scroll->x;
    const std::int64_t y = scroll->y;
    if (x > scroll->target->width || y > scroll->target->height || x + scroll->width < 0 || y + scroll->height < 0)
        return;
    LFONT* f = scroll->font;
    CURSOR* c = scroll->cursor;
    const std::int32_t cell = cellOf(f);
    const std::int32_t n = scroll->width / cell + 2;
    const std::int32_t scaleX = f->scale->x;
    const std::int32_t scaleY = f->scale->y;
    const std::int32_t left = static_cast<std::int32_t>(static_cast<std::uint32_t>(scroll->x) - static_cast<std::uint32_t>(scroll->offset));
    f->target = scroll->target;
    CURSOR_setIndex(c, c->index);
    CURSOR_save(c);
    c->step = 1;
    for (std::int32_t k = 0; k < n; ++k) {
        f->position->x = INT_add(INT_add(left, INT_mul(k, cell)), wave(scroll->xPhase, k, scroll->xStep, scroll->xAmplitude));
        f->position->y = INT_add(scroll->y, wave(scroll->yPhase, k, scroll->yStep, scroll->yAmplitude));
        const std::int32_t pulse = wave(scroll->scalePhase, k, scroll->scaleStep, scroll->scaleAmplitude);
        f->scale->x = INT_add(scaleX, pulse);
        f->scale->y = INT_add(scaleY, pulse);
        f->code = static_cast<signed char>(c->text[c->index]);
        LFONT_drawChar(f);
        CURSOR_advance(c);
    }
    CURSOR_restore(c);
    f->scale->x = scaleX;
    f->scale->y = scaleY;
}
