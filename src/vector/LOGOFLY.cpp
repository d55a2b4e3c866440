// LOGOFLY: the flying logo. The per-letter phase stays in the first half of
// the sine table, so letters only rise above the base line.
#include "vector/LOGOFLY.h"

#include <cstdio>
#include <new>

#include "foundation/INT.h"
#include "foundation/RANDOM.h"
#include "foundation/SINE.h"

const MODID LOGOFLY_ID = MODID_CODE("LOGOFLY ");
std::uint8_t LOGOFLY_debug = 0;

void LOGOFLY_error()
{
    if (LOGOFLY_debug != 0) std::fputs("LOGOFLY error\n", stdout);
}

namespace {

constexpr std::int32_t MAX_LETTERS = 40;

}  // namespace

LOGOFLY* LOGOFLY_new()
{
    LOGOFLY* logo = new (std::nothrow) LOGOFLY{};
    if (logo == nullptr) { LOGOFLY_error(); return nullptr; }
    LOGOFLY_reset(logo);
    return logo;
}

void LOGOFLY_free(LOGOFLY** logo)
{
    if (logo == nullptr || *logo == nullptr) { LOGOFLY_error(); return; }
    delete *logo;
    *logo = nullptr;
}

void LOGOFLY_reset(LOGOFLY* logo)
{
    if (logo == nullptr) { LOGOFLY_error(); return; }
    logo->phase = 0;
    logo->speed = RANDOM_random30() % 24 + 8;
    logo->step = (RANDOM_random30() & 7) + 1;
    logo->amplitude = RANDOM_random30() % 100 + 16;
    logo->color = 0xffffff;
    logo->text = "QORN";
}

bool LOGOFLY_equal(const LOGOFLY* a, const LOGOFLY* b)
{
    if (a == nullptr || b == nullptr) { LOGOFLY_error(); return false; }
    return a->phase == b->phase && a->speed == b->speed && a->step == b->step && a->amplitude == b->amplitude;
}

void LOGOFLY_copy(const LOGOFLY* src, LOGOFLY* dst)
{
    if (src == nullptr || dst == nullptr) { LOGOFLY_error(); return; }
    *dst = *src;
}

LOGOFLY* LOGOFLY_clone(const LOGOFLY* src)
{
    if (src == nullptr) { LOGOFLY_error(); return nullptr; }
    LOGOFLY* logo = new (std::nothrow) LOGOFLY{*src};
    if (logo == nullptr) LOGOFLY_error();
    return logo;
}

void LOGOFLY_draw(LOGOFLY* logo)
{
    if (logo == nullptr || logo->font == nullptr || logo->target == nullptr || logo->text == nullptr
        || logo->font->position == nullptr || logo->font->scale == nullptr) {
        LOGOFLY_error();
        return;
    }
    LFONT* f = logo->font;
    f->angle = 0;
    f->scale->x = 1;
    f->scale->y = 1;
    f->position->x = logo->x;
    std::int32_t p = logo->phase & SINE_MASK;   // a phase set out of range still reads the table
    for (std::int32_t i = 0; i < MAX_LETTERS && logo->text[i] != '\0'; ++i) {
        LFONT_setColor(f, logo->color);
        f->code = static_cast<signed char>(logo->text[i]);
        const auto jump = static_cast<std::int32_t>((std::int64_t{SINE_table[p]} * logo->amplitude) >> 15);
        f->position->y = INT_sub(logo->y, jump);
        LFONT_drawChar(f);
        p = INT_add(p, logo->step) & 511;
    }
}

void LOGOFLY_update(LOGOFLY* logo)
{
    if (logo == nullptr) { LOGOFLY_error(); return; }
    logo->phase = INT_add(logo->phase, logo->speed) & 511;
}

void LOGOFLY_stepFull(LOGOFLY* logo)
{
    if (logo == nullptr) { LOGOFLY_error(); return; }
    logo->phase = INT_add(logo->phase, logo->speed) & 1023;
}
