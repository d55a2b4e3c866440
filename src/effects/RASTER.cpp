// RASTER: scrolling colour bars. The scroll position is 16.16 and wraps by the
// table length; the draws index the table modulo its count, so a position of
// exactly count << 16 paints like 0.
#include "effects/RASTER.h"

#include <cstdio>
#include <new>

#include "foundation/RANDOM.h"
#include "raster/RECT.h"

const MODID RASTER_ID = MODID_CODE("RASTER  ");
std::uint8_t RASTER_debug = 0;

namespace {

bool valid(const RASTER* raster)
{
    return raster != nullptr && (raster->colours != nullptr || raster->count == 0) && raster->count >= 0;
}

bool validImage(const IMG* image)
{
    return image != nullptr && image->pixels != nullptr;
}

// Table entry for row or column n: (base + n) mod count, never negative.
std::uint32_t colourAt(const RASTER* raster, std::int64_t n)
{
    std::int64_t i = ((raster->scrollPos >> 16) + n) % raster->count;
    if (i < 0) i += raster->count;
    return raster->colours[i];
}

std::uint32_t* newColours(std::int32_t n)
{
    if (n == 0) return nullptr;
    return new (std::nothrow) std::uint32_t[static_cast<std::size_t>(n)]();
}

}  // namespace

RASTER* RASTER_new()
{
    RASTER* raster = new (std::nothrow) RASTER{};
    if (raster == nullptr) { RASTER_error(); return nullptr; }
    raster->colours = newColours(256);
    if (raster->colours == nullptr) {
        delete raster;
        RASTER_error();
        return nullptr;
    }
    raster->count = 256;
    raster->scrollPos = 0;
    // rand() mod 0xFFFFF + 0x10000: the modulo never changes a 15-bit draw.
    raster->speed = RANDOM_rand15() % 0xFFFFF + 0x10000;
    return raster;
}

void RASTER_free(RASTER** raster)
{
    if (raster == nullptr || *raster == nullptr) { RASTER_error(); return; }
    delete[] (*raster)->colours;
    delete *raster;
    *raster = nullptr;
}

void RASTER_setSize(RASTER* raster, std::int32_t n)
{
    if (raster == nullptr || n < 0) { RASTER_error(); return; }
    std::uint32_t* colours = newColours(n);
    if (n > 0 && colours == nullptr) { RASTER_error(); return; }
    delete[] raster->colours;
    raster->colours = colours;
    raster->count = n;
    raster->scrollPos = 0;
}

void RASTER_clear(RASTER* raster)
{
    if (!valid(raster)) { RASTER_error(); return; }
    for (std::int32_t i = 0; i < raster->count; ++i) raster->colours[i] = 0;
}

bool RASTER_equal(const RASTER* a, const RASTER* b)
{
    if (!valid(a) || !valid(b)) { RASTER_error(); return false; }
    if (a->count != b->count) return false;
    for (std::int32_t i = 0; i < a->count; ++i) {
        if (a->colours[i] != b->colours[i]) return false;
    }
    return true;
}

void RASTER_copy(const RASTER* src, RASTER* dst)
{
    if (!valid(src) || !valid(dst) || src->count != dst->count) { RASTER_error(); return; }
    for (std::int32_t i = 0; i < src->count; ++i) dst->colours[i] = src->colours[i];
    dst->scrollPos = src->scrollPos;
    dst->speed = src->speed;
}

RASTER* RASTER_clone(const RASTER* raster)
{
    if (!valid(raster)) { RASTER_error(); return nullptr; }
    RASTER* copy = new (std::nothrow) RASTER{};
    if (copy != nullptr) {
        copy->colours = newColours(raster->count);
        if (raster->count > 0 && copy->colours == nullptr) {
            delete copy;
            copy = nullptr;
        }
    }
    if (copy == nullptr) { RASTER_error(); return nullptr; }
    copy->count = raster->count;
    RASTER_copy(raster, copy);
    return copy;
}

char* RASTER_print(const RASTER* raster)
{
    if (raster == nullptr) RASTER_error();
    return nullptr;
}

void RASTER_move(RASTER* raster)
{
    if (!valid(raster)) { RASTER_error(); return; }
    if (raster->count == 0) return;
    // 64-bit: neither the sum nor count << 16 can overflow.
    const std::int64_t length = static_cast<std::int64_t>(raster->count) << 16;
    std::int64_t pos = static_cast<std::int64_t>(raster->scrollPos) + raster->speed;
    if (pos >= length) pos %= length;
    // Remainder toward zero, then + length: lands in 1 .. length.
    if (pos < 0) pos = pos % length + length;
    raster->scrollPos = static_cast<std::int32_t>(pos);
}

void RASTER_draw(const RASTER* raster, IMG* image)
{
    if (!valid(raster) || !validImage(image)) { RASTER_error(); return; }
    if (raster->count == 0) return;
    for (std::int32_t y = 0; y < image->height; ++y) {
        RECT_hSpan(image, colourAt(raster, y), y, 0, image->width - 1);
    }
}

void RASTER_drawBlend(const RASTER* raster, IMG* image, std::int32_t alpha)
{
    if (!valid(raster) || !validImage(image)) { RASTER_error(); return; }
    if (raster->count == 0) return;
    for (std::int32_t y = 0; y < image->height; ++y) {
        RECT_blendHSpan(image, colourAt(raster, y), y, 0, image->width - 1, alpha);
    }
}

void RASTER_drawColumns(const RASTER* raster, IMG* image)
{
    if (!valid(raster) || !validImage(image)) { RASTER_error(); return; }
    if (raster->count == 0) return;
    for (std::int32_t x = 0; x < image->width; ++x) {
        RECT_vSpan(image, colourAt(raster, x), x, 0, image->height - 1);
    }
}

void RASTER_smooth(RASTER* raster, std::int32_t radius)
{
    if (!valid(raster) || radius < 1) { RASTER_error(); return; }
    const std::int64_t n = raster->count;
    if (n == 0) return;
    std::uint32_t* smoothed = newColours(raster->count);
    if (smoothed == nullptr) { RASTER_error(); return; }
    const std::uint32_t* c = raster->colours;
    const std::int64_t divisor = 2 * static_cast<std::int64_t>(radius) + 2;
    for (std::int64_t i = 0; i < n; ++i) {
        // Twice the centre, then the neighbours: wrapping above the end,
        // reflected (|i - k|) below the start.
        std::int64_t sum[3] = {0, 0, 0};
        auto take = [&sum](std::uint32_t colour, std::int64_t weight) {
            sum[0] += weight * ((colour >> 16) & 0xFF);
            sum[1] += weight * ((colour >> 8) & 0xFF);
            sum[2] += weight * (colour & 0xFF);
        };
        take(c[i], 2);
        for (std::int64_t k = 1; k <= radius; ++k) {
            const std::int64_t below = i - k < 0 ? k - i : i - k;
            take(c[(i + k) % n], 1);
            take(c[below % n], 1);
        }
        smoothed[i] = static_cast<std::uint32_t>(sum[0] / divisor) << 16
                    | static_cast<std::uint32_t>(sum[1] / divisor) << 8
                    | static_cast<std::uint32_t>(sum[2] / divisor);
    }
    delete[] raster->colours;
    raster->colours = smoothed;
}

RASTER* RASTER_load(const char* path)
{
    if (path == nullptr) { RASTER_error(); return nullptr; }
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) { RASTER_error(); return nullptr; }
    std::fclose(file);
    RASTER* raster = RASTER_new();
    if (raster != nullptr) RASTER_setSize(raster, 0);
    return raster;
}

bool RASTER_save(const RASTER* raster, const char* path)
{
    // There is no file form: claiming success would lose the caller's data.
    (void)raster;
    (void)path;
    RASTER_error();
    return false;
}

void RASTER_error()
{
    if (RASTER_debug != 0) std::fputs("RASTER error\n", stdout);
}
