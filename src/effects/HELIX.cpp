// HELIX: bands and twists of two sine strands. The back pass is drawn first so
// the front spans cover it. Strand products wrap in 32 bits.
#include "effects/HELIX.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "effects/IMGFX.h"
#include "foundation/INT.h"
#include "foundation/RANDOM.h"
#include "foundation/SINE.h"

const MODID HELIX_ID = MODID_CODE("HELIX   ");
std::uint8_t HELIX_debug = 0;

namespace {

constexpr std::uint32_t mask = static_cast<std::uint32_t>(SINE_MASK);

// The strand's coordinate c + (S(p) * amplitude) >> 15.
std::int32_t strand(std::int32_t c, std::uint32_t p, std::int32_t amplitude)
{
    return INT_add(c, INT_mul(SINE_at(p), amplitude) >> 15);
}

std::uint32_t level(std::uint32_t p, std::int32_t shift)
{
    const std::int32_t v = SINE_at(p) >> shift;
    return INT_u(v < 0 ? -v : v);
}

// Bands: a and b are the two strands at column (row) i; back spans where
// a > b, front spans where a <= b.
template <typename Span>
void drawBand(const HELIX* h, std::int32_t c, std::int32_t n, Span span, bool vertical)
{
    for (std::int32_t pass = 0; pass < 2; ++pass) {
        std::uint32_t p = INT_u(h->phase) & mask;
        std::uint32_t q = (INT_u(h->phase) + INT_u(h->offset)) & mask;
        for (std::int32_t i = 0; i < n; ++i) {
            const std::int32_t a = strand(c, p, h->amplitude);
            const std::int32_t b = strand(c, q, h->amplitude);
            if (pass == 0 && a > b) {
                // The vertical band's back is a fixed 33-pixel piece below the first strand.
                if (vertical) span(i, a, INT_add(a, 32), h->shade);
                else span(i, a, b, h->shade);
            }
            if (pass == 1 && a <= b) span(i, a, b, h->colour);
            p = (p + INT_u(h->step)) & mask;
            q = (q + INT_u(h->step)) & mask;
        }
    }
}

// Twists: spans of length offset laid along the strand where it climbs
// (front, in colour) or falls (back, in shade), darkened by the sine.
// Spans on lines outside 0 .. lines - 1 are skipped (they would be clipped).
template <typename Span>
void drawTwist(const HELIX* h, std::int32_t c, std::int32_t n, std::int32_t lines, Span span, bool front)
{
    const auto inside = [lines](std::int64_t k) { return k >= 0 && k < lines; };
    const std::int32_t len = h->offset;
    std::int32_t prev = strand(c, INT_u(h->phase), h->amplitude);
    std::uint32_t p = (INT_u(h->phase) + INT_u(h->step)) & mask;
    const std::int64_t end = static_cast<std::int64_t>(n) + len;
    for (std::int64_t i64 = -static_cast<std::int64_t>(len); i64 < end; ++i64) {
        const std::int32_t i = static_cast<std::int32_t>(i64);
        const std::int32_t cur = strand(c, p, h->amplitude);
        if (front && cur > prev) {
            const std::uint32_t colour = RGB888_darken(h->colour, level(p, 8));
            for (std::int64_t k = std::max<std::int64_t>(prev, 0); k <= cur && inside(k); ++k)
                span(static_cast<std::int32_t>(k), i, INT_add(i, len), colour);
        }
        if (!front && cur < prev) {
            const std::uint32_t colour = RGB888_darken(h->shade, level(p, 9));
            for (std::int64_t k = std::min<std::int64_t>(prev, lines - 1); k >= cur && inside(k); --k)
                span(static_cast<std::int32_t>(k), i, INT_add(i, len), colour);
        }
        p = (p + INT_u(h->step)) & mask;
        prev = cur;
    }
}

bool usable(const HELIX* helix, const IMG* img)
{
    if (helix == nullptr || img == nullptr) { HELIX_error(); return false; }
    return true;
}

}  // namespace

HELIX* HELIX_new()
{
    HELIX* helix = new (std::nothrow) HELIX{};
    if (helix == nullptr) { HELIX_error(); return nullptr; }
    helix->width = helix->height = helix->depth = 256;
    HELIX_randomize(helix);
    return helix;
}

void HELIX_free(HELIX** helix)
{
    if (helix == nullptr || *helix == nullptr) { HELIX_error(); return; }
    delete *helix;
    *helix = nullptr;
}

void HELIX_randomize(HELIX* helix)
{
    if (helix == nullptr) { HELIX_error(); return; }
    helix->phase = RANDOM_random30() & SINE_MASK;
    helix->speed = RANDOM_random30() % 24 + 8;
    helix->step = (RANDOM_random30() & 7) + 1;
    helix->amplitude = RANDOM_random30() % 100 + 16;
    helix->offset = RANDOM_random30() % 63 + 64;
    helix->colour = (INT_u(RANDOM_random30()) & 0x7F7F7Fu) + 0x808080u;
    helix->shade = (helix->colour & 0xFEFEFEu) >> 1;
}

void HELIX_advance(HELIX* helix)
{
    if (helix == nullptr) { HELIX_error(); return; }
    helix->phase = INT_wrap((INT_u(helix->phase) + INT_u(helix->speed)) & mask);
}

void HELIX_drawBandV(const HELIX* helix, IMG* img)
{
    if (!usable(helix, img)) return;
    drawBand(helix, img->height >> 1, img->width,
             [img](std::int32_t x, std::int32_t a, std::int32_t b, std::uint32_t c) { IMGFX_vLine(img, x, a, b, c); }, true);
}

void HELIX_drawBandH(const HELIX* helix, IMG* img)
{
    if (!usable(helix, img)) return;
    drawBand(helix, img->width >> 1, img->height,
             [img](std::int32_t y, std::int32_t a, std::int32_t b, std::uint32_t c) { IMGFX_hLine(img, y, a, b, c); }, false);
}

void HELIX_drawTwistH(const HELIX* helix, IMG* img)
{
    if (!usable(helix, img)) return;
    const auto span = [img](std::int32_t y, std::int32_t x1, std::int32_t x2, std::uint32_t c) { IMGFX_hLine(img, y, x1, x2, c); };
    drawTwist(helix, img->height >> 1, img->width, img->height, span, false);
    drawTwist(helix, img->height >> 1, img->width, img->height, span, true);
}

void HELIX_drawTwistV(const HELIX* helix, IMG* img)
{
    if (!usable(helix, img)) return;
    drawTwist(helix, img->width >> 1, img->height, img->width,
              [img](std::int32_t x, std::int32_t y1, std::int32_t y2, std::uint32_t c) { IMGFX_vLine(img, x, y1, y2, c); }, true);
}

void HELIX_drawTwistVBack(const HELIX* helix, IMG* img)
{
    if (!usable(helix, img)) return;
    drawTwist(helix, img->width >> 1, img->height, img->width,
              [img](std::int32_t x, std::int32_t y1, std::int32_t y2, std::uint32_t c) { IMGFX_vLine(img, x, y1, y2, c); }, false);
}

bool HELIX_equal(const HELIX* a, const HELIX* b)
{
    if (a == nullptr || b == nullptr) { HELIX_error(); return false; }
    return a->phase == b->phase && a->speed == b->speed && a->step == b->step && a->amplitude == b->amplitude &&
           a->offset == b->offset && a->colour == b->colour && a->spare == b->spare;
}

namespace {

void copyWave(const HELIX* src, HELIX* dst)
{
    dst->phase = src->phase;
    dst->speed = src->speed;
    dst->step = src->step;
    dst->amplitude = src->amplitude;
    dst->offset = src->offset;
    dst->colour = src->colour;
    dst->spare = src->spare;
}

}  // namespace

void HELIX_copy(const HELIX* src, HELIX* dst)
{
    if (src == nullptr || dst == nullptr) { HELIX_error(); return; }
    copyWave(src, dst);
    dst->x = src->x;
    dst->y = src->y;
    dst->z = src->z;
}

HELIX* HELIX_clone(const HELIX* helix)
{
    if (helix == nullptr) { HELIX_error(); return nullptr; }
    HELIX* c = HELIX_new();
    if (c != nullptr) copyWave(helix, c);
    return c;
}

char* HELIX_print(const HELIX* helix)
{
    if (helix == nullptr) HELIX_error();
    return nullptr;
}

void HELIX_error()
{
    if (HELIX_debug != 0) std::fputs("HELIX error\n", stdout);
}
