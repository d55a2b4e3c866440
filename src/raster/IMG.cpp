// IMG: the picture record, pixel access, whole-image colour operations,
// blits, lines and transforms, and the RGB888 colour-word helpers.
// Clipping arithmetic is done in 64 bits so extreme coordinates cannot overflow.
#include "raster/IMG.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "foundation/SINE.h"
#include "raster/GRID.h"
#include "raster/PIXSPAN.h"

const MODID IMG_ID = MODID_CODE("IMG     ");
const MODID RGB888_ID = MODID_CODE("RGB888  ");
std::uint8_t IMG_debug = 0;

namespace {

// Number of pixel words an image holds; 0 for an empty or malformed size.
std::size_t pixelCount(const IMG* image)
{
    if (image->width <= 0 || image->height <= 0) return 0;
    return static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height);
}

// An image whose pixels may be read or written; reports the error otherwise.
bool usable(const IMG* image)
{
    if (image == nullptr || image->pixels == nullptr) {
        IMG_error();
        return false;
    }
    return true;
}

bool inside(const IMG* image, std::int64_t x, std::int64_t y)
{
    return x >= 0 && y >= 0 && x < image->width && y < image->height;
}

std::uint32_t addSat(std::uint32_t a, std::uint32_t b) { return PIXSPAN_addPixel(a, b); }
std::uint32_t subSat(std::uint32_t a, std::uint32_t b) { return PIXSPAN_subPixel(a, b); }

std::uint32_t grey(std::uint32_t level)
{
    level &= 0xFFu;
    return (level << 16) | (level << 8) | level;
}

template <typename Rule>
void blitWith(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy,
              std::int32_t w, std::int32_t h, Rule rule)
{
    if (!usable(src) || !usable(dst)) return;
    GRID_blit(src->pixels, src->width, src->height, dst->pixels, dst->width, dst->height, sx, sy, dx, dy, w, h, rule);
}

// o = offset reduced into 0..n-1.
std::int32_t wrapOffset(std::int32_t offset, std::int32_t n)
{
    const std::int32_t o = offset % n;
    return o < 0 ? o + n : o;
}

// Source pixels 0, 1, ... of a row go to columns o, o+1, ..., wrapping to 0;
// min(src width, dst width) pixels in all.
template <typename Rule>
void rowWrap(const IMG* src, IMG* dst, std::int32_t srcRow, std::int32_t dstRow, std::int32_t offset, Rule rule)
{
    if (!usable(src) || !usable(dst)) return;
    if (srcRow < 0 || srcRow >= src->height || dstRow < 0 || dstRow >= dst->height) {
        IMG_error();
        return;
    }
    if (src->width <= 0 || dst->width <= 0) return;
    GRID_wrapLine(src->pixels + static_cast<std::size_t>(srcRow) * src->width, 1, src->width,
                  dst->pixels + static_cast<std::size_t>(dstRow) * dst->width, 1, dst->width, wrapOffset(offset, dst->width), rule);
}

}  // namespace

// Lifecycle and whole-image operations.

IMG* IMG_new()
{
    std::unique_ptr<IMG> image(new (std::nothrow) IMG{});
    std::unique_ptr<std::uint32_t[]> pixels(new (std::nothrow) std::uint32_t[256]());
    if (!image || !pixels) {
        IMG_error();
        return nullptr;
    }
    image->width = 16;
    image->height = 16;
    image->pixels = pixels.release();
    return image.release();
}

void IMG_free(IMG** image)
{
    if (image == nullptr || *image == nullptr) {
        IMG_error();
        return;
    }
    delete[] (*image)->pixels;
    delete *image;
    *image = nullptr;
}

void IMG_setSize(IMG* image, std::int32_t w, std::int32_t h)
{
    if (image == nullptr) {
        IMG_error();
        return;
    }
    // A negative or oversized request would make a record whose size does not
    // match its array: refuse it and keep the image as it is.
    if (w < 0 || h < 0 || static_cast<std::int64_t>(w) * h > IMG_MAX_PIXELS) {
        IMG_error();
        return;
    }
    delete[] image->pixels;
    image->pixels = new (std::nothrow) std::uint32_t[static_cast<std::size_t>(w) * static_cast<std::size_t>(h)]();
    if (image->pixels == nullptr) {
        // Readers that index pixels directly see an empty image, never a stale size.
        image->width = 0;
        image->height = 0;
        IMG_error();
        return;
    }
    image->width = w;
    image->height = h;
}

void IMG_clear(IMG* image, std::uint32_t colour)
{
    if (!usable(image)) return;
    PIXSPAN_fill(image->pixels, pixelCount(image), colour);
}

IMG* IMG_clone(const IMG* image)
{
    if (!usable(image)) return nullptr;
    IMG* clone = IMG_new();
    if (clone == nullptr) return nullptr;
    IMG_setSize(clone, image->width, image->height);
    if (clone->pixels == nullptr || clone->width != image->width || clone->height != image->height) {
        IMG_free(&clone);
        return nullptr;
    }
    const std::size_t n = pixelCount(image);
    if (n > 0) std::memcpy(clone->pixels, image->pixels, n * sizeof(std::uint32_t));
    return clone;
}

void IMG_copy(const IMG* src, IMG* dst)
{
    if (!usable(src) || !usable(dst)) return;
    if (src->width != dst->width || src->height != dst->height) {
        IMG_error();
        return;
    }
    const std::size_t n = pixelCount(src);
    if (n > 0 && src != dst) std::memcpy(dst->pixels, src->pixels, n * sizeof(std::uint32_t));
}

bool IMG_equal(const IMG* a, const IMG* b)
{
    if (!usable(a) || !usable(b)) return false;
    if (a->width != b->width || a->height != b->height) return false;
    const std::size_t n = pixelCount(a);
    return n == 0 || std::memcmp(a->pixels, b->pixels, n * sizeof(std::uint32_t)) == 0;
}

// Pixel access.

void IMG_putPixel(IMG* image, std::int32_t x, std::int32_t y, std::uint32_t colour)
{
    if (!usable(image)) return;
    if (inside(image, x, y)) image->pixels[static_cast<std::size_t>(y) * image->width + x] = colour;
}

std::uint32_t IMG_getPixel(const IMG* image, std::int32_t x, std::int32_t y)
{
    if (!usable(image)) return 0;
    return inside(image, x, y) ? image->pixels[static_cast<std::size_t>(y) * image->width + x] : 0u;
}

// Whole-image colour operations; each walks the array from the last word.

void IMG_addColour(IMG* image, std::uint32_t colour)
{
    if (!usable(image)) return;
    PIXSPAN_addSaturate(image->pixels, pixelCount(image), colour);
}

void IMG_subColour(IMG* image, std::uint32_t colour)
{
    if (!usable(image)) return;
    PIXSPAN_subSaturate(image->pixels, pixelCount(image), colour);
}

void IMG_scaleColour(IMG* image, std::int32_t mul, std::int32_t div)
{
    if (!usable(image)) return;
    if (div == 0) {
        IMG_error();
        return;
    }
    for (std::size_t i = pixelCount(image); i-- > 0;) {
        const std::uint32_t p = image->pixels[i];
        std::uint32_t out = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            // Truncating division; a negative factor gives 0 instead of
            // spilling sign bits into the other channels.
            const std::int64_t v = static_cast<std::int64_t>((p >> shift) & 0xFFu) * mul / div;
            out |= static_cast<std::uint32_t>(std::clamp<std::int64_t>(v, 0, 255)) << shift;
        }
        image->pixels[i] = out;
    }
}

void IMG_invert(IMG* image)
{
    if (!usable(image)) return;
    for (std::size_t i = pixelCount(image); i-- > 0;) image->pixels[i] = ~image->pixels[i] & 0xFFFFFFu;
}

void IMG_replaceColour(IMG* image, std::uint32_t from, std::uint32_t to)
{
    if (!usable(image)) return;
    for (std::size_t i = pixelCount(image); i-- > 0;) {
        if (image->pixels[i] == from) image->pixels[i] = to;
    }
}

IMG* IMG_mask(const IMG* image)
{
    IMG* mask = IMG_clone(image);
    if (mask == nullptr) return nullptr;
    for (std::size_t i = pixelCount(mask); i-- > 0;) {
        if (mask->pixels[i] != 0) mask->pixels[i] = 0xFFFFFFu;
    }
    return mask;
}

void IMG_and(const IMG* src, IMG* dst)
{
    if (!usable(src) || !usable(dst)) return;
    // Never past the end of either array when the sizes differ.
    const std::size_t n = std::min(pixelCount(src), pixelCount(dst));
    for (std::size_t i = n; i-- > 0;) dst->pixels[i] &= src->pixels[i];
}

// Blits.

void IMG_blit(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy,
              std::int32_t w, std::int32_t h)
{
    blitWith(src, dst, sx, sy, dx, dy, w, h, [](std::uint32_t d, std::uint32_t s) { return s != 0 ? s : d; });
}

void IMG_copyBlit(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy,
                  std::int32_t w, std::int32_t h)
{
    blitWith(src, dst, sx, sy, dx, dy, w, h, [](std::uint32_t, std::uint32_t s) { return s; });
}

void IMG_addBlit(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy,
                 std::int32_t w, std::int32_t h)
{
    // Plain 32-bit addition: a channel's carry spills into the next one.
    blitWith(src, dst, sx, sy, dx, dy, w, h, [](std::uint32_t d, std::uint32_t s) { return d + s; });
}

void IMG_addBlitSat(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy,
                    std::int32_t w, std::int32_t h)
{
    blitWith(src, dst, sx, sy, dx, dy, w, h, addSat);
}

void IMG_draw(const IMG* src, IMG* dst)
{
    if (!usable(src) || !usable(dst)) return;
    IMG_blit(src, dst, 0, 0, src->x, src->y, src->width, src->height);
}

void IMG_blitRowWrap(const IMG* src, IMG* dst, std::int32_t srcRow, std::int32_t dstRow, std::int32_t offset)
{
    rowWrap(src, dst, srcRow, dstRow, offset, [](std::uint32_t d, std::uint32_t s) { return s != 0 ? s : d; });
}

void IMG_orRowWrap(const IMG* src, IMG* dst, std::int32_t srcRow, std::int32_t dstRow, std::int32_t offset)
{
    rowWrap(src, dst, srcRow, dstRow, offset, [](std::uint32_t d, std::uint32_t s) { return d | s; });
}

void IMG_blitColumnWrap(const IMG* src, IMG* dst, std::int32_t srcCol, std::int32_t dstCol, std::int32_t offset)
{
    if (!usable(src) || !usable(dst)) return;
    if (srcCol < 0 || srcCol >= src->width || dstCol < 0 || dstCol >= dst->width) {
        IMG_error();
        return;
    }
    if (src->height <= 0 || dst->height <= 0) return;
    GRID_wrapLine(src->pixels + srcCol, static_cast<std::size_t>(src->width), src->height, dst->pixels + dstCol,
                  static_cast<std::size_t>(dst->width), dst->height, wrapOffset(offset, dst->height),
                  [](std::uint32_t d, std::uint32_t s) { return s != 0 ? s : d; });
}

void IMG_copyRow(const IMG* src, IMG* dst, std::int32_t srcRow, std::int32_t dstRow)
{
    if (!usable(src) || !usable(dst)) return;
    if (srcRow < 0 || srcRow >= src->height || dstRow < 0 || dstRow >= dst->height) {
        IMG_error();
        return;
    }
    const std::int32_t n = std::min(src->width, dst->width);
    if (n <= 0) return;
    std::memmove(dst->pixels + static_cast<std::size_t>(dstRow) * dst->width,
                 src->pixels + static_cast<std::size_t>(srcRow) * src->width, static_cast<std::size_t>(n) * 4);
}

// Lines.

void IMG_drawLine(IMG* image, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint32_t colour)
{
    if (!usable(image)) return;
    // Run-length error stepping; the minor axis steps as soon as the error
    // drops below 1, which fixes the pixels of near-diagonal lines.
    const std::int64_t ddx = static_cast<std::int64_t>(x1) - x0;
    const std::int64_t ddy = static_cast<std::int64_t>(y1) - y0;
    const std::int64_t sx = (ddx > 0) - (ddx < 0);
    const std::int64_t sy = (ddy > 0) - (ddy < 0);
    const std::int64_t ax = ddx < 0 ? -ddx : ddx;
    const std::int64_t ay = ddy < 0 ? -ddy : ddy;
    std::int64_t x = x0;
    std::int64_t y = y0;
    if (ax <= ay) {
        std::int64_t err = ay >> 1;
        for (std::int64_t n = 0; n <= ay; ++n) {
            if (inside(image, x, y)) image->pixels[static_cast<std::size_t>(y) * image->width + x] = colour;
            y += sy;
            err -= ax;
            if (err < 1) { x += sx; err += ay; }
        }
    } else {
        std::int64_t err = ax >> 1;
        for (std::int64_t n = 0; n <= ax; ++n) {
            if (inside(image, x, y)) image->pixels[static_cast<std::size_t>(y) * image->width + x] = colour;
            x += sx;
            err -= ay;
            if (err < 1) { y += sy; err += ax; }
        }
    }
}

void IMG_drawHLine(IMG* image, std::int32_t y, std::int32_t x0, std::int32_t x1, std::uint32_t colour)
{
    if (!usable(image)) return;
    if (x0 > x1) std::swap(x0, x1);
    if (y < 0 || y >= image->height) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image->width - 1);
    std::uint32_t* row = image->pixels + static_cast<std::size_t>(y) * image->width;
    for (std::int32_t x = x0; x <= x1; ++x) row[x] = colour;
}

void IMG_drawVLine(IMG* image, std::int32_t x, std::int32_t y0, std::int32_t y1, std::uint32_t colour)
{
    if (!usable(image)) return;
    if (y0 > y1) std::swap(y0, y1);
    if (x < 0 || x >= image->width) return;
    y0 = std::max(y0, 0);
    y1 = std::min(y1, image->height - 1);
    for (std::int32_t y = y0; y <= y1; ++y) image->pixels[static_cast<std::size_t>(y) * image->width + x] = colour;
}

// Transforms.

void IMG_rotate(const IMG* src, IMG* dst, std::int32_t angle)
{
    if (!usable(src) || !usable(dst)) return;
    // Negated angle, wrapped in unsigned arithmetic; at angle 0 the cosine
    // term is the table's minimum, so the picture comes out turned half round.
    const std::uint32_t a = 0u - static_cast<std::uint32_t>(angle);
    const std::int64_t s = SINE_table[a & SINE_MASK];
    const std::int64_t c = SINE_table[(a - 256u) & SINE_MASK];
    const std::int64_t scx = src->width / 2;
    const std::int64_t scy = src->height / 2;
    const std::int64_t dcx = dst->width / 2;
    const std::int64_t dcy = dst->height / 2;
    for (std::int32_t y = 0; y < dst->height; ++y) {
        const std::int64_t v = y - dcy;
        for (std::int32_t x = 0; x < dst->width; ++x) {
            const std::int64_t u = x - dcx;
            const std::int64_t px = scx + ((u * c) >> 15) - ((v * s) >> 15);
            const std::int64_t py = scy + ((u * s) >> 15) + ((v * c) >> 15);
            dst->pixels[static_cast<std::size_t>(y) * dst->width + x] =
                inside(src, px, py) ? src->pixels[static_cast<std::size_t>(py) * src->width + px] : 0u;
        }
    }
}

std::int32_t* IMG_stepRuns(std::int32_t a, std::int32_t b)
{
    const std::int64_t aa = a < 0 ? -static_cast<std::int64_t>(a) : a;
    const std::int64_t ab = b < 0 ? -static_cast<std::int64_t>(b) : b;
    const std::int64_t big = std::max(aa, ab);
    const std::int64_t small = std::min(aa, ab);
    std::int32_t* counter = new (std::nothrow) std::int32_t[static_cast<std::size_t>(small) + 1]();
    if (counter == nullptr) {
        IMG_error();
        return nullptr;
    }
    // The error keeps within 1..big after each step, so idx never passes small.
    std::int64_t err = big;
    std::size_t idx = 0;
    for (std::int64_t n = 0; n <= big; ++n) {
        counter[idx] += 1;
        err -= small;
        if (err < 1) {
            err += big;
            idx += 1;
        }
    }
    return counter;
}

void IMG_scale(const IMG* src, IMG* dst)
{
    if (!usable(src) || !usable(dst)) return;
    const std::int32_t W = dst->width;
    const std::int32_t H = dst->height;
    const std::int32_t w = src->width;
    const std::int32_t h = src->height;
    if (W < 0 || H < 0 || w < 0 || h < 0) {
        IMG_error();
        return;
    }
    if (W == 0 || H == 0) return;
    if (w == 0 || h == 0) {
        // Nothing to replicate: the destination is filled with black.
        IMG_clear(dst, 0);
        return;
    }
    std::unique_ptr<std::int32_t[]> rx(IMG_stepRuns(W, w));
    std::unique_ptr<std::int32_t[]> ry(IMG_stepRuns(H, h));
    if (!rx || !ry) return;
    const std::uint32_t* sp = src->pixels;
    std::uint32_t* dp = dst->pixels;
    const std::size_t rowBytes = static_cast<std::size_t>(W) * sizeof(std::uint32_t);

    // Enlarges source row sr into destination row dr, rx[i] copies of pixel i.
    auto widenRow = [&](std::int32_t sr, std::int32_t dr) {
        const std::uint32_t* s = sp + static_cast<std::size_t>(sr) * w;
        std::uint32_t* d = dp + static_cast<std::size_t>(dr) * W;
        for (std::int32_t i = 0; i < w; ++i) {
            for (std::int32_t k = 0; k < rx[i]; ++k) *d++ = s[i];
        }
    };
    // Shrinks source row sr into destination row dr, walking both backwards.
    auto narrowRow = [&](std::int32_t sr, std::int32_t dr) {
        std::int64_t k = static_cast<std::int64_t>(w) - 1;
        const std::uint32_t* s = sp + static_cast<std::size_t>(sr) * w;
        std::uint32_t* d = dp + static_cast<std::size_t>(dr) * W;
        for (std::int32_t i = W - 1; i >= 0; --i) {
            d[i] = s[k];
            k -= rx[i];
        }
    };

    if (W >= w && H >= h) {
        std::int32_t dr = 0;
        for (std::int32_t j = 0; j < h; ++j) {
            widenRow(j, dr);
            for (std::int32_t k = 1; k < ry[j]; ++k) std::memcpy(dp + static_cast<std::size_t>(dr + k) * W, dp + static_cast<std::size_t>(dr) * W, rowBytes);
            dr += ry[j];
        }
    } else if (W < w && H < h) {
        // One source index walked back from the last pixel: rx[i] within a
        // row (summing to w), then (ry[j] - 1) whole rows more.
        std::int64_t k = static_cast<std::int64_t>(w) * h - 1;
        for (std::int32_t j = H - 1; j >= 0; --j) {
            for (std::int32_t i = W - 1; i >= 0; --i) {
                dp[static_cast<std::size_t>(j) * W + i] = sp[k];
                k -= rx[i];
            }
            k -= static_cast<std::int64_t>(ry[j] - 1) * w;
        }
    } else if (W >= w) {
        std::int32_t sr = 0;
        for (std::int32_t j = 0; j < H; ++j) {
            widenRow(sr, j);
            sr += ry[j];
        }
    } else {
        std::int32_t dr = H - 1;
        for (std::int32_t j = h - 1; j >= 0; --j) {
            narrowRow(j, dr);
            for (std::int32_t k = 1; k < ry[j]; ++k) std::memcpy(dp + static_cast<std::size_t>(dr - k) * W, dp + static_cast<std::size_t>(dr) * W, rowBytes);
            dr -= ry[j];
        }
    }
}

void IMG_error()
{
    if (IMG_debug != 0) std::fputs("IMG error\n", stdout);
}

// RGB888.

std::uint32_t RGB888_make(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return ((r & 0xFFu) << 16) | ((g & 0xFFu) << 8) | (b & 0xFFu);
}

std::uint8_t* RGB888_toBytes(std::uint32_t c, std::uint8_t* out)
{
    if (out == nullptr) {
        IMG_error();
        return nullptr;
    }
    out[0] = static_cast<std::uint8_t>(c >> 16);
    out[1] = static_cast<std::uint8_t>(c >> 8);
    out[2] = static_cast<std::uint8_t>(c);
    return out;
}

std::uint32_t RGB888_add(std::uint32_t a, std::uint32_t b) { return addSat(a, b); }

std::uint32_t RGB888_sub(std::uint32_t a, std::uint32_t b) { return subSat(a, b); }

std::uint32_t RGB888_average(std::uint32_t a, std::uint32_t b)
{
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        out |= ((((a >> shift) & 0xFFu) + ((b >> shift) & 0xFFu)) >> 1) << shift;
    }
    return out;
}

std::uint32_t RGB888_swapRB(std::uint32_t c)
{
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

std::uint32_t RGB888_brighten(std::uint32_t c, std::uint32_t level) { return addSat(c, grey(level)); }

std::uint32_t RGB888_darken(std::uint32_t c, std::uint32_t level) { return subSat(c, grey(level)); }

std::uint32_t RGB888_adjust(std::uint32_t c, std::int32_t v)
{
    const std::uint32_t u = static_cast<std::uint32_t>(v);
    return v < 0 ? RGB888_darken(c, (0u - u) & 0xFFu) : RGB888_brighten(c, u & 0xFFu);
}

std::uint32_t RGB888_blend(std::uint32_t a, std::uint32_t b, std::int32_t alpha)
{
    // Each channel is weighted in place (red as a multiple of 0x10000) and
    // truncated once after the sum. Alpha is held to 0..256 so the products
    // cannot overflow.
    const std::uint32_t al = static_cast<std::uint32_t>(std::clamp(alpha, 0, 256));
    const std::uint32_t ia = 256u - al;
    const std::uint32_t r = (((a & 0xFF0000u) * ia + (b & 0xFF0000u) * al) >> 8) & 0xFF0000u;
    const std::uint32_t g = (((a & 0x00FF00u) * ia + (b & 0x00FF00u) * al) >> 8) & 0x00FF00u;
    const std::uint32_t bl = (((a & 0x0000FFu) * ia + (b & 0x0000FFu) * al) >> 8) & 0x0000FFu;
    return r | g | bl;
}
