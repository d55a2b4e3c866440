// SINEDOTS: sine-sum dots. The phase arithmetic wraps in unsigned 32 bits and
// is masked, which equals the non-negative remainder modulo the table length.
#include "effects/SINEDOTS.h"

#include <array>
#include <new>

#include "effects/IMGFX.h"
#include "foundation/INT.h"
#include "foundation/RANDOM.h"
#include "foundation/SINE.h"

const MODID SINEDOTS_ID = MODID_CODE("SINEDOTS");
std::uint8_t SINEDOTS_debug = 0;

namespace {

constexpr std::uint32_t mask = static_cast<std::uint32_t>(SINE_MASK);

std::int32_t randomPhase() { return RANDOM_rand15() % SINE_SIZE; }
std::int32_t r(std::int32_t m) { return RANDOM_rand15() & m; }

// How each of the three waves is drawn: speed rand15 & mask + base, step
// rand15 & 15 + base (one more on y), a fixed amplitude.
struct Wave {
    std::int32_t speedMask, speedBase, stepBase, amplitude;
};
constexpr std::array<Wave, 3> waves{{{7, 3, 5, 128}, {7, 2, 6, 64}, {3, 1, 7, 32}}};

// Amplitudes from the image, then count dots as in the sine-line chain.
template <typename Plot>
void plotDots(SINEDOTS* dots, IMG* img, Plot plot)
{
    if (dots == nullptr || img == nullptr || dots->points == nullptr) { SINEDOTS_error(); return; }
    dots->width = img->width;
    dots->height = img->height;
    for (std::int32_t k = 0; k < 3; ++k) {
        dots->amplitude[k].x = img->width >> (k + 1);
        dots->amplitude[k].y = img->height >> (k + 1);
    }
    const std::uint32_t cx = INT_u(dots->width >> 1);
    const std::uint32_t cy = INT_u(dots->height >> 1);
    const SINEDOTS_XYZ* a = dots->amplitude;
    const SINEDOTS_XYZ* s = dots->step;
    std::uint32_t px[3], py[3];
    for (std::int32_t k = 0; k < 3; ++k) {
        px[k] = INT_u(dots->phase[k].x);
        py[k] = INT_u(dots->phase[k].y);
    }
    for (std::int32_t i = 0; i < dots->count; ++i) {
        std::uint32_t sx = 0, sy = 0;
        for (std::int32_t k = 0; k < 3; ++k) {
            sx += INT_u(SINE_at(px[k])) * INT_u(a[k].x);
            sy += INT_u(SINE_at(py[k])) * INT_u(a[k].y);
        }
        plot(img, INT_wrap(cx + INT_u(INT_wrap(sx) >> 16)), INT_wrap(cy + INT_u(INT_wrap(sy) >> 16)), dots->colour);
        for (std::int32_t k = 0; k < 3; ++k) {
            px[k] = (px[k] + INT_u(s[k].x)) & mask;
            py[k] = (py[k] + INT_u(s[k].y)) & mask;
        }
    }
}

}  // namespace

SINEDOTS* SINEDOTS_new()
{
    SINEDOTS* dots = new (std::nothrow) SINEDOTS{};
    if (dots == nullptr) { SINEDOTS_error(); return nullptr; }
    dots->width = dots->height = dots->depth = 256;
    SINEDOTS_setCount(dots, 16);
    dots->colour = 0xFF0000u;
    SINEDOTS_randomize(dots);
    return dots;
}

void SINEDOTS_free(SINEDOTS** dots)
{
    if (dots == nullptr || *dots == nullptr) { SINEDOTS_error(); return; }
    delete[] (*dots)->points;
    delete *dots;
    *dots = nullptr;
}

void SINEDOTS_setCount(SINEDOTS* dots, std::int32_t n)
{
    if (dots == nullptr || n <= 0) { SINEDOTS_error(); return; }
    delete[] dots->points;
    dots->count = 0;
    dots->points = new (std::nothrow) std::int32_t[static_cast<std::size_t>(n)]();
    if (dots->points == nullptr) { SINEDOTS_error(); return; }
    dots->count = n;
    SINEDOTS_randomize(dots);
}

void SINEDOTS_randomize(SINEDOTS* dots)
{
    if (dots == nullptr) { SINEDOTS_error(); return; }
    SINEDOTS_XYZ* p = dots->phase;
    SINEDOTS_XYZ* v = dots->speed;
    SINEDOTS_XYZ* s = dots->step;
    SINEDOTS_XYZ* a = dots->amplitude;
    for (std::int32_t k = 0; k < 3; ++k) {
        const Wave& w = waves[static_cast<std::size_t>(k)];
        p[k].x = randomPhase();
        p[k].y = randomPhase();
        v[k].x = r(w.speedMask) + w.speedBase;
        v[k].y = r(w.speedMask) + w.speedBase;
        s[k].x = r(15) + w.stepBase;
        s[k].y = r(15) + w.stepBase + 1;
        a[k] = {w.amplitude, w.amplitude, a[k].z};
    }
}

void SINEDOTS_advance(SINEDOTS* dots)
{
    if (dots == nullptr) { SINEDOTS_error(); return; }
    for (std::int32_t k = 0; k < 3; ++k) {
        dots->phase[k].x = INT_wrap((INT_u(dots->phase[k].x) + INT_u(dots->speed[k].x)) & mask);
        dots->phase[k].y = INT_wrap((INT_u(dots->phase[k].y) + INT_u(dots->speed[k].y)) & mask);
    }
}

void SINEDOTS_plot(SINEDOTS* dots, IMG* img) { plotDots(dots, img, IMG_putPixel); }

void SINEDOTS_plotAdd(SINEDOTS* dots, IMG* img) { plotDots(dots, img, IMGFX_addPixel); }

void SINEDOTS_error() {}
