// IMGFX: the horizontal glow and blur post-filters, indexing the pixel arrays
// directly after clipping to the part both images share.
#include "effects/IMGFX.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

const MODID IMGFX_ID = MODID_CODE("IMGFX   ");
std::uint8_t IMGFX_debug = 0;

void IMGFX_error()
{
    if (IMGFX_debug != 0) std::fputs("IMGFX error\n", stdout);
}

namespace {

using i64 = std::int64_t;
using u32 = std::uint32_t;

bool usable(const IMG* img)
{
    return img != nullptr && img->pixels != nullptr;
}

// Sizes as the pixel loops see them: a negative extent is an empty image.
i64 widthOf(const IMG* img) { return img->width > 0 ? img->width : 0; }
i64 heightOf(const IMG* img) { return img->height > 0 ? img->height : 0; }

u32& at(IMG* img, i64 x, i64 y)
{
    return img->pixels[static_cast<std::size_t>(y * img->width + x)];
}

const u32& at(const IMG* img, i64 x, i64 y)
{
    return img->pixels[static_cast<std::size_t>(y * img->width + x)];
}

u32 channel(u32 c, int shift) { return (c >> shift) & 0xFFu; }

// Shifts of 8 and more leave nothing of a channel; below 0 counts as 0.
int glowShift(std::int32_t shift)
{
    return static_cast<int>(std::clamp<std::int32_t>(shift, 0, 8));
}

}  // namespace

void IMGFX_blurH5(const IMG* src, IMG* dst)
{
    if (!usable(src) || !usable(dst)) { IMGFX_error(); return; }
    const i64 sw = widthOf(src), w = std::min(sw, widthOf(dst)), h = std::min(heightOf(src), heightOf(dst));
    // Rows from the bottom, pixels from the right, reading the source row as it
    // stands: a filter in place sees its own results on the right, as the
    // pixel-by-pixel definition does.
    for (i64 y = h - 1; y >= 0; --y) {
        const u32* s = &at(src, 0, y);
        u32* d = &at(dst, 0, y);
        for (i64 x = w - 1; x >= 0; --x) {
            u32 p[5];
            if (x >= 2 && x + 2 < sw) {
                for (int k = 0; k < 5; ++k) p[k] = s[x - 2 + k];
            } else {
                for (int k = 0; k < 5; ++k) {
                    const i64 i = x - 2 + k;
                    p[k] = (i >= 0 && i < sw) ? s[i] : 0u;
                }
            }
            // Weights 1-1-4-1-1: red and blue in two 16-bit lanes, green alone;
            // a lane's sum stays below 2048, so no lane spills into the next.
            const u32 rb = (p[0] & 0xFF00FFu) + (p[1] & 0xFF00FFu) + ((p[2] & 0xFF00FFu) << 2) + (p[3] & 0xFF00FFu)
                         + (p[4] & 0xFF00FFu);
            const u32 g = (p[0] & 0x00FF00u) + (p[1] & 0x00FF00u) + ((p[2] & 0x00FF00u) << 2) + (p[3] & 0x00FF00u)
                        + (p[4] & 0x00FF00u);
            d[x] = ((rb >> 3) & 0xFF00FFu) | ((g >> 3) & 0x00FF00u);
        }
    }
}

void IMGFX_glowH3(const IMG* src, IMG* dst, std::int32_t shift)
{
    if (!usable(src) || !usable(dst)) { IMGFX_error(); return; }
    const int s = glowShift(shift);
    const i64 sw = widthOf(src), w = std::min(sw, widthOf(dst)), h = std::min(heightOf(src), heightOf(dst));
    for (i64 y = h - 1; y >= 0; --y) {
        const u32* row = &at(src, 0, y);
        u32* d = &at(dst, 0, y);
        for (i64 x = w - 1; x >= 0; --x) {
            const u32 left = x > 0 ? row[x - 1] : 0u;
            const u32 right = x + 1 < sw ? row[x + 1] : 0u;
            const u32 centre = row[x];
            u32 out = 0;
            for (int c = 0; c < 24; c += 8) {
                const u32 v = channel(centre, c) + (channel(left, c) >> s) + (channel(right, c) >> s);
                out |= std::min(v, 255u) << c;
            }
            d[x] = out;
        }
    }
}
