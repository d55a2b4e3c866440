// PIXSPAN: the reference kernels, their SIMD forms and the choice between
// them. The SIMD forms are compiled once per instruction set: this file
// includes itself through foreach_target, and everything outside the
// per-target namespace is built once (HWY_ONCE). With QORN_HWY_STATIC only the
// instruction set the compiler was told to use is built (the browser build).
#include "raster/PIXSPAN.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#ifndef QORN_HWY_STATIC
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "raster/PIXSPAN.cpp"
#include <hwy/foreach_target.h>   // IWYU pragma: keep
#endif
#include <hwy/highway.h>

#ifndef PIXSPAN_REFERENCE
#define PIXSPAN_REFERENCE
namespace pixspan {
using u32 = std::uint32_t;

// A row about (cx, cy) clipped to a width x height image: false when
// nothing of it is inside, else its first pixel and length.
inline bool clipHalf(const PIXSPAN_HALF& row, std::size_t width, std::size_t height, std::int64_t cx, std::int64_t cy,
                     std::size_t* first, std::size_t* length)
{
    const std::int64_t y = cy + row.dy;
    const std::int64_t x0 = std::max<std::int64_t>(cx - row.half, 0);
    const std::int64_t x1 = std::min<std::int64_t>(cx + row.half, static_cast<std::int64_t>(width) - 1);
    if (y < 0 || y >= static_cast<std::int64_t>(height) || x0 > x1) return false;
    *first = static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x0);
    *length = static_cast<std::size_t>(x1 - x0) + 1;
    return true;
}

// The reference forms: one word at a time, as the rules are written.
namespace reference {

void blend(u32* p, std::size_t n, PIXSPAN_BLEND t)
{
    for (std::size_t i = 0; i < n; ++i) p[i] = PIXSPAN_blendPixel(p[i], t);
}

// Pixels from .. to - 1, worked right to left reading the source row as it
// stands, so a filter in place sees its own results on the right, as the
// pixel-by-pixel definition does.
void blurRow(const u32* s, std::size_t sw, u32* d, std::size_t from, std::size_t to)
{
    for (std::size_t x = to; x-- > from;) {
        u32 p[5];
        for (std::size_t k = 0; k < 5; ++k) {
            const std::size_t i = x + k;   // x - 2 + k, shifted by 2 to stay unsigned
            p[k] = (i >= 2 && i - 2 < sw) ? s[i - 2] : 0u;
        }
        const u32 rb = (p[0] & 0xFF00FFu) + (p[1] & 0xFF00FFu) + ((p[2] & 0xFF00FFu) << 2) + (p[3] & 0xFF00FFu)
                     + (p[4] & 0xFF00FFu);
        const u32 g = (p[0] & 0x00FF00u) + (p[1] & 0x00FF00u) + ((p[2] & 0x00FF00u) << 2) + (p[3] & 0x00FF00u)
                    + (p[4] & 0x00FF00u);
        d[x] = ((rb >> 3) & 0xFF00FFu) | ((g >> 3) & 0x00FF00u);
    }
}

void glowRow(const u32* s, std::size_t sw, u32* d, std::size_t from, std::size_t to, int shift)
{
    for (std::size_t x = to; x-- > from;) {
        const u32 left = x > 0 ? s[x - 1] : 0u;
        const u32 right = x + 1 < sw ? s[x + 1] : 0u;
        const u32 centre = s[x];
        u32 out = 0;
        for (int c = 0; c < 24; c += 8) {
            const u32 v = ((centre >> c) & 0xFFu) + (((left >> c) & 0xFFu) >> shift) + (((right >> c) & 0xFFu) >> shift);
            out |= std::min(v, 255u) << c;
        }
        d[x] = out;
    }
}

}  // namespace reference

}  // namespace pixspan
#endif

HWY_BEFORE_NAMESPACE();
namespace pixspan {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

#if HWY_TARGET == HWY_SCALAR
// The one-lane fallback of compilers whose portable vectors are unreliable:
// the reference forms stand in for it.
void BlendRun(u32* p, std::size_t n, const PIXSPAN_BLEND* t) { reference::blend(p, n, *t); }
void BlendRect(u32* p, std::size_t stride, std::size_t w, std::size_t h, const PIXSPAN_BLEND* t)
{
    for (std::size_t y = 0; y < h; ++y) reference::blend(p + y * stride, w, *t);
}
void BlendSpans(u32* p, std::size_t stride, const PIXSPAN_SPAN* spans, std::size_t count, const PIXSPAN_BLEND* t)
{
    for (std::size_t i = 0; i < count; ++i)
        reference::blend(p + static_cast<std::size_t>(spans[i].y) * stride + static_cast<std::size_t>(spans[i].x0),
                         static_cast<std::size_t>(spans[i].x1 - spans[i].x0) + 1, *t);
}
void BlendAbout(u32* p, std::size_t w, std::size_t h, std::int64_t cx, std::int64_t cy, const PIXSPAN_HALF* rows,
                std::size_t count, const PIXSPAN_BLEND* t)
{
    std::size_t first = 0, length = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (clipHalf(rows[i], w, h, cx, cy, &first, &length)) reference::blend(p + first, length, *t);
}
void Fill(u32* p, std::size_t n, u32 colour) { std::fill(p, p + n, colour); }
void AddSaturate(u32* p, std::size_t n, u32 colour)
{
    for (std::size_t i = 0; i < n; ++i) p[i] = PIXSPAN_addPixel(p[i], colour);
}
void SubSaturate(u32* p, std::size_t n, u32 colour)
{
    for (std::size_t i = 0; i < n; ++i) p[i] = PIXSPAN_subPixel(p[i], colour);
}
bool BlurRow(const u32*, std::size_t, std::size_t, u32*) { return false; }
bool GlowRow(const u32*, std::size_t, std::size_t, u32*, int) { return false; }
#else
using D = hn::ScalableTag<u32>;
using V = hn::Vec<D>;

// Applies f, a function of each word alone, to every word of p[0..n-1] in
// place. A run of a vector or more is worked in whole vectors, the last one
// ending at the run's end: it is read before anything is written, so the
// words it shares with the vector before it get f of their first value
// twice, the same word. A shorter run goes through a masked load and store
// where the processor has them, else through a small buffer. Nothing outside
// the run is touched.
template <class F>
HWY_INLINE void Transform(u32* HWY_RESTRICT p, std::size_t n, F f)
{
    const D d;
    const std::size_t N = hn::Lanes(d);
    if (n >= N) {
        const std::size_t stop = n - N;   // where the last vector starts
        const V last = f(hn::LoadU(d, p + stop));
        std::size_t i = 0;
        for (; i + 2 * N <= stop; i += 2 * N) {
            const V a = hn::LoadU(d, p + i);
            const V b = hn::LoadU(d, p + i + N);
            hn::StoreU(f(a), d, p + i);
            hn::StoreU(f(b), d, p + i + N);
        }
        if (i + N <= stop) {
            hn::StoreU(f(hn::LoadU(d, p + i)), d, p + i);
            i += N;
        }
        if (i < stop) hn::StoreU(f(hn::LoadU(d, p + i)), d, p + i);
        hn::StoreU(last, d, p + stop);
        return;
    }
    if (n == 0) return;
#if HWY_ARCH_X86 && HWY_TARGET <= HWY_AVX2 && !defined(__SANITIZE_ADDRESS__)
    const auto m = hn::FirstN(d, n);
    hn::BlendedStore(f(hn::MaskedLoad(m, d, p)), m, d, p);
#else
    HWY_ALIGN u32 buffer[HWY_MAX_BYTES / sizeof(u32)] = {};
    std::memcpy(buffer, p, n * sizeof(u32));
    hn::Store(f(hn::Load(d, buffer)), d, buffer);
    std::memcpy(p, buffer, n * sizeof(u32));
#endif
}

#if HWY_ARCH_X86 && HWY_TARGET <= HWY_AVX3 && !defined(__SANITIZE_ADDRESS__)
#define PIXSPAN_ALIGNED_BLOCKS 1
// As Transform, for processors whose masked loads and stores cost no more
// than plain ones (AVX-512; AVX2's masked store is slow enough to lose what
// this gains): the run is worked in the vector-aligned blocks it touches, the
// first and last under a mask of the words inside it, so no access splits
// across cache lines.
// Masked-off words are neither read nor written (nor fault), even where the
// block starts before the run's array.
template <class F>
HWY_INLINE void TransformAligned(u32* HWY_RESTRICT p, std::size_t n, F f)
{
    const D d;
    const std::size_t N = hn::Lanes(d);
    if (n == 0) return;
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(p);
    const std::size_t lead = (address / sizeof(u32)) & (N - 1);
    u32* block = reinterpret_cast<u32*>(address - lead * sizeof(u32));
    std::size_t end = lead + n;   // words from block's start to the run's end
    if (end <= N) {
        const auto m = hn::AndNot(hn::FirstN(d, lead), hn::FirstN(d, end));
        hn::BlendedStore(f(hn::MaskedLoad(m, d, block)), m, d, block);
        return;
    }
    if (lead != 0) {
        const auto m = hn::Not(hn::FirstN(d, lead));
        hn::BlendedStore(f(hn::MaskedLoad(m, d, block)), m, d, block);
        block += N;
        end -= N;
    }
    for (; end >= N; end -= N, block += N) hn::Store(f(hn::Load(d, block)), d, block);
    if (end != 0) {
        const auto m = hn::FirstN(d, end);
        hn::BlendedStore(f(hn::MaskedLoad(m, d, block)), m, d, block);
    }
}
#endif

// Writes f(x) for x = first..last - 1 into dst[x]; false, writing nothing,
// when the range is shorter than one vector. The last vector overlaps the one
// before, so f must depend only on x: dst is not read.
template <class F>
HWY_INLINE bool Produce(u32* HWY_RESTRICT dst, std::size_t first, std::size_t last, F f)
{
    const D d;
    const std::size_t N = hn::Lanes(d);
    if (last < first || last - first < N) return false;
    std::size_t x = first;
    for (; x + N <= last; x += N) hn::StoreU(f(x), d, dst + x);
    if (x < last) hn::StoreU(f(last - N), d, dst + last - N);
    return true;
}

// The blend rule on whole vectors. Seen as 16-bit lanes a word is
// (green, blue) and (top, red); blue and red are masked out in place, green
// and the top byte shifted down, so each channel meets its inverse alpha in
// a lane of its own: old * (256 - alpha) + new * alpha stays below 65281.
// The top byte's lane is dropped at the end.
struct BlendConstants {
    u32 rb, g, inverse;
};

HWY_INLINE V BlendWords(V v, const V rb, const V g, const hn::Vec<hn::Repartition<std::uint16_t, D>> inverse)
{
    const D d;
    const hn::Repartition<std::uint16_t, D> d16;
    const auto lo = hn::BitCast(d16, hn::And(v, hn::Set(d, 0x00FF00FFu)));
    const auto hi = hn::ShiftRight<8>(hn::BitCast(d16, v));
    const auto blo = hn::ShiftRight<8>(hn::Add(hn::Mul(lo, inverse), hn::BitCast(d16, rb)));
    const auto bhi = hn::Add(hn::Mul(hi, inverse), hn::BitCast(d16, g));
#if HWY_TARGET == HWY_AVX2 || HWY_TARGET == HWY_SSE4
    // Green from bhi, everything else from blo (whose other bytes are 0):
    // one byte blend where there is no three-way logic operation.
    const hn::Repartition<std::uint8_t, D> d8;
    const auto green = hn::MaskFromVec(hn::BitCast(d8, hn::Set(d, 0x0000FF00u)));
    return hn::BitCast(d, hn::IfThenElse(green, hn::BitCast(d8, bhi), hn::BitCast(d8, blo)));
#else
    return hn::Or(hn::BitCast(d, blo), hn::And(hn::BitCast(d, bhi), hn::Set(d, 0x0000FF00u)));
#endif
}

#define PIXSPAN_BLEND_VECTORS(t)                                                           \
    const D d;                                                                             \
    const V rb = hn::Set(d, (t)->rb);                                                      \
    const V g = hn::Set(d, (t)->g >> 8);                                                   \
    const auto inverse = hn::Set(hn::Repartition<std::uint16_t, D>(), static_cast<std::uint16_t>((t)->inverse)); \
    const auto blend = [&](V v) HWY_ATTR { return BlendWords(v, rb, g, inverse); }

#ifdef PIXSPAN_ALIGNED_BLOCKS
#define PIXSPAN_BLEND_RUN TransformAligned
#else
#define PIXSPAN_BLEND_RUN Transform
#endif

void BlendRun(u32* HWY_RESTRICT p, std::size_t n, const PIXSPAN_BLEND* t)
{
    PIXSPAN_BLEND_VECTORS(t);
    PIXSPAN_BLEND_RUN(p, n, blend);
}

void BlendRect(u32* HWY_RESTRICT p, std::size_t stride, std::size_t w, std::size_t h, const PIXSPAN_BLEND* t)
{
    PIXSPAN_BLEND_VECTORS(t);
    for (std::size_t y = 0; y < h; ++y) PIXSPAN_BLEND_RUN(p + y * stride, w, blend);
}

void BlendSpans(u32* HWY_RESTRICT p, std::size_t stride, const PIXSPAN_SPAN* spans, std::size_t count,
                const PIXSPAN_BLEND* t)
{
    PIXSPAN_BLEND_VECTORS(t);
    for (std::size_t i = 0; i < count; ++i) {
        const PIXSPAN_SPAN& s = spans[i];
        PIXSPAN_BLEND_RUN(p + static_cast<std::size_t>(s.y) * stride + static_cast<std::size_t>(s.x0),
                          static_cast<std::size_t>(s.x1 - s.x0) + 1, blend);
    }
}

void BlendAbout(u32* HWY_RESTRICT p, std::size_t w, std::size_t h, std::int64_t cx, std::int64_t cy,
                const PIXSPAN_HALF* rows, std::size_t count, const PIXSPAN_BLEND* t)
{
    PIXSPAN_BLEND_VECTORS(t);
    std::size_t first = 0, length = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (clipHalf(rows[i], w, h, cx, cy, &first, &length)) PIXSPAN_BLEND_RUN(p + first, length, blend);
}

void Fill(u32* HWY_RESTRICT p, std::size_t n, u32 colour)
{
    const D d;
    const V c = hn::Set(d, colour);
    Transform(p, n, [c](V) HWY_ATTR { return c; });
}

// Saturating byte arithmetic, then the top byte cleared as the word rules do.
template <typename ByteOp>
HWY_INLINE void Saturate(u32* HWY_RESTRICT p, std::size_t n, u32 colour, ByteOp op)
{
    const D d;
    const hn::Repartition<std::uint8_t, D> d8;
    const auto c = hn::BitCast(d8, hn::Set(d, colour));
    const V keep = hn::Set(d, 0x00FFFFFFu);
    Transform(p, n, [&](V v) HWY_ATTR { return hn::And(hn::BitCast(d, op(hn::BitCast(d8, v), c)), keep); });
}

void AddSaturate(u32* HWY_RESTRICT p, std::size_t n, u32 colour)
{
    Saturate(p, n, colour, [](auto a, auto b) HWY_ATTR { return hn::SaturatedAdd(a, b); });
}

void SubSaturate(u32* HWY_RESTRICT p, std::size_t n, u32 colour)
{
    Saturate(p, n, colour, [](auto a, auto b) HWY_ATTR { return hn::SaturatedSub(a, b); });
}

// 1-1-4-1-1 over 8: red and blue summed in the two halves of each word,
// green alone; a half's sum stays below 2048, so none spills into the next.
bool BlurRow(const u32* HWY_RESTRICT s, std::size_t first, std::size_t last, u32* HWY_RESTRICT dst)
{
    const D d;
    const V mrb = hn::Set(d, 0x00FF00FFu), mg = hn::Set(d, 0x0000FF00u);
    return Produce(dst, first, last, [&](std::size_t x) HWY_ATTR {
        const V p0 = hn::LoadU(d, s + x - 2), p1 = hn::LoadU(d, s + x - 1), p2 = hn::LoadU(d, s + x);
        const V p3 = hn::LoadU(d, s + x + 1), p4 = hn::LoadU(d, s + x + 2);
        const V rb = hn::Add(hn::Add(hn::Add(hn::And(p0, mrb), hn::And(p1, mrb)), hn::ShiftLeft<2>(hn::And(p2, mrb))),
                             hn::Add(hn::And(p3, mrb), hn::And(p4, mrb)));
        const V g = hn::Add(hn::Add(hn::Add(hn::And(p0, mg), hn::And(p1, mg)), hn::ShiftLeft<2>(hn::And(p2, mg))),
                            hn::Add(hn::And(p3, mg), hn::And(p4, mg)));
        return hn::Or(hn::And(hn::ShiftRight<3>(rb), mrb), hn::And(hn::ShiftRight<3>(g), mg));
    });
}

// centre + (neighbour >> shift) per channel, saturating: the shifted words
// are masked per byte so no bit crosses into the channel below.
bool GlowRow(const u32* HWY_RESTRICT s, std::size_t first, std::size_t last, u32* HWY_RESTRICT dst, int shift)
{
    const D d;
    const hn::Repartition<std::uint8_t, D> d8;
    const V mask = hn::Set(d, (0xFFu >> shift) * 0x010101u);
    const V keep = hn::Set(d, 0x00FFFFFFu);
    return Produce(dst, first, last, [&](std::size_t x) HWY_ATTR {
        const auto l = hn::BitCast(d8, hn::And(hn::ShiftRightSame(hn::LoadU(d, s + x - 1), shift), mask));
        const auto r = hn::BitCast(d8, hn::And(hn::ShiftRightSame(hn::LoadU(d, s + x + 1), shift), mask));
        const auto c = hn::BitCast(d8, hn::LoadU(d, s + x));
        return hn::And(hn::BitCast(d, hn::SaturatedAdd(hn::SaturatedAdd(c, l), r)), keep);
    });
}

#undef PIXSPAN_BLEND_VECTORS
#undef PIXSPAN_BLEND_RUN
#undef PIXSPAN_ALIGNED_BLOCKS
#endif  // HWY_TARGET == HWY_SCALAR

}  // namespace HWY_NAMESPACE
}  // namespace pixspan
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace pixspan {


HWY_EXPORT(BlendRun);
HWY_EXPORT(BlendRect);
HWY_EXPORT(BlendSpans);
HWY_EXPORT(BlendAbout);
HWY_EXPORT(Fill);
HWY_EXPORT(AddSaturate);
HWY_EXPORT(SubSaturate);
HWY_EXPORT(BlurRow);
HWY_EXPORT(GlowRow);

#ifdef QORN_HWY_STATIC
#define PIXSPAN_DISPATCH(name) HWY_STATIC_DISPATCH(name)
#else
#define PIXSPAN_DISPATCH(name) HWY_DYNAMIC_DISPATCH(name)
#endif

bool useReference = false;

#ifndef QORN_HWY_STATIC
// The instruction set chosen by name, 0 for the best one; dispatch follows it.
std::int64_t forced = 0;

void choose(std::int64_t target)
{
    hwy::SetSupportedTargetsForTest(target);
    hwy::GetChosenTarget().Update(hwy::SupportedTargets());
}
#endif

bool sameName(const char* a, const char* b)
{
    for (; *a != '\0' && *b != '\0'; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
    return *a == *b;
}

// The instruction sets built in and run by this processor, best first.
std::size_t simdTargets(std::int64_t* out, std::size_t max)
{
    std::size_t n = 0;
#ifdef QORN_HWY_STATIC
    if (max > 0 && HWY_STATIC_TARGET != HWY_SCALAR) out[n++] = HWY_STATIC_TARGET;
#else
    for (const std::int64_t t : hwy::SupportedAndGeneratedTargets())
        if (n < max && t != HWY_SCALAR) out[n++] = t;   // the one-lane fallback is the reference
#endif
    return n;
}

// Two spans overlap in memory: the filters then fall back to the reference,
// which works in place.
bool overlaps(const u32* a, std::size_t an, const u32* b, std::size_t bn)
{
    const std::less<const u32*> before;
    return before(a, b + bn) && before(b, a + an);
}

}  // namespace pixspan

using namespace pixspan;

void PIXSPAN_blend(std::uint32_t* pixels, std::size_t count, PIXSPAN_BLEND terms)
{
    if (pixels == nullptr || count == 0) return;
    if (pixspan::useReference) pixspan::reference::blend(pixels, count, terms);
    else PIXSPAN_DISPATCH(BlendRun)(pixels, count, &terms);
}

void PIXSPAN_blendRect(std::uint32_t* topLeft, std::size_t stride, std::size_t width, std::size_t height,
                       PIXSPAN_BLEND terms)
{
    if (topLeft == nullptr || width == 0 || height == 0) return;
    if (pixspan::useReference) {
        for (std::size_t y = 0; y < height; ++y) pixspan::reference::blend(topLeft + y * stride, width, terms);
    } else {
        PIXSPAN_DISPATCH(BlendRect)(topLeft, stride, width, height, &terms);
    }
}

void PIXSPAN_blendSpans(std::uint32_t* pixels, std::size_t stride, const PIXSPAN_SPAN* spans, std::size_t count,
                        PIXSPAN_BLEND terms)
{
    if (pixels == nullptr || spans == nullptr || count == 0) return;
    if (pixspan::useReference) {
        for (std::size_t i = 0; i < count; ++i) {
            const PIXSPAN_SPAN& s = spans[i];
            pixspan::reference::blend(pixels + static_cast<std::size_t>(s.y) * stride + static_cast<std::size_t>(s.x0),
                                      static_cast<std::size_t>(s.x1 - s.x0) + 1, terms);
        }
    } else {
        PIXSPAN_DISPATCH(BlendSpans)(pixels, stride, spans, count, &terms);
    }
}

void PIXSPAN_blendAbout(std::uint32_t* pixels, std::size_t width, std::size_t height, std::int64_t cx,
                        std::int64_t cy, const PIXSPAN_HALF* rows, std::size_t count, PIXSPAN_BLEND terms)
{
    if (pixels == nullptr || rows == nullptr || count == 0) return;
    if (pixspan::useReference) {
        std::size_t first = 0, length = 0;
        for (std::size_t i = 0; i < count; ++i)
            if (pixspan::clipHalf(rows[i], width, height, cx, cy, &first, &length))
                pixspan::reference::blend(pixels + first, length, terms);
    } else {
        PIXSPAN_DISPATCH(BlendAbout)(pixels, width, height, cx, cy, rows, count, &terms);
    }
}

void PIXSPAN_fill(std::uint32_t* pixels, std::size_t count, std::uint32_t colour)
{
    if (pixels == nullptr || count == 0) return;
    if (pixspan::useReference) std::fill(pixels, pixels + count, colour);
    else PIXSPAN_DISPATCH(Fill)(pixels, count, colour);
}

void PIXSPAN_addSaturate(std::uint32_t* pixels, std::size_t count, std::uint32_t colour)
{
    if (pixels == nullptr || count == 0) return;
    if (pixspan::useReference) {
        for (std::size_t i = 0; i < count; ++i) pixels[i] = PIXSPAN_addPixel(pixels[i], colour);
    } else {
        PIXSPAN_DISPATCH(AddSaturate)(pixels, count, colour);
    }
}

void PIXSPAN_subSaturate(std::uint32_t* pixels, std::size_t count, std::uint32_t colour)
{
    if (pixels == nullptr || count == 0) return;
    if (pixspan::useReference) {
        for (std::size_t i = 0; i < count; ++i) pixels[i] = PIXSPAN_subPixel(pixels[i], colour);
    } else {
        PIXSPAN_DISPATCH(SubSaturate)(pixels, count, colour);
    }
}

// The SIMD forms take the inner pixels, whose neighbours all lie inside the
// source row; the pixels at the ends go through the reference.
void PIXSPAN_blurH5(const std::uint32_t* src, std::size_t srcWidth, std::uint32_t* dst, std::size_t width)
{
    if (src == nullptr || dst == nullptr || width == 0) return;
    width = std::min(width, srcWidth);
    const std::size_t inner = srcWidth >= 4 ? std::max<std::size_t>(std::min(width, srcWidth - 2), 2) : 2;
    if (pixspan::useReference || inner <= 2 || pixspan::overlaps(src, srcWidth, dst, width)
        || !PIXSPAN_DISPATCH(BlurRow)(src, 2, inner, dst)) {
        pixspan::reference::blurRow(src, srcWidth, dst, 0, width);
        return;
    }
    pixspan::reference::blurRow(src, srcWidth, dst, inner, width);
    pixspan::reference::blurRow(src, srcWidth, dst, 0, 2);
}

void PIXSPAN_glowH3(const std::uint32_t* src, std::size_t srcWidth, std::uint32_t* dst, std::size_t width,
                    std::int32_t shift)
{
    if (src == nullptr || dst == nullptr || width == 0) return;
    width = std::min(width, srcWidth);
    const int s = static_cast<int>(std::clamp<std::int32_t>(shift, 0, 8));
    const std::size_t inner = std::max<std::size_t>(std::min(width, srcWidth - 1), 1);
    if (pixspan::useReference || inner <= 1 || pixspan::overlaps(src, srcWidth, dst, width)
        || !PIXSPAN_DISPATCH(GlowRow)(src, 1, inner, dst, s)) {
        pixspan::reference::glowRow(src, srcWidth, dst, 0, width, s);
        return;
    }
    pixspan::reference::glowRow(src, srcWidth, dst, inner, width, s);
    pixspan::reference::glowRow(src, srcWidth, dst, 0, 1, s);
}

const char* PIXSPAN_target()
{
    if (pixspan::useReference) return "scalar";
    std::int64_t best = 0;
    return pixspan::simdTargets(&best, 1) == 1 ? hwy::TargetName(best) : "scalar";
}

std::size_t PIXSPAN_targets(const char** names, std::size_t max)
{
    std::int64_t targets[64];
#ifndef QORN_HWY_STATIC
    hwy::SetSupportedTargetsForTest(0);   // the processor's whole set, not only the one in use
#endif
    const std::size_t n = pixspan::simdTargets(targets, 64);
#ifndef QORN_HWY_STATIC
    pixspan::choose(pixspan::forced);
#endif
    std::size_t k = 0;
    for (std::size_t i = 0; i < n && k < max; ++i) names[k++] = hwy::TargetName(targets[i]);
    if (k < max) names[k++] = "scalar";
    return k;
}

bool PIXSPAN_use(const char* name)
{
    if (name == nullptr) return false;
    if (pixspan::sameName(name, "scalar")) {
        pixspan::useReference = true;
        return true;
    }
#ifdef QORN_HWY_STATIC
    if (!pixspan::sameName(name, hwy::TargetName(HWY_STATIC_TARGET))) return false;
    pixspan::useReference = false;
    return true;
#else
    hwy::SetSupportedTargetsForTest(0);
    for (const std::int64_t t : hwy::SupportedAndGeneratedTargets()) {
        if (!pixspan::sameName(name, hwy::TargetName(t))) continue;
        pixspan::forced = t;
        pixspan::choose(t);
        pixspan::useReference = false;
        return true;
    }
    pixspan::choose(pixspan::forced);
    return false;
#endif
}

bool PIXSPAN_useEnvironment()
{
    const char* name = std::getenv("QORN_SIMD");
    if (name == nullptr || *name == '\0') return true;
    if (PIXSPAN_use(name)) return true;
    const char* names[16];
    const std::size_t n = PIXSPAN_targets(names, 16);
    std::fprintf(stderr, "qorn7316: QORN_SIMD=%s is not available here; use one of:", name);
    for (std::size_t i = 0; i < n; ++i) std::fprintf(stderr, " %s", names[i]);
    std::fputc('\n', stderr);
    return false;
}
#endif  // HWY_ONCE
