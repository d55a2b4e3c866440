// DISTY: columns shifted by a sine wave, drawn by the wave of DISTX with the
// axes swapped.
#include "foundation/DISTY.h"

#include <new>

#include "foundation/DISTX.h"

const MODID DISTY_ID = MODID_CODE("DISTY   ");
std::uint8_t DISTY_debug = 0;

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
    DISTX_drawLines(&d->cursor, d->amplitude, d->image, d->x, d->y, target, true);
}

void DISTY_advance(DISTY* d)
{
    if (d == nullptr) { DISTY_error(); return; }
    CURSORX_advance(&d->cursor);
}

void DISTY_error()
{
}
