// SINESCAN: summed sines as one scan line. Phases wrap in unsigned 32 bits
// under the 16.16 mask of the table length; the column values wrap in 32 bits.
// The draws divide by the amplitude sum and draw nothing when it is zero.
#include "effects/SINESCAN.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "foundation/INT.h"
#include "foundation/RANDOM.h"
#include "foundation/SINE.h"

const MODID SINESCAN_ID = MODID_CODE("SINESCAN");
std::uint8_t SINESCAN_debug = 0;

namespace {

constexpr std::uint32_t phaseMask = (static_cast<std::uint32_t>(SINE_MASK) << 16) | 0xFFFFu;
constexpr std::int32_t paletteSize = 2048;

std::int32_t sineAt(std::uint32_t phase) { return SINE_table[(phase >> 16) & static_cast<std::uint32_t>(SINE_MASK)]; }

// The divisor of the draws: the amplitude sum in 16.16 shifted right by 15.
std::int32_t divisor(const SINESCAN* scan)
{
    const std::uint32_t sum = INT_u(scan->wave[0].amplitude) + INT_u(scan->wave[1].amplitude) + INT_u(scan->wave[2].amplitude);
    return INT_wrap(sum) >> 15;
}

std::int64_t scaled(const SINESCAN* scan, std::int32_t c, std::int32_t d)
{
    return static_cast<std::int64_t>(scan->values->values[c]) / d;
}

std::int32_t columns(const SINESCAN* scan)
{
    return std::min(scan->values->count, scan->width);
}

}  // namespace

SINESCAN* SINESCAN_new()
{
    SINESCAN* scan = new (std::nothrow) SINESCAN{};
    if (scan == nullptr) { SINESCAN_error(); return nullptr; }
    scan->width = scan->height = scan->depth = 256;
    scan->values = SAMPLE_new();
    scan->palette = SAMPLE_new();
    if (scan->values == nullptr || scan->palette == nullptr) {
        SINESCAN_error();
        SINESCAN_free(&scan);
        return nullptr;
    }
    SINESCAN_randomize(scan);
    return scan;
}

void SINESCAN_free(SINESCAN** scan)
{
    if (scan == nullptr || *scan == nullptr) { SINESCAN_error(); return; }
    if ((*scan)->values != nullptr) SAMPLE_free(&(*scan)->values);
    if ((*scan)->palette != nullptr) SAMPLE_free(&(*scan)->palette);
    delete *scan;
    *scan = nullptr;
}

void SINESCAN_randomize(SINESCAN* scan)
{
    if (scan == nullptr) { SINESCAN_error(); return; }
    scan->x = 0;
    const std::int32_t row = RANDOM_rand15();
    scan->y = scan->height > 0 ? row % scan->height : 0;
    for (SINESCAN_WAVE& w : scan->wave) {
        w.phase = RANDOM_rand15();   // a fraction of the first table step
        w.speed = RANDOM_rand15() + 0x10000 - 0x100000;
        w.step = RANDOM_rand15() + 0x10000 - 0x100000;
        w.amplitude = 0x1000000;     // 256.0
    }
    scan->colour = static_cast<std::uint32_t>(RANDOM_rand15());
    if (scan->palette != nullptr) {
        SAMPLE_setCount(scan->palette, paletteSize);
        if (scan->palette->count == paletteSize) {
            std::int32_t* p = scan->palette->values;
            for (std::int32_t i = 0; i < 256; ++i) {
                p[i] = p[256 + i] = p[512 + i] = p[768 + i] = 0;
                p[1024 + i] = i;                        // blue ramp
                p[1280 + i] = (i << 8) | 0xFF;          // to cyan
                p[1536 + i] = (i << 16) | 0xFFFF;       // to white
                p[1792 + i] = 0xFFFFFF;
            }
        }
    }
    if (scan->values != nullptr && scan->width >= 0) SAMPLE_setCount(scan->values, scan->width);
}

void SINESCAN_compute(SINESCAN* scan)
{
    if (scan == nullptr || scan->values == nullptr) { SINESCAN_error(); return; }
    std::uint32_t p[3];
    std::uint32_t a[3];
    for (std::int32_t k = 0; k < 3; ++k) {
        p[k] = INT_u(scan->wave[k].phase);
        a[k] = INT_u(scan->wave[k].amplitude >> 16);
    }
    for (std::int32_t c = 0; c < scan->values->count; ++c) {
        std::uint32_t sum = 0;
        for (std::int32_t k = 0; k < 3; ++k) {
            sum += INT_u(sineAt(p[k])) * a[k];
            p[k] = (p[k] + INT_u(scan->wave[k].step)) & phaseMask;
        }
        scan->values->values[c] = INT_wrap(sum);
    }
    for (SINESCAN_WAVE& w : scan->wave) w.phase = INT_wrap((INT_u(w.phase) + INT_u(w.speed)) & phaseMask);
}

void SINESCAN_drawShade(const SINESCAN* scan, IMG* img)
{
    if (scan == nullptr || img == nullptr || scan->values == nullptr) { SINESCAN_error(); return; }
    const std::int32_t d = divisor(scan);
    if (d == 0) return;
    for (std::int32_t c = 0; c < columns(scan); ++c) {
        const std::int32_t level = static_cast<std::int32_t>(scaled(scan, c, d) >> 7);
        IMG_putPixel(img, c, scan->y, RGB888_adjust(scan->colour, level));
    }
}

void SINESCAN_drawPalette(const SINESCAN* scan, IMG* img)
{
    if (scan == nullptr || img == nullptr || scan->values == nullptr) { SINESCAN_error(); return; }
    if (scan->palette == nullptr || scan->palette->count <= 0) { SINESCAN_drawShade(scan, img); return; }
    const std::int32_t d = divisor(scan);
    if (d == 0) return;
    const std::int32_t n = scan->palette->count;
    const std::int64_t h = n >> 1;
    for (std::int32_t c = 0; c < columns(scan); ++c) {
        // Hand-set amplitudes of mixed signs can push the index past the
        // palette; it is held to the ends.
        const std::int64_t index = std::clamp<std::int64_t>(h + ((scaled(scan, c, d) * h) >> 14), 0, n - 1);
        IMG_putPixel(img, c, scan->y, static_cast<std::uint32_t>(scan->palette->values[index]));
    }
}

bool SINESCAN_equal(const SINESCAN* a, const SINESCAN* b)
{
    if (a == nullptr || b == nullptr) { SINESCAN_error(); return false; }
    for (std::int32_t k = 0; k < 3; ++k) {
        const SINESCAN_WAVE& p = a->wave[k];
        const SINESCAN_WAVE& q = b->wave[k];
        if (p.phase != q.phase || p.speed != q.speed || p.step != q.step || p.amplitude != q.amplitude) return false;
    }
    return a->colour == b->colour;
}

void SINESCAN_copy(const SINESCAN* src, SINESCAN* dst)
{
    if (src == nullptr || dst == nullptr) { SINESCAN_error(); return; }
    dst->x = src->x;
    dst->y = src->y;
    dst->z = src->z;
    dst->width = src->width;
    dst->height = src->height;
    dst->depth = src->depth;
    for (std::int32_t k = 0; k < 3; ++k) dst->wave[k] = src->wave[k];
    dst->colour = src->colour;
}

SINESCAN* SINESCAN_clone(const SINESCAN* scan)
{
    if (scan == nullptr) { SINESCAN_error(); return nullptr; }
    SINESCAN* c = SINESCAN_new();
    if (c == nullptr) return nullptr;
    for (std::int32_t k = 0; k < 3; ++k) c->wave[k] = scan->wave[k];
    c->colour = scan->colour;
    return c;
}

void SINESCAN_error()
{
    if (SINESCAN_debug != 0) std::fputs("SINESCAN error\n", stdout);
}
