// IMGFX: drawing primitives with the system's mixing rules, compositing blits
// and whole-image filters. Clipping arithmetic runs in 64 bits so that far-off
// coordinates and extreme sizes clip instead of overflowing.
#include "effects/IMGFX.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "foundation/RANDOM.h"
#include "raster/PIXSPAN.h"

const MODID IMGFX_ID = MODID_CODE("IMGFX   ");
std::uint8_t IMGFX_debug = 0;

void IMGFX_error()
{
    if (IMGFX_debug != 0) std::fputs("IMGFX error\n", stdout);
}

namespace {

using i64 = std::int64_t;
using u32 = std::uint32_t;
using u64 = std::uint64_t;

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

bool fitsInt32(i64 v)
{
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

// Plain plot through the image module; a null image is reported there.
void put(IMG* img, i64 x, i64 y, u32 colour)
{
    if (fitsInt32(x) && fitsInt32(y))
        IMG_putPixel(img, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), colour);
}

u32 channel(u32 c, int shift) { return (c >> shift) & 0xFFu; }

u32 pack(u32 r, u32 g, u32 b) { return (r << 16) | (g << 8) | b; }

// Average rule, per channel (old + new) >> 1: the halves plus the carry of
// the two dropped low bits.
u32 average(u32 o, u32 n)
{
    return ((o >> 1) & 0x7F7F7Fu) + ((n >> 1) & 0x7F7F7Fu) + (o & n & 0x010101u);
}

// Saturating add rule, per channel min(255, old + new).
u32 addSaturate(u32 o, u32 n)
{
    return pack(std::min(channel(o, 16) + channel(n, 16), 255u),
                std::min(channel(o, 8) + channel(n, 8), 255u),
                std::min(channel(o, 0) + channel(n, 0), 255u));
}

// Blend rule, per channel (new * alpha + old * (256 - alpha)) >> 8, alpha held
// to 0..256 as RGB888_blend holds it: the terms and the word rule of PIXSPAN.
struct Blender {
    PIXSPAN_BLEND terms;
    Blender(u32 colour, std::int32_t alpha) : terms(PIXSPAN_blendTerms(colour, alpha)) {}
    u32 operator()(u32 old) const { return PIXSPAN_blendPixel(old, terms); }
};

i64 sign(i64 v) { return (v > 0) - (v < 0); }
i64 absolute(i64 v) { return v < 0 ? -v : v; }

// The one-pixel line stepping: steep when |dx| <= |dy| (ties and zero length
// go there), the minor step taken as soon as the error reaches 0 (err < 1).
template <class Plot>
void stepLine(i64 x1, i64 y1, i64 x2, i64 y2, Plot plot)
{
    const i64 sx = sign(x2 - x1), sy = sign(y2 - y1);
    const i64 ax = absolute(x2 - x1), ay = absolute(y2 - y1);
    i64 x = x1, y = y1;
    if (ax <= ay) {
        i64 err = ay >> 1;
        for (i64 i = 0; i <= ay; ++i) {
            plot(x, y);
            y += sy;
            err -= ax;
            if (err < 1) { x += sx; err += ay; }
        }
    } else {
        i64 err = ax >> 1;
        for (i64 i = 0; i <= ax; ++i) {
            plot(x, y);
            x += sx;
            err -= ay;
            if (err < 1) { y += sy; err += ax; }
        }
    }
}

// Two-ended stepping: p walks from the first end, q from the second, L / 2 + 1
// times, so an even major length meets on one middle pixel written twice.
template <class Write>
void stepTwoEnded(i64 x1, i64 y1, i64 x2, i64 y2, Write write)
{
    const i64 sx = sign(x2 - x1), sy = sign(y2 - y1);
    const i64 ax = absolute(x2 - x1), ay = absolute(y2 - y1);
    const bool steep = ax <= ay;
    const i64 major = steep ? ay : ax, minor = steep ? ax : ay;
    i64 px = x1, py = y1, qx = x2, qy = y2;
    i64 err = major >> 1;
    for (i64 i = 0; i <= major / 2; ++i) {
        write(px, py);
        write(qx, qy);
        if (steep) { py += sy; qy -= sy; } else { px += sx; qx -= sx; }
        err -= minor;
        if (err < 1) {
            if (steep) { px += sx; qx -= sx; } else { py += sy; qy -= sy; }
            err += major;
        }
    }
}

// Thick lines as bundles of one-pixel lines, end points ordered left to right.
// Steep bundles shift sideways, shallow ones up and down, diagonal ones use
// three quarters of the width along the diagonal, each line doubled one pixel
// to the right to close the gaps. A diagonal of width 1 would get no line at
// all from the three-quarter width; it draws the plain line instead.
template <class Draw>
void thickBundle(i64 x1, i64 y1, i64 x2, i64 y2, i64 width, Draw draw)
{
    const i64 dx = x2 - x1, dy = y2 - y1, ady = absolute(dy);
    const i64 half = (width + 1) / 2, lo = (-width) / 2;
    if (ady >= 2 * dx) {
        for (i64 k = lo; k < half; ++k) draw(x1 + k, y1, x2 + k, y2);
    } else if (ady >= (dx >> 1)) {
        const i64 w3 = (width * 3) / 4;
        if (w3 == 0) { draw(x1, y1, x2, y2); return; }
        const i64 lo3 = -(w3 / 2), half3 = (w3 + 1) / 2;
        for (i64 k = lo3; k < half3; ++k) {
            const i64 ky = dy < 1 ? k : -k;
            draw(x1 + k, y1 + ky, x2 + k, y2 + ky);
            draw(x1 + k + 1, y1 + ky, x2 + k + 1, y2 + ky);
        }
    } else {
        for (i64 k = lo; k < half; ++k) draw(x1, y1 + k, x2, y2 + k);
    }
}

void gradient(IMG* img, i64 x1, i64 y1, u32 colour1, i64 x2, i64 y2, u32 colour2)
{
    if (x1 == x2 && y1 == y2) { put(img, x1, y1, colour1); return; }
    // Dithered ramp: the share of colour2 grows linearly, the first point is colour1.
    const i64 length = std::max(absolute(x2 - x1), absolute(y2 - y1));
    i64 acc = length, n = 0;
    stepLine(x1, y1, x2, y2, [&](i64 x, i64 y) {
        acc -= n;
        n += 1;
        if (acc < 1) { put(img, x, y, colour2); acc += length; }
        else put(img, x, y, colour1);
    });
}

void averageAt(IMG* img, i64 x, i64 y, u32 colour)
{
    if (x >= 0 && y >= 0 && x < widthOf(img) && y < heightOf(img)) {
        u32& p = at(img, x, y);
        p = average(p, colour);
    }
}

void addAt(IMG* img, i64 x, i64 y, u32 colour)
{
    if (x >= 0 && y >= 0 && x < widthOf(img) && y < heightOf(img)) {
        u32& p = at(img, x, y);
        p = addSaturate(p, colour);
    }
}

// A span a..b (ends in either order) on line `across` of an image whose lines
// are `length` long and which has `lines` of them; false when nothing is left.
bool clipSpan(i64 length, i64 lines, i64 across, i64& a, i64& b)
{
    if (across < 0 || across >= lines) return false;
    if (a > b) std::swap(a, b);
    a = std::max<i64>(a, 0);
    b = std::min<i64>(b, length - 1);
    return a <= b;
}

// The rows of a blended shape, batched for the span kernel.
PIXSPAN_ROWS rowsOf(IMG* img, u32 colour, std::int32_t alpha)
{
    PIXSPAN_ROWS rows;
    rows.pixels = img->pixels;
    rows.width = widthOf(img);
    rows.height = heightOf(img);
    rows.terms = PIXSPAN_blendTerms(colour, alpha);
    rows.count = 0;
    return rows;
}

// The blended circle's rows: a midpoint-style walk of one octant where every
// step gives four spans, so rows covered by more than one span (the centre
// row, the rows near the poles) are tinted more than once: the banding is
// part of the look. emit(dy, half) per span, in order.
template <class Emit>
void walkOctants(i64 r, Emit emit)
{
    i64 y = r, x = 0, ysq = r * r, ym1sq = (r - 1) * (r - 1);
    const i64 rsq = r * r;
    while (y >= x) {
        emit(y, x);
        emit(-y, x);
        emit(x, y);
        emit(-x, y);
        x += 1;
        const i64 e1 = absolute(ysq + x * x - rsq), e2 = absolute(ym1sq + x * x - rsq);
        if (e2 < e1) {
            y -= 1;
            ysq = ym1sq;
            ym1sq = (y - 1) * (y - 1);
        }
    }
}

// The rows of the small circles, walked once on first use and replayed.
constexpr i64 CIRCLE_TABLE_RADII = 128;

const PIXSPAN_TABLE& circleTable()
{
    static const PIXSPAN_TABLE table =
        PIXSPAN_makeTable(CIRCLE_TABLE_RADII, [](i64 r, auto emit) { walkOctants(r, emit); });
    return table;
}

// Rectangle clipping shared by the fills: a negative extent lies left of x
// (or above y); the result is the covered part of the image, never empty.
bool clipRect(const IMG* img, i64& x, i64& y, i64& w, i64& h)
{
    if (w == 0 || h == 0) return false;
    if (w < 0) { x += w; w = -w; }
    if (h < 0) { y += h; h = -h; }
    const i64 width = widthOf(img), height = heightOf(img);
    if (x + w < 1 || y + h < 1 || x >= width || y >= height) return false;
    if (x < 0) { w += x; x = 0; }
    if (y < 0) { h += y; y = 0; }
    if (x + w > width) w = width - x;
    if (y + h > height) h = height - y;
    return w > 0 && h > 0;
}

template <class Op>
void eachInRect(IMG* img, std::int32_t x0, std::int32_t y0, std::int32_t w0, std::int32_t h0, Op op)
{
    i64 x = x0, y = y0, w = w0, h = h0;
    if (!clipRect(img, x, y, w, h)) return;
    for (i64 row = y; row < y + h; ++row) {
        u32* p = &at(img, x, row);
        for (i64 i = 0; i < w; ++i) p[i] = op(p[i]);
    }
}

// The block of a rectangle blit after clipping against both images.
struct Block {
    i64 sx, sy, dx, dy, w, h;
};

bool clipBlit(const IMG* src, const IMG* dst, Block& b)
{
    const i64 sw = widthOf(src), sh = heightOf(src), dw = widthOf(dst), dh = heightOf(dst);
    if (b.dx >= dw || b.dx + b.w < 0 || b.dy >= dh || b.dy + b.h < 0) return false;
    if (b.sx >= sw || b.sx + b.w < 0 || b.sy >= sh || b.sy + b.h < 0) return false;
    if (b.sx < 0) { b.w += b.sx; b.dx -= b.sx; b.sx = 0; }
    if (b.sy < 0) { b.h += b.sy; b.dy -= b.sy; b.sy = 0; }
    if (b.sx + b.w > sw) b.w = sw - b.sx;
    if (b.sy + b.h > sh) b.h = sh - b.sy;
    if (b.dx < 0) { b.w += b.dx; b.sx -= b.dx; b.dx = 0; }
    if (b.dy < 0) { b.h += b.dy; b.sy -= b.dy; b.dy = 0; }
    if (b.dx + b.w > dw) b.w = dw - b.dx;
    if (b.dy + b.h > dh) b.h = dh - b.dy;
    return b.w > 0 && b.h > 0;
}

template <class Op>
void blitRect(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy,
              std::int32_t w, std::int32_t h, Op op)
{
    if (!usable(src) || !usable(dst)) { IMGFX_error(); return; }
    Block b{sx, sy, dx, dy, w, h};
    if (!clipBlit(src, dst, b)) return;
    for (i64 j = 0; j < b.h; ++j) {
        const u32* s = &at(src, b.sx, b.sy + j);
        u32* d = &at(dst, b.dx, b.dy + j);
        for (i64 i = 0; i < b.w; ++i) d[i] = op(d[i], s[i]);
    }
}

u32 averageZeroTransparent(u32 d, u32 s)
{
    return s == 0 ? d : ((d >> 1) & 0x7F7F7Fu) + ((s >> 1) & 0x7F7F7Fu);
}

// Shifts of 8 and more leave nothing of a channel; below 0 counts as 0.
int glowShift(std::int32_t shift)
{
    return static_cast<int>(std::clamp<std::int32_t>(shift, 0, 8));
}

// Per-channel sums of a picture, one array per channel, for the filters that
// need box sums. Entry (x, y) of the table holds the sum of all pixels above
// and left of it, so any clipped block sums in four look-ups.
struct SumTable {
    i64 w = 0, h = 0;
    std::vector<u64> sums[3];
    explicit SumTable(const IMG* img, int shift = 0) : w(widthOf(img)), h(heightOf(img))
    {
        for (auto& s : sums) s.assign(static_cast<std::size_t>((w + 1) * (h + 1)), 0);
        for (i64 y = 0; y < h; ++y)
            for (i64 x = 0; x < w; ++x) {
                const u32 p = at(img, x, y);
                for (int c = 0; c < 3; ++c) {
                    const u64 v = (p >> (16 - 8 * c) & 0xFFu) >> shift;
                    sums[c][index(x + 1, y + 1)] = v + sums[c][index(x, y + 1)] + sums[c][index(x + 1, y)]
                                                   - sums[c][index(x, y)];
                }
            }
    }
    std::size_t index(i64 x, i64 y) const { return static_cast<std::size_t>(y * (w + 1) + x); }
    // Sum of channel c over columns x0..x1 and rows y0..y1, clipped to the picture.
    u64 sum(int c, i64 x0, i64 y0, i64 x1, i64 y1) const
    {
        x0 = std::max<i64>(x0, 0); y0 = std::max<i64>(y0, 0);
        x1 = std::min(x1, w - 1); y1 = std::min(y1, h - 1);
        if (x0 > x1 || y0 > y1) return 0;
        const auto& s = sums[c];
        return s[index(x1 + 1, y1 + 1)] - s[index(x0, y1 + 1)] - s[index(x1 + 1, y0)] + s[index(x0, y0)];
    }
};

// Runs a filter that computes each output pixel from the source as it was:
// the results go to scratch first, then into the part of dst src covers.
template <class Pixel>
void filterInto(const IMG* src, IMG* dst, Pixel pixel)
{
    const i64 sw = widthOf(src), sh = heightOf(src);
    const i64 w = std::min(sw, widthOf(dst)), h = std::min(sh, heightOf(dst));
    if (w <= 0 || h <= 0) return;
    std::vector<u32> out(static_cast<std::size_t>(w * h));
    for (i64 y = 0; y < h; ++y)
        for (i64 x = 0; x < w; ++x) out[static_cast<std::size_t>(y * w + x)] = pixel(x, y);
    for (i64 y = 0; y < h; ++y)
        std::copy_n(out.begin() + static_cast<std::ptrdiff_t>(y * w), w, &at(dst, 0, y));
}

// Reads src with 0 outside.
u32 sample(const IMG* img, i64 x, i64 y)
{
    return (x >= 0 && y >= 0 && x < widthOf(img) && y < heightOf(img)) ? at(img, x, y) : 0u;
}

void colourRamp(IMG* img, std::int32_t x1, std::int32_t y1, u32 c1, std::int32_t x2, std::int32_t y2, u32 c2,
                bool add)
{
    const i64 length = std::max(absolute(i64{x2} - x1), absolute(i64{y2} - y1));
    if (length == 0) {
        if (add) addAt(img, x1, y1, average(c1, c2));
        else put(img, x1, y1, c1);
        return;
    }
    // Channels in 16.16 with a half added, so the last point lands on c2 exactly.
    i64 value[3], step[3];
    for (int c = 0; c < 3; ++c) {
        const i64 a = channel(c1, 16 - 8 * c), b = channel(c2, 16 - 8 * c);
        value[c] = (a << 16) + 0x8000;
        step[c] = ((b - a) * 65536) / length;
    }
    stepLine(x1, y1, x2, y2, [&](i64 x, i64 y) {
        const u32 colour = pack(static_cast<u32>(std::clamp<i64>(value[0] >> 16, 0, 255)),
                                static_cast<u32>(std::clamp<i64>(value[1] >> 16, 0, 255)),
                                static_cast<u32>(std::clamp<i64>(value[2] >> 16, 0, 255)));
        if (add) addAt(img, x, y, colour);
        else put(img, x, y, colour);
        for (int c = 0; c < 3; ++c) value[c] += step[c];
    });
}

// Shifts every row by dx (content to the left for dx > 0) and then the rows by
// dy (upward for dy > 0); uncovered pixels are cleared or keep their values.
void scrollBy(IMG* img, std::int32_t dx32, std::int32_t dy32, bool clear)
{
    if (!usable(img)) { IMGFX_error(); return; }
    const i64 w = widthOf(img), h = heightOf(img), dx = dx32, dy = dy32;
    if (w == 0 || h == 0) return;
    const i64 sx = std::min(absolute(dx), w), sy = std::min(absolute(dy), h);
    if (sx > 0) {
        for (i64 y = 0; y < h; ++y) {
            u32* row = &at(img, 0, y);
            if (dx > 0) {
                std::memmove(row, row + sx, static_cast<std::size_t>(w - sx) * sizeof(u32));
                if (clear) std::fill(row + (w - sx), row + w, 0u);
            } else {
                std::memmove(row + sx, row, static_cast<std::size_t>(w - sx) * sizeof(u32));
                if (clear) std::fill(row, row + sx, 0u);
            }
        }
    }
    if (sy > 0) {
        u32* all = img->pixels;
        const std::size_t shift = static_cast<std::size_t>(sy * w), keep = static_cast<std::size_t>((h - sy) * w);
        if (dy > 0) {
            std::memmove(all, all + shift, keep * sizeof(u32));
            if (clear) std::fill(all + keep, all + keep + shift, 0u);
        } else {
            std::memmove(all + shift, all, keep * sizeof(u32));
            if (clear) std::fill(all, all + shift, 0u);
        }
    }
}

}  // namespace

void IMGFX_line(IMG* img, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::uint32_t colour)
{
    stepLine(x1, y1, x2, y2, [&](i64 x, i64 y) { put(img, x, y, colour); });
}

void IMGFX_thickLine(IMG* img, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::uint32_t colour,
                     std::int32_t width)
{
    if (img == nullptr || width < 1) return;
    i64 ax = x1, ay = y1, bx = x2, by = y2;
    if (ax > bx) { std::swap(ax, bx); std::swap(ay, by); }
    thickBundle(ax, ay, bx, by, width, [&](i64 p, i64 q, i64 r, i64 s) {
        stepLine(p, q, r, s, [&](i64 x, i64 y) { put(img, x, y, colour); });
    });
}

void IMGFX_gradientLine(IMG* img, std::int32_t x1, std::int32_t y1, std::uint32_t colour1, std::int32_t x2,
                        std::int32_t y2, std::uint32_t colour2)
{
    gradient(img, x1, y1, colour1, x2, y2, colour2);
}

void IMGFX_thickGradientLine(IMG* img, std::int32_t x1, std::int32_t y1, std::uint32_t colour1, std::int32_t x2,
                             std::int32_t y2, std::uint32_t colour2, std::int32_t width)
{
    if (img == nullptr || width < 1) return;
    i64 ax = x1, ay = y1, bx = x2, by = y2;
    if (ax > bx) { std::swap(ax, bx); std::swap(ay, by); std::swap(colour1, colour2); }
    thickBundle(ax, ay, bx, by, width, [&](i64 p, i64 q, i64 r, i64 s) { gradient(img, p, q, colour1, r, s, colour2); });
}

void IMGFX_averagePixel(IMG* img, std::int32_t x, std::int32_t y, std::uint32_t colour)
{
    if (!usable(img)) { IMGFX_error(); return; }
    averageAt(img, x, y, colour);
}

void IMGFX_averageLine(IMG* img, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                       std::uint32_t colour)
{
    if (!usable(img)) { IMGFX_error(); return; }
    stepTwoEnded(x1, y1, x2, y2, [&](i64 x, i64 y) { averageAt(img, x, y, colour); });
}

void IMGFX_addPixel(IMG* img, std::int32_t x, std::int32_t y, std::uint32_t colour)
{
    if (!usable(img)) { IMGFX_error(); return; }
    addAt(img, x, y, colour);
}

void IMGFX_addLine(IMG* img, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::uint32_t colour)
{
    if (!usable(img)) { IMGFX_error(); return; }
    stepTwoEnded(x1, y1, x2, y2, [&](i64 x, i64 y) { addAt(img, x, y, colour); });
}

void IMGFX_hLine(IMG* img, std::int32_t y, std::int32_t x1, std::int32_t x2, std::uint32_t colour)
{
    if (!usable(img)) { IMGFX_error(); return; }
    i64 a = x1, b = x2;
    if (!clipSpan(widthOf(img), heightOf(img), y, a, b)) return;
    std::fill(&at(img, a, y), &at(img, b, y) + 1, colour);
}

void IMGFX_vLine(IMG* img, std::int32_t x, std::int32_t y1, std::int32_t y2, std::uint32_t colour)
{
    if (!usable(img)) { IMGFX_error(); return; }
    i64 a = y1, b = y2;
    if (!clipSpan(heightOf(img), widthOf(img), x, a, b)) return;
    for (i64 y = a; y <= b; ++y) at(img, x, y) = colour;
}

void IMGFX_blendHLine(IMG* img, std::int32_t y, std::int32_t x1, std::int32_t x2, std::uint32_t colour,
                      std::int32_t alpha)
{
    if (!usable(img)) { IMGFX_error(); return; }
    i64 a = x1, b = x2;
    if (!clipSpan(widthOf(img), heightOf(img), y, a, b)) return;
    PIXSPAN_blend(&at(img, a, y), static_cast<std::size_t>(b - a + 1), PIXSPAN_blendTerms(colour, alpha));
}

void IMGFX_blendVLine(IMG* img, std::int32_t x, std::int32_t y1, std::int32_t y2, std::uint32_t colour,
                      std::int32_t alpha)
{
    if (!usable(img)) { IMGFX_error(); return; }
    i64 a = y1, b = y2;
    if (!clipSpan(heightOf(img), widthOf(img), x, a, b)) return;
    const Blender blend(colour, alpha);
    for (i64 y = a; y <= b; ++y) {
        u32& p = at(img, x, y);
        p = blend(p);
    }
}

void IMGFX_blendCircle(IMG* img, std::int32_t cx32, std::int32_t cy32, std::int32_t r32, std::uint32_t colour,
                       std::int32_t alpha)
{
    if (!usable(img)) { IMGFX_error(); return; }
    const i64 cx = cx32, cy = cy32, r = absolute(r32);
    if (cx + r < 0 || cy + r < 0 || cx - r >= img->width || cy - r >= img->height) return;
    if (r < CIRCLE_TABLE_RADII) {
        PIXSPAN_blendTable(img->pixels, widthOf(img), heightOf(img), cx, cy, circleTable(), r,
                           PIXSPAN_blendTerms(colour, alpha));
        return;
    }
    PIXSPAN_ROWS rows = rowsOf(img, colour, alpha);
    walkOctants(r, [&](i64 dy, i64 half) { PIXSPAN_addRow(&rows, cy + dy, cx - half, cx + half); });
    PIXSPAN_flush(&rows);
}

void IMGFX_fillRect(IMG* img, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour)
{
    if (!usable(img)) { IMGFX_error(); return; }
    eachInRect(img, x, y, w, h, [colour](u32) { return colour; });
}

void IMGFX_blendRect(IMG* img, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour,
                     std::int32_t alpha)
{
    if (!usable(img)) { IMGFX_error(); return; }
    i64 x0 = x, y0 = y, w0 = w, h0 = h;
    if (!clipRect(img, x0, y0, w0, h0)) return;
    PIXSPAN_blendRect(&at(img, x0, y0), static_cast<std::size_t>(widthOf(img)), static_cast<std::size_t>(w0),
                      static_cast<std::size_t>(h0), PIXSPAN_blendTerms(colour, alpha));
}

void IMGFX_shadeRect(IMG* img, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour,
                     std::int32_t alpha)
{
    if (!usable(img)) { IMGFX_error(); return; }
    eachInRect(img, x, y, w, h, [colour, alpha](u32 p) { return RGB888_blend(p, colour, alpha); });
}

void IMGFX_drawAverage(const IMG* src, IMG* dst)
{
    if (!usable(src) || !usable(dst)) { IMGFX_error(); return; }
    i64 px = src->x, py = src->y, w = widthOf(src), h = heightOf(src);
    const i64 dw = widthOf(dst), dh = heightOf(dst);
    if (px + w < 1 || py + h < 1 || px >= dw || py >= dh) return;
    i64 sx = 0, sy = 0;
    if (px < 0) { sx = -px; w += px; px = 0; }
    if (py < 0) { sy = -py; h += py; py = 0; }
    if (px + w > dw) w = dw - px;
    if (py + h > dh) h = dh - py;
    for (i64 j = 0; j < h; ++j) {
        const u32* s = &at(src, sx, sy + j);
        u32* d = &at(dst, px, py + j);
        for (i64 i = 0; i < w; ++i) d[i] = averageZeroTransparent(d[i], s[i]);
    }
}

void IMGFX_addRect(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy,
                   std::int32_t w, std::int32_t h)
{
    blitRect(src, dst, sx, sy, dx, dy, w, h, addSaturate);
}

void IMGFX_copyRectOnKey(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy,
                         std::int32_t w, std::int32_t h, std::uint32_t key)
{
    blitRect(src, dst, sx, sy, dx, dy, w, h, [key](u32 d, u32 s) { return d == key ? s : d; });
}

void IMGFX_averageRect(const IMG* src, IMG* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy,
                       std::int32_t w, std::int32_t h)
{
    blitRect(src, dst, sx, sy, dx, dy, w, h, averageZeroTransparent);
}

void IMGFX_scatter(IMG* dst, const IMG* src, std::int32_t count)
{
    if (!usable(dst) || !usable(src)) { IMGFX_error(); return; }
    // An empty source has no pixel to pick; the draws would divide by zero.
    if (src->width <= 0 || src->height <= 0) return;
    for (std::int32_t n = 0; n < count; ++n) {
        const i64 px = RANDOM_rand15() % src->width;
        const i64 py = RANDOM_rand15() % src->height;
        const u32 p = at(src, px, py);
        if (p != 0) put(dst, src->x + px, src->y + py, p);
    }
}

bool IMGFX_boxesOverlap(const IMG* a, const IMG* b)
{
    if (a == nullptr || b == nullptr) { IMGFX_error(); return false; }
    const i64 ax = a->x, ay = a->y, bx = b->x, by = b->y;
    if (ax + a->width < bx || bx + b->width < ax || ay + a->height < by) return false;
    return by + b->height >= ay;
}

bool IMGFX_collide(const IMG* a, const IMG* b)
{
    if (!usable(a) || !usable(b)) { IMGFX_error(); return false; }
    if (!IMGFX_boxesOverlap(a, b)) return false;
    const i64 top = std::max<i64>(a->y, b->y), left = std::max<i64>(a->x, b->x);
    const i64 bottom = std::min(i64{a->y} + heightOf(a), i64{b->y} + heightOf(b));
    const i64 right = std::min(i64{a->x} + widthOf(a), i64{b->x} + widthOf(b));
    for (i64 row = top; row < bottom; ++row)
        for (i64 col = left; col < right; ++col)
            if (at(a, col - a->x, row - a->y) != 0 && at(b, col - b->x, row - b->y) != 0) return true;
    return false;
}

void IMGFX_replaceColour(IMG* img, std::uint32_t from, std::uint32_t to)
{
    if (!usable(img)) { IMGFX_error(); return; }
    u32* p = img->pixels;
    std::replace(p, p + widthOf(img) * heightOf(img), from, to);
}

void IMGFX_invert(IMG* img)
{
    if (!usable(img)) { IMGFX_error(); return; }
    u32* p = img->pixels;
    for (i64 i = widthOf(img) * heightOf(img) - 1; i >= 0; --i) p[i] = ~p[i] & 0xFFFFFFu;
}

void IMGFX_xorRect(IMG* img, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour)
{
    if (!usable(img)) { IMGFX_error(); return; }
    eachInRect(img, x, y, w, h, [colour](u32 p) { return p ^ colour; });
}

void IMGFX_invertRect(IMG* img, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h)
{
    if (!usable(img)) { IMGFX_error(); return; }
    eachInRect(img, x, y, w, h, [](u32 p) { return ~p; });
}

void IMGFX_outlineRect(IMG* img, std::int32_t x32, std::int32_t y32, std::int32_t w32, std::int32_t h32,
                       std::uint32_t colour)
{
    if (!usable(img)) { IMGFX_error(); return; }
    i64 x = x32, y = y32, w = w32, h = h32;
    if (w < 0) { x += w; w = -w; }
    if (h < 0) { y += h; h = -h; }
    if (w == 0 || h == 0 || x < 0 || y < 0 || x + w > widthOf(img) || y + h > heightOf(img)) return;
    for (i64 i = x; i < x + w; ++i) { at(img, i, y) = colour; at(img, i, y + h - 1) = colour; }
    for (i64 j = y; j < y + h; ++j) { at(img, x, j) = colour; at(img, x + w - 1, j) = colour; }
}

void IMGFX_colourLine(IMG* img, std::int32_t x1, std::int32_t y1, std::uint32_t colour1, std::int32_t x2,
                      std::int32_t y2, std::uint32_t colour2)
{
    colourRamp(img, x1, y1, colour1, x2, y2, colour2, false);
}

void IMGFX_addColourLine(IMG* img, std::int32_t x1, std::int32_t y1, std::uint32_t colour1, std::int32_t x2,
                         std::int32_t y2, std::uint32_t colour2)
{
    if (!usable(img)) { IMGFX_error(); return; }
    colourRamp(img, x1, y1, colour1, x2, y2, colour2, true);
}

void IMGFX_blurH5(const IMG* src, IMG* dst)
{
    if (!usable(src) || !usable(dst)) { IMGFX_error(); return; }
    const i64 sw = widthOf(src), w = std::min(sw, widthOf(dst)), h = std::min(heightOf(src), heightOf(dst));
    // Rows from the bottom; each row as the row kernel works it (in place it
    // sees its own results on the right, as the pixel-by-pixel rule does).
    for (i64 y = h - 1; y >= 0; --y)
        PIXSPAN_blurH5(&at(src, 0, y), static_cast<std::size_t>(sw), &at(dst, 0, y), static_cast<std::size_t>(w));
}

void IMGFX_glowH3(const IMG* src, IMG* dst, std::int32_t shift)
{
    if (!usable(src) || !usable(dst)) { IMGFX_error(); return; }
    const int s = glowShift(shift);
    const i64 sw = widthOf(src), w = std::min(sw, widthOf(dst)), h = std::min(heightOf(src), heightOf(dst));
    for (i64 y = h - 1; y >= 0; --y)
        PIXSPAN_glowH3(&at(src, 0, y), static_cast<std::size_t>(sw), &at(dst, 0, y), static_cast<std::size_t>(w), s);
}

void IMGFX_blurBox(const IMG* src, IMG* dst, std::int32_t r)
{
    if (!usable(src) || !usable(dst)) { IMGFX_error(); return; }
    if (r < 0) return;
    const SumTable table(src);
    const u64 side = 2 * static_cast<u64>(r) + 1, count = side * side;
    filterInto(src, dst, [&](i64 x, i64 y) {
        u32 out = 0;
        for (int c = 0; c < 3; ++c) out |= static_cast<u32>(table.sum(c, x - r, y - r, x + r, y + r) / count) << (16 - 8 * c);
        return out;
    });
}

void IMGFX_blurRow(const IMG* src, IMG* dst, std::int32_t r)
{
    if (!usable(src) || !usable(dst)) { IMGFX_error(); return; }
    if (r < 0) return;
    const SumTable table(src);
    const u64 count = 2 * static_cast<u64>(r) + 1;
    filterInto(src, dst, [&](i64 x, i64 y) {
        u32 out = 0;
        for (int c = 0; c < 3; ++c) out |= static_cast<u32>(table.sum(c, x - r, y, x + r, y) / count) << (16 - 8 * c);
        return out;
    });
}

void IMGFX_blur3x3(const IMG* src, IMG* dst)
{
    if (!usable(src) || !usable(dst)) { IMGFX_error(); return; }
    static constexpr int weights[3][3] = {{1, 2, 1}, {2, 4, 2}, {1, 2, 1}};
    filterInto(src, dst, [&](i64 x, i64 y) {
        u32 sum[3] = {0, 0, 0};
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 3; ++i) {
                const u32 p = sample(src, x + i - 1, y + j - 1);
                for (int c = 0; c < 3; ++c) sum[c] += channel(p, 16 - 8 * c) * weights[j][i];
            }
        return pack(sum[0] >> 4, sum[1] >> 4, sum[2] >> 4);
    });
}

void IMGFX_glow3x3(const IMG* src, IMG* dst, std::int32_t shift)
{
    if (!usable(src) || !usable(dst)) { IMGFX_error(); return; }
    const int s = glowShift(shift);
    filterInto(src, dst, [&](i64 x, i64 y) {
        const u32 centre = sample(src, x, y);
        u32 sum[3] = {channel(centre, 16), channel(centre, 8), channel(centre, 0)};
        for (int j = -1; j <= 1; ++j)
            for (int i = -1; i <= 1; ++i) {
                if (i == 0 && j == 0) continue;
                const u32 p = sample(src, x + i, y + j);
                for (int c = 0; c < 3; ++c) sum[c] += channel(p, 16 - 8 * c) >> s;
            }
        return pack(std::min(sum[0], 255u), std::min(sum[1], 255u), std::min(sum[2], 255u));
    });
}

void IMGFX_glowRow(const IMG* src, IMG* dst, std::int32_t r, std::int32_t shift)
{
    if (!usable(src) || !usable(dst)) { IMGFX_error(); return; }
    if (r < 0) return;
    const int s = glowShift(shift);
    const SumTable table(src, s);
    filterInto(src, dst, [&](i64 x, i64 y) {
        const u32 centre = sample(src, x, y);
        u32 out = 0;
        for (int c = 0; c < 3; ++c) {
            const u64 v = channel(centre, 16 - 8 * c) + table.sum(c, x - r, y, x + r, y);
            out |= static_cast<u32>(std::min<u64>(v, 255)) << (16 - 8 * c);
        }
        return out;
    });
}

void IMGFX_mosaic(IMG* img, std::int32_t bw, std::int32_t bh)
{
    if (!usable(img)) { IMGFX_error(); return; }
    if (bw < 1 || bh < 1) return;
    const i64 w = widthOf(img), h = heightOf(img);
    for (i64 by = 0; by < h; by += bh)
        for (i64 bx = 0; bx < w; bx += bw) {
            const u32 colour = at(img, bx, by);
            for (i64 y = by; y < std::min(by + bh, h); ++y)
                std::fill(&at(img, bx, y), &at(img, 0, y) + std::min(bx + bw, w), colour);
        }
}

void IMGFX_mosaicMean(IMG* img, std::int32_t bw, std::int32_t bh)
{
    if (!usable(img)) { IMGFX_error(); return; }
    if (bw < 1 || bh < 1) return;
    const i64 w = widthOf(img), h = heightOf(img);
    const SumTable table(img);
    for (i64 by = 0; by < h; by += bh)
        for (i64 bx = 0; bx < w; bx += bw) {
            const i64 ex = std::min(bx + bw, w), ey = std::min(by + bh, h);
            const u64 count = static_cast<u64>((ex - bx) * (ey - by));
            u32 colour = 0;
            for (int c = 0; c < 3; ++c)
                colour |= static_cast<u32>(table.sum(c, bx, by, ex - 1, ey - 1) / count) << (16 - 8 * c);
            for (i64 y = by; y < ey; ++y) std::fill(&at(img, bx, y), &at(img, 0, y) + ex, colour);
        }
}

IMG* IMGFX_edges(const IMG* src)
{
    if (!usable(src)) { IMGFX_error(); return nullptr; }
    IMG* out = IMG_new();
    if (out == nullptr) { IMGFX_error(); return nullptr; }
    const i64 w = widthOf(src), h = heightOf(src);
    IMG_setSize(out, static_cast<std::int32_t>(w), static_cast<std::int32_t>(h));
    if (out->width != w || out->height != h || (w * h > 0 && out->pixels == nullptr)) {
        IMG_free(&out);
        IMGFX_error();
        return nullptr;
    }
    for (i64 y = 1; y + 1 < h; ++y)
        for (i64 x = 1; x + 1 < w; ++x) {
            const u32 centre = at(src, x, y);
            u32 sum[3] = {0, 0, 0};
            for (int j = -1; j <= 1; ++j)
                for (int i = -1; i <= 1; ++i) {
                    const u32 p = at(src, x + i, y + j);
                    for (int c = 0; c < 3; ++c) {
                        const int a = static_cast<int>(channel(centre, 16 - 8 * c));
                        const int b = static_cast<int>(channel(p, 16 - 8 * c));
                        sum[c] += static_cast<u32>(a > b ? a - b : b - a);
                    }
                }
            at(out, x, y) = pack(std::min(sum[0], 255u), std::min(sum[1], 255u), std::min(sum[2], 255u));
        }
    return out;
}

void IMGFX_mirror4(IMG* img)
{
    if (!usable(img)) { IMGFX_error(); return; }
    const i64 w = widthOf(img), h = heightOf(img);
    for (i64 y = 0; y < h / 2; ++y)
        for (i64 x = 0; x < w / 2; ++x) {
            const u32 p = at(img, x, y);
            at(img, w - 1 - x, y) = p;
            at(img, x, h - 1 - y) = p;
            at(img, w - 1 - x, h - 1 - y) = p;
        }
}

void IMGFX_scroll(IMG* img, std::int32_t dx, std::int32_t dy)
{
    scrollBy(img, dx, dy, true);
}

void IMGFX_scrollSmear(IMG* img, std::int32_t dx, std::int32_t dy)
{
    scrollBy(img, dx, dy, false);
}

void IMGFX_scrollWrap(IMG* img, IMG* scratch, std::int32_t dx, std::int32_t dy)
{
    if (!usable(img) || !usable(scratch) || img == scratch) { IMGFX_error(); return; }
    if (img->width != scratch->width || img->height != scratch->height) return;
    const i64 w = widthOf(img), h = heightOf(img);
    if (w == 0 || h == 0) return;
    const i64 ox = ((i64{dx} % w) + w) % w, oy = ((i64{dy} % h) + h) % h;
    std::copy_n(img->pixels, w * h, scratch->pixels);
    // Pixel (x, y) takes the one that stood at ((x + ox) mod w, (y + oy) mod h).
    for (i64 y = 0; y < h; ++y) {
        const u32* s = &at(static_cast<const IMG*>(scratch), 0, (y + oy) % h);
        u32* d = &at(img, 0, y);
        std::copy(s + ox, s + w, d);
        std::copy(s, s + ox, d + (w - ox));
    }
}
