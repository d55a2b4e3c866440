// SINELINE: three-component sine chains and their drawings. Phase arithmetic
// is done in unsigned 32 bits and masked, which equals the non-negative
// remainder modulo the table length; the weighted sums wrap in 32 bits.
#include "effects/SINELINE.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "effects/IMGFX.h"
#include "foundation/INT.h"
#include "foundation/RANDOM.h"
#include "foundation/SINE.h"

const MODID SINELINE_ID = MODID_CODE("SINELINE");
std::uint8_t SINELINE_debug = 0;

namespace {

constexpr std::uint32_t mask = static_cast<std::uint32_t>(SINE_MASK);

// Phase plus increment, reduced to 0..N-1.
std::int32_t turn(std::int32_t phase, std::int32_t by) { return INT_wrap((INT_u(phase) + INT_u(by)) & mask); }

std::int32_t randomPhase() { return RANDOM_rand15() % SINE_SIZE; }
std::int32_t r(std::int32_t m) { return RANDOM_rand15() & m; }

// How each of the three waves is drawn: speed and step (one more on y) are
// rand15 & mask + base; waves 1 and 3 run forward, wave 2 backward.
struct Wave {
    std::int32_t sign, speedMask, speedBase, stepMask, stepBase;
};
constexpr std::array<Wave, 3> waves{{{1, 15, 3, 7, 3}, {-1, 7, 2, 15, 4}, {1, 3, 1, 31, 5}}};

std::int32_t absDiff(std::int32_t a, std::int32_t b)
{
    const std::int32_t d = INT_sub(a, b);
    return d < 0 ? INT_sub(0, d) : d;
}

bool usable(const SINELINE* line, const IMG* img)
{
    if (line == nullptr || img == nullptr || line->points == nullptr) {
        SINELINE_error();
        return false;
    }
    return true;
}

std::int32_t px(const SINELINE* line, std::int32_t i) { return line->points[2 * i]; }
std::int32_t py(const SINELINE* line, std::int32_t i) { return line->points[2 * i + 1]; }

// Each segment of the path together with the mirror copies chosen by the
// flags; the copies use W - x and H - y of the target image.
enum : unsigned { mirrorH = 1, mirrorV = 2, mirrorHV = 4, swap = 8, swapH = 16, swapV = 32, swapHV = 64 };

void drawMirrored(const SINELINE* line, IMG* img, unsigned copies)
{
    if (!usable(line, img)) return;
    const std::uint32_t w = INT_u(img->width);
    const std::uint32_t h = INT_u(img->height);
    const std::uint32_t c = line->colour;
    for (std::int32_t i = 0; i + 1 < line->count; ++i) {
        const std::int32_t x1 = px(line, i), y1 = py(line, i);
        const std::int32_t x2 = px(line, i + 1), y2 = py(line, i + 1);
        const std::int32_t mx1 = INT_wrap(w - INT_u(x1)), mx2 = INT_wrap(w - INT_u(x2));
        const std::int32_t my1 = INT_wrap(h - INT_u(y1)), my2 = INT_wrap(h - INT_u(y2));
        const std::int32_t tx1 = INT_wrap(w - INT_u(y1)), tx2 = INT_wrap(w - INT_u(y2));   // W - y
        const std::int32_t ty1 = INT_wrap(h - INT_u(x1)), ty2 = INT_wrap(h - INT_u(x2));   // H - x
        IMG_drawLine(img, x1, y1, x2, y2, c);
        if ((copies & mirrorH) != 0) IMG_drawLine(img, mx1, y1, mx2, y2, c);
        if ((copies & mirrorV) != 0) IMG_drawLine(img, x1, my1, x2, my2, c);
        if ((copies & mirrorHV) != 0) IMG_drawLine(img, mx1, my1, mx2, my2, c);
        if ((copies & swap) != 0) IMG_drawLine(img, y1, x1, y2, x2, c);
        if ((copies & swapH) != 0) IMG_drawLine(img, tx1, x1, tx2, x2, c);
        if ((copies & swapV) != 0) IMG_drawLine(img, y1, ty1, y2, ty2, c);
        if ((copies & swapHV) != 0) IMG_drawLine(img, tx1, ty1, tx2, ty2, c);
    }
}

// The curtain: the wave, and under every point a vertical line to the band
// bottom; the fill is plain or blended.
void drawCurtain(const SINELINE* line, IMG* img, std::int32_t step, bool blend)
{
    if (!usable(line, img)) return;
    if (line->count < 2) return;   // the closing line needs a last point
    const std::int32_t top = line->y;
    const std::int32_t bottom = INT_wrap(INT_u(top) + INT_u(line->height) - 1u);
    const std::uint32_t c = line->colour;
    std::int32_t i = 0;
    for (; i + 1 < line->count; ++i) {
        const std::int32_t xa = INT_mul(i, step);
        const std::int32_t xb = INT_mul(i + 1, step);
        const std::int32_t ya = INT_add(top, py(line, i));
        const std::int32_t yb = INT_add(top, py(line, i + 1));
        IMG_drawLine(img, xa, ya, xb, yb, c);
        if (blend) IMGFX_blendVLine(img, xa, ya, bottom, c, 128);
        else IMG_drawLine(img, xa, ya, xa, bottom, c);
    }
    const std::int32_t xl = INT_mul(i, step);
    const std::int32_t yl = INT_add(top, py(line, i));
    if (blend) IMGFX_blendVLine(img, xl, yl, bottom, c, 40);
    else IMG_drawLine(img, xl, yl, xl, bottom, c);
}

}  // namespace

SINELINE* SINELINE_new()
{
    SINELINE* line = new (std::nothrow) SINELINE{};
    if (line == nullptr) { SINELINE_error(); return nullptr; }
    line->width = line->height = line->depth = 256;
    SINELINE_setCount(line, 16);
    line->colour = 0xFF0000u;
    SINELINE_randomize(line);
    return line;
}

void SINELINE_free(SINELINE** line)
{
    if (line == nullptr || *line == nullptr) { SINELINE_error(); return; }
    delete[] (*line)->points;
    delete *line;
    *line = nullptr;
}

void SINELINE_setCount(SINELINE* line, std::int32_t n)
{
    if (line == nullptr || n <= 0) { SINELINE_error(); return; }
    delete[] line->points;
    line->points = nullptr;
    line->count = 0;
    line->points = new (std::nothrow) std::int32_t[2 * static_cast<std::size_t>(n)]();
    if (line->points == nullptr) { SINELINE_error(); return; }
    line->count = n;
    SINELINE_randomize(line);
}

void SINELINE_randomize(SINELINE* line)
{
    if (line == nullptr) { SINELINE_error(); return; }
    SINELINE_XYZ* p = line->phase;
    SINELINE_XYZ* v = line->speed;
    SINELINE_XYZ* s = line->step;
    SINELINE_XYZ* a = line->amplitude;
    for (std::int32_t k = 0; k < 3; ++k) {
        const Wave& w = waves[static_cast<std::size_t>(k)];
        p[k].x = randomPhase();
        p[k].y = randomPhase();
        v[k].x = w.sign * (r(w.speedMask) + w.speedBase);
        v[k].y = w.sign * (r(w.speedMask) + w.speedBase);
        s[k].x = w.sign * (r(w.stepMask) + w.stepBase);
        s[k].y = w.sign * (r(w.stepMask) + w.stepBase + 1);
        a[k].x = line->width / (2 << k);   // a half, a quarter, an eighth
        a[k].y = line->height / (2 << k);
    }
}

void SINELINE_compute(SINELINE* line)
{
    if (line == nullptr || line->points == nullptr) { SINELINE_error(); return; }
    const std::uint32_t cx = INT_u(line->width >> 1);
    const std::uint32_t cy = INT_u(line->height >> 1);
    const SINELINE_XYZ* a = line->amplitude;
    const SINELINE_XYZ* s = line->step;
    std::uint32_t p1x = INT_u(line->phase[0].x), p1y = INT_u(line->phase[0].y);
    std::uint32_t p2x = INT_u(line->phase[1].x), p2y = INT_u(line->phase[1].y);
    std::uint32_t p3x = INT_u(line->phase[2].x), p3y = INT_u(line->phase[2].y);
    for (std::int32_t i = 0; i < line->count; ++i) {
        // Each sine is at most 32767, so a component adds at most half its amplitude.
        const std::uint32_t sx = INT_u(SINE_at(p1x)) * INT_u(a[0].x) + INT_u(SINE_at(p2x)) * INT_u(a[1].x) + INT_u(SINE_at(p3x)) * INT_u(a[2].x);
        const std::uint32_t sy = INT_u(SINE_at(p1y)) * INT_u(a[0].y) + INT_u(SINE_at(p2y)) * INT_u(a[1].y) + INT_u(SINE_at(p3y)) * INT_u(a[2].y);
        line->points[2 * i] = INT_wrap(cx + INT_u(INT_wrap(sx) >> 16));
        line->points[2 * i + 1] = INT_wrap(cy + INT_u(INT_wrap(sy) >> 16));
        p1x = (p1x + INT_u(s[0].x)) & mask;
        p1y = (p1y + INT_u(s[0].y)) & mask;
        p2x = (p2x + INT_u(s[1].x)) & mask;
        p2y = (p2y + INT_u(s[1].y)) & mask;
        p3x = (p3x + INT_u(s[2].x)) & mask;
        p3y = (p3y + INT_u(s[2].y)) & mask;
    }
}

void SINELINE_advance(SINELINE* line)
{
    if (line == nullptr) { SINELINE_error(); return; }
    for (std::int32_t k = 0; k < 3; ++k) {
        line->phase[k].x = turn(line->phase[k].x, line->speed[k].x);
        line->phase[k].y = turn(line->phase[k].y, line->speed[k].y);
    }
}

void SINELINE_drawPath(const SINELINE* line, IMG* img) { drawMirrored(line, img, 0); }

void SINELINE_drawWave(const SINELINE* line, IMG* img, std::int32_t step)
{
    if (!usable(line, img)) return;
    for (std::int32_t i = 0; i + 1 < line->count; ++i)
        IMG_drawLine(img, INT_mul(i, step), py(line, i), INT_mul(i + 1, step), py(line, i + 1), line->colour);
}

void SINELINE_drawCurtain(const SINELINE* line, IMG* img, std::int32_t step) { drawCurtain(line, img, step, false); }

void SINELINE_drawBlendCurtain(const SINELINE* line, IMG* img, std::int32_t step) { drawCurtain(line, img, step, true); }

void SINELINE_drawWaveV(const SINELINE* line, IMG* img, std::int32_t step)
{
    if (!usable(line, img)) return;
    for (std::int32_t i = 0; i + 1 < line->count; ++i)
        IMG_drawLine(img, px(line, i), INT_mul(i, step), px(line, i + 1), INT_mul(i + 1, step), line->colour);
}

void SINELINE_drawMirror4(const SINELINE* line, IMG* img) { drawMirrored(line, img, mirrorH | mirrorV | mirrorHV); }

void SINELINE_drawMirrorV(const SINELINE* line, IMG* img) { drawMirrored(line, img, mirrorV); }

void SINELINE_drawMirrorH(const SINELINE* line, IMG* img) { drawMirrored(line, img, mirrorH); }

void SINELINE_drawMirrorDiag(const SINELINE* line, IMG* img) { drawMirrored(line, img, swap | mirrorHV | swapHV); }

void SINELINE_drawMirror8(const SINELINE* line, IMG* img)
{
    drawMirrored(line, img, mirrorH | mirrorV | mirrorHV | swap | swapH | swapV | swapHV);
}

void SINELINE_drawCircles(const SINELINE* line, IMG* img)
{
    if (!usable(line, img)) return;
    for (std::int32_t i = 0; i + 1 < line->count; ++i) {
        const std::int32_t radius = INT_add(absDiff(px(line, i + 1), px(line, i)), absDiff(py(line, i + 1), py(line, i))) >> 1;
        IMG_fillCircle(img, px(line, i), py(line, i), radius, line->colour);
    }
}

void SINELINE_drawCentreCircles(const SINELINE* line, IMG* img)
{
    if (!usable(line, img)) return;
    for (std::int32_t i = 0; i + 1 < line->count; ++i) {
        const std::int32_t dx = absDiff(px(line, i), line->width / 2);
        const std::int32_t dy = absDiff(py(line, i), line->height / 2);
        IMG_fillCircle(img, px(line, i), py(line, i), INT_add(dx, dy) >> 3, line->colour + 8u * INT_u(i));
    }
}

void SINELINE_drawEllipses(const SINELINE* line, IMG* img)
{
    if (!usable(line, img)) return;
    for (std::int32_t i = 0; i + 1 < line->count; ++i) {
        const std::int32_t dx = absDiff(px(line, i), line->width / 2);
        const std::int32_t dy = absDiff(py(line, i), line->height / 2);
        IMG_drawEllipse(img, px(line, i), py(line, i), INT_add(dx >> 1, dy >> 4), INT_add(dx >> 4, dy >> 1), line->colour);
        IMG_drawEllipse(img, px(line, i), py(line, i), INT_add(dx >> 3, dy >> 4), INT_add(dy >> 3, dx >> 4), line->colour * 4u);
    }
}

char* SINELINE_print(const SINELINE* line)
{
    if (line == nullptr) SINELINE_error();
    return nullptr;
}

bool SINELINE_equal(const SINELINE* a, const SINELINE* b)
{
    if (a == nullptr || b == nullptr) SINELINE_error();
    return false;
}

SINELINE* SINELINE_clone(const SINELINE* line)
{
    if (line == nullptr) { SINELINE_error(); return nullptr; }
    return SINELINE_new();
}

void SINELINE_copy(const SINELINE* src, SINELINE* dst)
{
    if (src == nullptr || dst == nullptr) SINELINE_error();
}

void SINELINE_error()
{
    if (SINELINE_debug != 0) std::fputs("SINELINE error\n", stdout);
}
