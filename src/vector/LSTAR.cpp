// LSTAR: for each point, a line from A's point to B's point in A's colour,
// then from A's next point back to B's point in B's colour.
#include "vector/LSTAR.h"

#include <cstdio>
#include <new>

#include "effects/IMGFX.h"
#include "foundation/INT.h"
#include "foundation/SINE.h"

const MODID LSTAR_ID = MODID_CODE("LSTAR   ");
std::uint8_t LSTAR_debug = 0;

void LSTAR_error()
{
    if (LSTAR_debug != 0) std::fputs("LSTAR error\n", stdout);
}

namespace {

struct Point {
    std::int32_t x, y;
};

Point rayEnd(const LSTAR* s, const LRADIAL* ring, std::int32_t accumulator)
{
    const std::int32_t i = (accumulator >> 16) & SINE_MASK;
    const auto dx = static_cast<std::int32_t>((std::int64_t{SINE_table[i]} * ring->radius) >> 15);
    const auto dy = static_cast<std::int32_t>((std::int64_t{SINE_table[(i + 256) & SINE_MASK]} * ring->radius) >> 15);
    return {INT_add(s->centerX, dx), INT_add(s->centerY, dy)};
}

template <typename Line>
void outline(const LSTAR* s, Line line)
{
    const LRADIAL* a = s->inner;
    const LRADIAL* b = s->outer;
    std::int32_t accA = a->phase;
    std::int32_t accB = b->phase;
    for (std::int32_t k = 0; k < a->rays; ++k) {
        const Point pa = rayEnd(s, a, accA);
        const Point pb = rayEnd(s, b, accB);
        line(pa, pb, a->color);
        accA = INT_add(accA, a->step) & LRADIAL_MASK;
        accB = INT_add(accB, b->step) & LRADIAL_MASK;
        line(rayEnd(s, a, accA), pb, b->color);
    }
}

bool usable(const LSTAR* s) { return s != nullptr && s->inner != nullptr && s->outer != nullptr; }

}  // namespace

LSTAR* LSTAR_new()
{
    LSTAR* s = new (std::nothrow) LSTAR{128, 128, 256, 256, nullptr, nullptr};
    if (s == nullptr) { LSTAR_error(); return nullptr; }
    s->inner = LRADIAL_new();
    s->outer = LRADIAL_new();
    if (!usable(s)) {
        LSTAR_free(&s);
        LSTAR_error();
        return nullptr;
    }
    s->outer->speed = s->inner->speed;   // both rings turn together, so the star keeps its shape
    LSTAR_setPoints(s, 8);
    return s;
}

void LSTAR_free(LSTAR** star)
{
    if (star == nullptr || *star == nullptr) { LSTAR_error(); return; }
    if ((*star)->inner != nullptr) LRADIAL_free(&(*star)->inner);
    if ((*star)->outer != nullptr) LRADIAL_free(&(*star)->outer);
    delete *star;
    *star = nullptr;
}

void LSTAR_setPoints(LSTAR* star, std::int32_t n)
{
    if (!usable(star) || n <= 0) { LSTAR_error(); return; }
    LRADIAL_setRays(star->inner, n);
    LRADIAL_setRays(star->outer, n);
    star->outer->phase = INT_add(star->inner->phase, star->inner->step / 2) & LRADIAL_MASK;
}

void LSTAR_rotate(LSTAR* star)
{
    if (!usable(star)) { LSTAR_error(); return; }
    LRADIAL_rotate(star->inner);
    LRADIAL_rotate(star->outer);
}

void LSTAR_draw(const LSTAR* star, IMG* image)
{
    if (!usable(star) || image == nullptr) { LSTAR_error(); return; }
    outline(star, [&](Point p, Point q, std::uint32_t c) { IMG_drawLine(image, p.x, p.y, q.x, q.y, c); });
}

void LSTAR_drawThick(const LSTAR* star, IMG* image, std::int32_t lineWidth)
{
    if (!usable(star) || image == nullptr) { LSTAR_error(); return; }
    outline(star, [&](Point p, Point q, std::uint32_t c) { IMGFX_thickLine(image, p.x, p.y, q.x, q.y, c, lineWidth); });
}
