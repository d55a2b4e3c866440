// BALL3D: the lit ball. The grid products wrap in 32 bits (radii up to 255 and
// light components up to 10 never reach the limit). A brightness beyond 255
// is held to 255 when the grey word is built, so it saturates instead of
// spilling into the neighbouring channel.
#include "effects/BALL3D.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "foundation/RANDOM.h"
#include "foundation/SINE.h"

const MODID BALL3D_ID = MODID_CODE("BALL3D  ");
std::uint8_t BALL3D_debug = 0;

namespace {

constexpr std::int32_t half = SINE_SIZE / 2;
constexpr std::int32_t quarter = SINE_SIZE / 4;

std::uint32_t u(std::int32_t v) { return static_cast<std::uint32_t>(v); }
std::int32_t wrap(std::uint32_t v) { return static_cast<std::int32_t>(v); }

// (sine entry * r) >> 15 in wrapping 32-bit arithmetic.
std::int32_t scale(std::int32_t index, std::int32_t r)
{
    return wrap(u(SINE_table[index & SINE_MASK]) * u(r)) >> 15;
}

std::uint32_t grey(std::int32_t v)
{
    const std::uint32_t g = u(std::min(v, 255));
    return (g << 16) | (g << 8) | g;
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
    ball->colour = u(RANDOM_random30());
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
    std::int32_t least = 0, most = 0, last = 0;
    bool first = true;
    std::int32_t shaded = 0;
    std::uint32_t colour = RGB888_add(c, 0u);
    // The points are plotted here rather than through IMG_putPixel, with its
    // clipping; an image without pixels still goes there to be reported.
    IMG* image = ball->image;
    const bool direct = image != nullptr && image->pixels != nullptr;
    const std::int64_t width = direct ? image->width : 0, height = direct ? image->height : 0;
    for (std::int32_t a = 0; a < half; ++a) {
        const std::int32_t ring = scale(a, r);
        const std::int32_t dy = scale(a + quarter, r);
        const std::int32_t py = wrap(u(ball->y) + u(dy));
        const std::uint32_t lightY = u(dy) * u(l.y);
        for (std::int32_t b = 0; b < half; ++b) {
            const std::int32_t dx = scale(b + quarter, ring);
            const std::int32_t dz = scale(b, ring);
            const std::int32_t brightness = wrap(u(dx) * u(l.x) + lightY + u(dz) * u(l.z)) / 9;
            if (first) { least = most = brightness; first = false; }
            least = std::min(least, brightness);
            most = std::max(most, brightness);
            last = brightness;
            // Neighbouring points mostly share their brightness: reuse the colour.
            if (brightness != shaded) {
                shaded = brightness;
                colour = brightness >= 0 ? RGB888_add(c, grey(brightness)) : RGB888_sub(c, grey(-brightness));
            }
            const std::int32_t px = wrap(u(ball->x) + u(dx));
            if (!direct) IMG_putPixel(image, px, py, colour);
            else if (px >= 0 && py >= 0 && px < width && py < height)
                image->pixels[static_cast<std::size_t>(py) * static_cast<std::size_t>(width) + static_cast<std::size_t>(px)] = colour;
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
