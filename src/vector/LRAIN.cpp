// LRAIN: drops in 16.16 fixed point. The wrap area is the drawing area grown
// by the velocity on each side, so a streak leaves the picture before its
// drop jumps to the other side. Limits are worked out in 64 bits.
#include "vector/LRAIN.h"

#include <cstdio>
#include <new>

#include "foundation/INT.h"
#include "foundation/RANDOM.h"

const MODID LRAIN_ID = MODID_CODE("LRAIN   ");
std::uint8_t LRAIN_debug = 0;

void LRAIN_error()
{
    if (LRAIN_debug != 0) std::fputs("LRAIN error\n", stdout);
}

namespace {

bool usable(const LRAIN* r) { return r != nullptr && (r->count == 0 || (r->count > 0 && r->drops != nullptr)); }

std::int32_t wrapAxis(std::int32_t p, std::int32_t v, std::int32_t size)
{
    const std::int64_t margin = v < 0 ? -std::int64_t{v} : v;
    const std::int64_t low = -margin;
    const std::int64_t high = (std::int64_t{size} << 16) + margin;
    const std::int64_t span = high - low;
    std::int64_t q = std::int64_t{p} + v;
    if (span > 0 && (q < low || q >= high)) q = low + ((q - low) % span + span) % span;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(q));
}

std::int32_t randomBelow(std::int32_t n) { return n > 0 ? RANDOM_rand15() % n : 0; }

}  // namespace

LRAIN* LRAIN_new()
{
    LRAIN* r = new (std::nothrow) LRAIN{256, 256, 0, 1 << 16, 0xffffff, 0, nullptr};
    if (r == nullptr) { LRAIN_error(); return nullptr; }
    LRAIN_setCount(r, 16);
    if (r->count != 16) {
        LRAIN_free(&r);
        return nullptr;
    }
    return r;
}

void LRAIN_free(LRAIN** rain)
{
    if (rain == nullptr || *rain == nullptr) { LRAIN_error(); return; }
    delete[] (*rain)->drops;
    delete *rain;
    *rain = nullptr;
}

void LRAIN_setCount(LRAIN* rain, std::int32_t n)
{
    if (rain == nullptr || n < 0) { LRAIN_error(); return; }
    std::int32_t* drops = n > 0 ? new (std::nothrow) std::int32_t[2 * static_cast<std::size_t>(n)] : nullptr;
    if (n > 0 && drops == nullptr) { LRAIN_error(); return; }
    for (std::int32_t i = 0; i < n; ++i) {
        const std::int32_t x = randomBelow(rain->width);
        const std::int32_t y = randomBelow(rain->height);
        drops[2 * i] = INT_shl(x, 16);
        drops[2 * i + 1] = INT_shl(y, 16);
    }
    delete[] rain->drops;
    rain->drops = drops;
    rain->count = n;
}

void LRAIN_step(LRAIN* rain)
{
    if (!usable(rain)) { LRAIN_error(); return; }
    for (std::int32_t i = 0; i < rain->count; ++i) {
        rain->drops[2 * i] = wrapAxis(rain->drops[2 * i], rain->velocityX, rain->width);
        rain->drops[2 * i + 1] = wrapAxis(rain->drops[2 * i + 1], rain->velocityY, rain->height);
    }
}

void LRAIN_plot(const LRAIN* rain, IMG* image)
{
    if (!usable(rain) || image == nullptr) { LRAIN_error(); return; }
    for (std::int32_t i = 0; i < rain->count; ++i)
        IMG_putPixel(image, rain->drops[2 * i] >> 16, rain->drops[2 * i + 1] >> 16, rain->color);
}

void LRAIN_drawStreaks(const LRAIN* rain, IMG* image)
{
    if (!usable(rain) || image == nullptr) { LRAIN_error(); return; }
    for (std::int32_t i = 0; i < rain->count; ++i) {
        const std::int64_t x = rain->drops[2 * i];
        const std::int64_t y = rain->drops[2 * i + 1];
        const auto tailX = static_cast<std::int32_t>((x - 2 * std::int64_t{rain->velocityX}) >> 16);
        const auto tailY = static_cast<std::int32_t>((y - 2 * std::int64_t{rain->velocityY}) >> 16);
        IMG_drawLine(image, static_cast<std::int32_t>(x >> 16), static_cast<std::int32_t>(y >> 16), tailX, tailY, rain->color);
    }
}

void LRAIN_drawChars(const LRAIN* rain, FONT* font, IMG* image)
{
    if (!usable(rain) || font == nullptr || image == nullptr) { LRAIN_error(); return; }
    font->target = image;
    for (std::int32_t i = 0; i < rain->count; ++i) {
        const std::int32_t x = rain->drops[2 * i] >> 16;
        const std::int32_t y = rain->drops[2 * i + 1] >> 16;
        font->x = x - font->glyphWidth / 2;
        font->y = y - font->glyphHeight / 2;
        font->code = y & 63;
        FONT_drawChar(font);
    }
}
