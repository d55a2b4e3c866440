// LSCRLXYZ: the wave scroller. Its plain draws run LSCROLL's on a view of
// the shared fields; its step is SCROLL_advance plus the wave phases.
#include "vector/LSCRLXYZ.h"

#include <cstdio>

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

bool canDraw(const LSCRLXYZ* s)
{
    if (s == nullptr) return false;
    const LSCROLL v = view(s);
    return LSCROLL_ready(&v);
}

}  // namespace

LSCRLXYZ* LSCRLXYZ_new()
{
    LSCRLXYZ* s = SCROLL_newRecord<LSCRLXYZ>();
    if (s == nullptr) { LSCRLXYZ_error(); return nullptr; }
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
    if (!SCROLL_freeRecord(scroll)) LSCRLXYZ_error();
}

void LSCRLXYZ_set(LSCRLXYZ* scroll, const char* text, LFONT* font, IMG* target)
{
    if (scroll == nullptr || font == nullptr || target == nullptr || font->size == nullptr || font->scale == nullptr
        || !SCROLL_attach(scroll, text, font, target, INT_mul(font->size->y, font->scale->y))) {
        LSCRLXYZ_error();
    }
}

void LSCRLXYZ_step(LSCRLXYZ* scroll)
{
    std::int32_t moved = 0;
    if (scroll == nullptr || !SCROLL_advance(scroll->cursor, &scroll->offset, scroll->speed, LSCROLL_cell(scroll->font), &moved)) {
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
    const LSCROLL v = view(scroll);
    if (!LSCROLL_onTarget(&v)) return;
    LFONT* f = scroll->font;
    const std::int32_t cell = LSCROLL_cell(f);
    const std::int32_t scaleX = f->scale->x;
    const std::int32_t scaleY = f->scale->y;
    const std::int32_t left = INT_sub(scroll->x, scroll->offset);
    f->target = scroll->target;
    SCROLL_walk(scroll->cursor, scroll->width / cell + 2, [&](std::int32_t k, signed char code) {
        f->position->x = INT_add(INT_add(left, INT_mul(k, cell)), wave(scroll->xPhase, k, scroll->xStep, scroll->xAmplitude));
        f->position->y = INT_add(scroll->y, wave(scroll->yPhase, k, scroll->yStep, scroll->yAmplitude));
        const std::int32_t pulse = wave(scroll->scalePhase, k, scroll->scaleStep, scroll->scaleAmplitude);
        f->scale->x = INT_add(scaleX, pulse);
        f->scale->y = INT_add(scaleY, pulse);
        f->code = code;
        LFONT_drawChar(f);
    });
    f->scale->x = scaleX;
    f->scale->y = scaleY;
}
