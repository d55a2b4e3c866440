// BALL3D: the lit ball. The grid products wrap in 32 bits (radii up to 255 and
// light components up to 10 never reach the limit). A brightness beyond 255
// is held to 255 when the grey word is built, so it saturates instead of
// spilling into the neighbouring channel.
#include "effects/BALL3D.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <new>

#include "foundation/INT.h"
#include "foundation/RANDOM.h"
#include "foundation/SINE.h"
#include "raster/PIXSPAN.h"

const MODID BALL3D_ID = MODID_CODE("BALL3D  ");
std::uint8_t BALL3D_debug = 0;

namespace {

constexpr std::int32_t half = SINE_SIZE / 2;
constexpr std::int32_t quarter = SINE_SIZE / 4;

// (sine entry * r) >> 15 in wrapping 32-bit arithmetic.
std::int32_t scale(std::int32_t index, std::int32_t r)
{
    return SINE_scale(index, r);
}

std::uint32_t grey(std::int32_t v)
{
    const std::uint32_t g = INT_u(std::min(v, 255));
    return (g << 16) | (g << 8) | g;
}

// One ring of the grid: offsets, brightnesses and colours of its half points.
// Integer arithmetic only, so every instruction set the compiler makes a copy
// for gives the same words; the processor's best copy is picked at load time.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__SANITIZE_ADDRESS__)
__attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#endif
void shadeRing(std::int32_t ring, std::uint32_t lightY, BALL3D_XYZ l, std::uint32_t c, std::int32_t* dxs,
               std::int32_t* brightness, std::uint32_t* colours)
{
    for (std::int32_t b = 0; b < half; ++b) {
        const std::int32_t dx = INT_mul(SINE_table[b + quarter], ring) >> 15;
        const std::int32_t dz = INT_mul(SINE_table[b], ring) >> 15;
        const std::int32_t v = INT_wrap(INT_u(dx) * INT_u(l.x) + lightY + INT_u(dz) * INT_u(l.z)) / 9;
        dxs[b] = dx;
        brightness[b] = v;
        colours[b] = v >= 0 ? PIXSPAN_addPixel(c, grey(v)) : PIXSPAN_subPixel(c, grey(-v));   // RGB888_add, RGB888_sub
    }
}

}  // namespace

BALL3D* BALL3D_new()
{
    BALL3D* ball = new (std::nothrow) BALL3D{};
    if (ball == nullptr) { BALL3D_error(); return nullptr; }
    ball->x = RANDOM_random30() & 255;
    ball->y = RANDOM_random30() & 255;
    ball->z = RANDOM_random30() & 255;
    ball->width = ball->height = ball->depth = 256;
    ball->radius = RANDOM_random30() & 255;
    ball->colour = INT_u(RANDOM_random30());
    ball->spare = RANDOM_random30();
    return ball;
}

void BALL3D_free(BALL3D** ball)
{
    if (ball == nullptr || *ball == nullptr) { BALL3D_error(); return; }
    delete *ball;
    *ball = nullptr;
}

void BALL3D_draw(BALL3D* ball)
{
    if (ball == nullptr) { BALL3D_error(); return; }
    const std::int32_t r = ball->radius;
    const std::uint32_t c = ball->colour;
    const BALL3D_XYZ l = ball->light;
    std::int32_t least = INT32_MAX, most = INT32_MIN, last = 0;
    // The points are plotted here rather than through IMG_putPixel, with its
    // clipping; an image without pixels still goes there to be reported.
    IMG* image = ball->image;
    const bool direct = image != nullptr && image->pixels != nullptr;
    const std::int64_t width = direct ? image->width : 0, height = direct ? image->height : 0;
    // A ring of the grid at a time: its offsets, brightnesses and colours in
    // plain loops over arrays (the sine indices b and b + quarter never wrap
    // for b below half), then the points in their order, so where points meet
    // on one pixel the later one stays.
    std::int32_t dxs[half], brightness[half];
    std::uint32_t colours[half];
    for (std::int32_t a = 0; a < half; ++a) {
        const std::int32_t ring = scale(a, r);
        const std::int32_t dy = scale(a + quarter, r);
        const std::int32_t py = INT_add(ball->y, dy);
        const std::uint32_t lightY = INT_u(dy) * INT_u(l.y);
        shadeRing(ring, lightY, l, c, dxs, brightness, colours);
        for (std::int32_t b = 0; b < half; ++b) {
            least = std::min(least, brightness[b]);
            most = std::max(most, brightness[b]);
        }
        last = brightness[half - 1];
        if (!direct) {
            for (std::int32_t b = 0; b < half; ++b) IMG_putPixel(image, INT_add(ball->x, dxs[b]), py, colours[b]);
        } else if (py >= 0 && py < height) {
            std::uint32_t* row = image->pixels + static_cast<std::size_t>(py) * static_cast<std::size_t>(width);
            for (std::int32_t b = 0; b < half; ++b) {
                const std::int32_t px = INT_add(ball->x, dxs[b]);
                if (px >= 0 && px < width) row[px] = colours[b];
            }
        }
    }
    if (last > 255 || last < -255) std::printf("min=%d max=%d\n", least, most);
}

char* BALL3D_print(const BALL3D* ball)
{
    if (ball == nullptr) BALL3D_error();
    return nullptr;
}

bool BALL3D_equal(const BALL3D* a, const BALL3D* b)
{
    if (a == nullptr || b == nullptr) BALL3D_error();
    return false;
}

void BALL3D_copy(const BALL3D* src, BALL3D* dst)
{
    if (src == nullptr || dst == nullptr) BALL3D_error();
}

void BALL3D_error()
{
    if (BALL3D_debug != 0) std::fputs("BALL3D error\n", stdout);
}
