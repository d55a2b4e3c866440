// LRADIAL: ray stars. Ray i ends at centre + (sine, cosine) of the ray's
// angle times radius, with arithmetic shifts, so a radius of 100 reaches 99
// one way and 100 the other. Accumulators wrap in 32 bits before masking.
#include "vector/LRADIAL.h"

#include <cstdio>
#include <new>

#include "audio/SAMPLE.h"
#include "effects/IMGFX.h"
#include "foundation/INT.h"
#include "foundation/RANDOM.h"
#include "foundation/SINE.h"

const MODID LRADIAL_ID = MODID_CODE("LRADIAL ");
std::uint8_t LRADIAL_debug = 0;
SAMPLE* LRADIAL_wheel = nullptr;

void LRADIAL_error()
{
    if (LRADIAL_debug != 0) std::fputs("LRADIAL error\n", stdout);
}

namespace {

std::int32_t wheelColour(std::int32_t k)
{
    const std::int32_t i = k & 255;
    switch (k >> 8) {
    case 0: return 0x00FF00 + i;
    case 1: return 0x00FFFF - (i << 8);
    case 2: return (i << 16) | 0xFF;
    case 3: return 0xFF00FF - i;
    case 4: return 0xFF0000 + (i << 8);
    default: return 0xFFFF00 - (i << 16);
    }
}

void buildWheel()
{
    SAMPLE* wheel = SAMPLE_new();
    if (wheel == nullptr) { LRADIAL_error(); return; }
    for (std::int32_t k = 0; k < LRADIAL_WHEEL_SIZE; ++k) SAMPLE_append(wheel, wheelColour(k));
    if (wheel->count != LRADIAL_WHEEL_SIZE) {
        SAMPLE_free(&wheel);
        LRADIAL_error();
        return;
    }
    LRADIAL_wheel = wheel;
}

std::uint32_t wheelAt(std::int32_t k)
{
    return static_cast<std::uint32_t>(SAMPLE_get(LRADIAL_wheel, k));
}

std::int32_t scaled(std::int32_t index, std::int32_t r)
{
    return static_cast<std::int32_t>((std::int64_t{SINE_table[index & SINE_MASK]} * r) >> 15);
}

// Calls ray(k, endX, endY) for every ray, k running from rays down to 1.
template <typename Ray>
void forEachRay(const LRADIAL* s, Ray ray)
{
    std::int32_t a = s->phase;
    for (std::int32_t k = s->rays; k >= 1; --k) {
        const std::int32_t i = (a >> 16) & SINE_MASK;
        ray(k, INT_add(s->centerX, scaled(i, s->radius)), INT_add(s->centerY, scaled(i + 256, s->radius)));
        a = INT_add(a, s->step) & LRADIAL_MASK;
    }
}

void takeSize(LRADIAL* s, const IMG* image)
{
    s->width = image->width;
    s->height = image->height;
}

std::int32_t halfWidth(const LRADIAL* s)
{
    return s->width / 2 >= 1 ? s->width / 2 : 1;   // a modulus, so never below 1
}

}  // namespace

LRADIAL* LRADIAL_new()
{
    LRADIAL* s = new (std::nothrow) LRADIAL{};
    if (s == nullptr) { LRADIAL_error(); return nullptr; }
    s->width = 256;
    s->height = 256;
    s->centerX = s->width / 2;
    s->centerY = s->height / 2;
    if (LRADIAL_wheel == nullptr) buildWheel();
    LRADIAL_reset(s);
    return s;
}

void LRADIAL_free(LRADIAL** star)
{
    if (star == nullptr || *star == nullptr) { LRADIAL_error(); return; }
    delete *star;
    *star = nullptr;
}

void LRADIAL_reset(LRADIAL* star)
{
    if (star == nullptr) { LRADIAL_error(); return; }
    star->speed = RANDOM_rand15() + 32768;
    star->radius = RANDOM_rand15() % halfWidth(star) + 32;
    star->color = (static_cast<std::uint32_t>(RANDOM_rand15()) & 0x7f7f7fu) + 0x808080u;
    LRADIAL_setRays(star, 16);
    star->pulseSpeed = RANDOM_rand15() + 32768;
    star->pulseAmplitude = RANDOM_rand15() % halfWidth(star) + 32;
}

void LRADIAL_setRays(LRADIAL* star, std::int32_t n)
{
    if (star == nullptr || n <= 0) { LRADIAL_error(); return; }
    star->rays = n;
    star->step = (1024 << 16) / n;
}

void LRADIAL_rotate(LRADIAL* star)
{
    if (star == nullptr) { LRADIAL_error(); return; }
    star->phase = INT_add(star->phase, star->speed) & LRADIAL_MASK;
}

void LRADIAL_update(LRADIAL* star)
{
    if (star == nullptr) { LRADIAL_error(); return; }
    star->phase = INT_add(star->phase, star->speed) & LRADIAL_MASK;
    star->radius = scaled((star->pulsePhase >> 16) & SINE_MASK, star->pulseAmplitude);
    star->pulsePhase = INT_add(star->pulsePhase, star->pulseSpeed) & LRADIAL_MASK;
}

void LRADIAL_plot(LRADIAL* star, IMG* image)
{
    if (star == nullptr || image == nullptr) { LRADIAL_error(); return; }
    takeSize(star, image);
    forEachRay(star, [&](std::int32_t, std::int32_t x, std::int32_t y) { IMG_putPixel(image, x, y, star->color); });
}

void LRADIAL_drawSpokes(LRADIAL* star, IMG* image)
{
    if (star == nullptr || image == nullptr) { LRADIAL_error(); return; }
    takeSize(star, image);
    forEachRay(star, [&](std::int32_t, std::int32_t x, std::int32_t y) {
        IMG_drawLine(image, star->centerX, star->centerY, x, y, star->color);
    });
}

void LRADIAL_drawThick(LRADIAL* star, IMG* image, std::int32_t lineWidth)
{
    if (star == nullptr || image == nullptr) { LRADIAL_error(); return; }
    takeSize(star, image);
    forEachRay(star, [&](std::int32_t, std::int32_t x, std::int32_t y) {
        IMGFX_thickLine(image, star->centerX, star->centerY, x, y, star->color, lineWidth);
    });
}

void LRADIAL_drawRainbow(LRADIAL* star, IMG* image)
{
    if (star == nullptr || image == nullptr || LRADIAL_wheel == nullptr) { LRADIAL_error(); return; }
    takeSize(star, image);
    const std::int64_t rays = star->rays;
    forEachRay(star, [&](std::int32_t k, std::int32_t x, std::int32_t y) {
        const auto from = static_cast<std::int32_t>((std::int64_t{LRADIAL_WHEEL_SIZE} * k / rays) % LRADIAL_WHEEL_SIZE);
        const std::int32_t to = (from + LRADIAL_WHEEL_SIZE / 8) % LRADIAL_WHEEL_SIZE;
        IMGFX_gradientLine(image, star->centerX, star->centerY, wheelAt(from), x, y, wheelAt(to));
    });
}

void LRADIAL_drawFade(LRADIAL* star)
{
    if (star == nullptr || star->target == nullptr) { LRADIAL_error(); return; }
    forEachRay(star, [&](std::int32_t, std::int32_t x, std::int32_t y) {
        IMGFX_gradientLine(star->target, star->centerX, star->centerY, star->color, x, y, 0);
    });
}

void LRADIAL_drawCircles(LRADIAL* star, std::int32_t size)
{
    if (star == nullptr || star->target == nullptr) { LRADIAL_error(); return; }
    if (size < 1) return;
    forEachRay(star, [&](std::int32_t, std::int32_t x, std::int32_t y) {
        IMGFX_blendCircle(star->target, x, y, size, star->color, 64);
    });
}
