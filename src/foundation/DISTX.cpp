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
    return INT_mul(SINE_at(i), amplitude) >> 16;
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
    DISTX_drawLines(&d->cursor, d->amplitude, d->image, d->x, d->y, target, false);
}

void DISTX_drawLines(CURSORX* cursor, std::int32_t amplitude, const IMG* image, std::int32_t x, std::int32_t y,
                     IMG* target, bool columns)
{
    const std::int32_t lines = columns ? image->width : image->height;
    const std::int32_t limit = columns ? target->width : target->height;
    const std::int32_t across = columns ? x : y;   // where line 0 lands
    const std::int32_t along = columns ? y : x;    // where the wave is centred
    CURSORX_setOffset(cursor, 0);
    for (std::int32_t l = 0; l < lines; ++l) {
        const std::int32_t i = CURSORX_step(cursor);
        const std::int32_t at = INT_add(across, l);
        if (at < 0 || at >= limit) continue;
        const std::int32_t offset = INT_add(along, shift(i, amplitude));
        if (columns) IMG_blitColumnWrap(image, target, l, at, offset);
        else IMG_blitRowWrap(image, target, l, at, offset);
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
