// DISTY: columns shifted by a sine wave. The cursor's offset restarts at 0 on
// every draw and steps once before each column, so column 0 already reads entry
// step; the shift is an arithmetic right shift of entry * amplitude.
#include "foundation/DISTY.h"

#include <new>

#include "foundation/INT.h"
#include "foundation/SINE.h"

const MODID DISTY_ID = MODID_CODE("DISTY   ");
std::uint8_t DISTY_debug = 0;

namespace {

// (T[i] * amplitude) >> 16 with the product wrapping in 32 bits; the index is
// masked so that a cursor lengthened past the table stays inside it.
std::int32_t shift(std::int32_t i, std::int32_t amplitude)
{
    const std::uint32_t product = static_cast<std::uint32_t>(SINE_table[i & SINE_MASK]) * static_cast<std::uint32_t>(amplitude);
    return static_cast<std::int32_t>(product) >> 16;
}

}  // namespace

DISTY* DISTY_new()
{
    DISTY* d = new (std::nothrow) DISTY{0, 0, 0, CURSORX{1024, 0, 0, 1, 0, 16}, 16, nullptr};
    if (d == nullptr) DISTY_error();
    return d;
}

void DISTY_free(DISTY** d)
{
    if (d == nullptr || *d == nullptr) { DISTY_error(); return; }
    delete *d;
    *d = nullptr;
}

void DISTY_draw(DISTY* d, IMG* target)
{
    if (d == nullptr || d->image == nullptr || target == nullptr) { DISTY_error(); return; }
    CURSORX_setOffset(&d->cursor, 0);
    for (std::int32_t c = 0; c < d->image->width; ++c) {
        const std::int32_t i = CURSORX_step(&d->cursor);
        const std::int32_t column = INT_add(d->x, c);
        if (column < 0 || column >= target->width) continue;
        IMG_blitColumnWrap(d->image, target, c, column, INT_add(d->y, shift(i, d->amplitude)));
    }
}

void DISTY_advance(DISTY* d)
{
    if (d == nullptr) { DISTY_error(); return; }
    CURSORX_advance(&d->cursor);
}

void DISTY_error()
{
}
