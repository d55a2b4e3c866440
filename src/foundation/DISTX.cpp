// DISTX: rows shifted by a sine wave. The cursor's offset restarts at 0 on
// every draw and steps once before each row, so row 0 already reads entry
// step; the shift is an arithmetic right shift of entry * amplitude.
#include "foundation/DISTX.h"

#include <new>

#include "foundation/INT.h"
#include "foundation/SINE.h"

const MODID DISTX_ID = MODID_CODE("DISTX   ");
std::uint8_t DISTX_debug = 0;

namespace {

// (T[i] * amplitude) >> 16 with the product wrapping in 32 bits; the index is
// masked so that a cursor lengthened past the table stays inside it.
std::int32_t shift(std::int32_t i, std::int32_t amplitude)
{
    const std::uint32_t product = static_cast<std::uint32_t>(SINE_table[i & SINE_MASK]) * static_cast<std::uint32_t>(amplitude);
    return static_cast<std::int32_t>(product) >> 16;
}

}  // namespace

DISTX* DISTX_new()
{
    DISTX* d = new (std::nothrow) DISTX{0, 0, 0, CURSORX{1024, 0, 0, 1, 0, 16}, 16, nullptr};
    if (d == nullptr) DISTX_error();
    return d;
}

void DISTX_free(DISTX** d)
{
    if (d == nullptr || *d == nullptr) { DISTX_error(); return; }
    delete *d;
    *d = nullptr;
}

void DISTX_draw(DISTX* d, IMG* target)
{
    if (d == nullptr || d->image == nullptr || target == nullptr) { DISTX_error(); return; }
    CURSORX_setOffset(&d->cursor, 0);
    for (std::int32_t r = 0; r < d->image->height; ++r) {
        const std::int32_t i = CURSORX_step(&d->cursor);
        const std::int32_t row = INT_add(d->y, r);
        if (row < 0 || row >= target->height) continue;
        IMG_blitRowWrap(d->image, target, r, row, INT_add(d->x, shift(i, d->amplitude)));
    }
}

void DISTX_advance(DISTX* d)
{
    if (d == nullptr) { DISTX_error(); return; }
    CURSORX_advance(&d->cursor);
}

void DISTX_error()
{
}
