// PIXSPAN: the pixel kernels under the blends, fills and post-filters. Each
// has a plain reference form and SIMD forms for every instruction set the
// build targets; the best form the processor runs is used unless one is
// chosen. Every form writes exactly the words of the reference. Owns nothing.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// Colour terms of the blend rule, per channel
// (new * alpha + old * (256 - alpha)) >> 8, with alpha held to 0..256.
struct PIXSPAN_BLEND {
    std::uint32_t rb;        // (colour AND 0xFF00FF) * alpha
    std::uint32_t g;         // (colour AND 0x00FF00) * alpha
    std::uint32_t inverse;   // 256 - alpha
};

// One row span of an image: pixels x0..x1 of row y, already clipped
// (0 <= x0 <= x1 < width, 0 <= y < height).
struct PIXSPAN_SPAN {
    std::int32_t y, x0, x1;
};
// One row of a shape about its centre (cx, cy): pixels cx - half .. cx + half
// of row cy + dy (half >= 0).
struct PIXSPAN_HALF {
    std::int16_t dy, half;
};

inline PIXSPAN_BLEND PIXSPAN_blendTerms(std::uint32_t colour, std::int32_t alpha)
{
    const std::uint32_t a = static_cast<std::uint32_t>(std::clamp<std::int32_t>(alpha, 0, 256));
    return {(colour & 0xFF00FFu) * a, (colour & 0x00FF00u) * a, 256u - a};
}

// The rule on one word. Red and blue share one multiply: each product stays
// inside its 16-bit lane, so every channel truncates once. The top byte is 0.
inline std::uint32_t PIXSPAN_blendPixel(std::uint32_t old, PIXSPAN_BLEND t)
{
    return ((((old & 0xFF00FFu) * t.inverse + t.rb) >> 8) & 0xFF00FFu)
         | ((((old & 0x00FF00u) * t.inverse + t.g) >> 8) & 0x00FF00u);
}

// Channel-wise saturating add and floor-0 subtract of two colour words,
// three byte lanes at once: the lanes' top bits are handled apart so that no
// carry or borrow crosses into the next channel, then lanes that overflowed
// are forced to 255 or 0. The top byte of the result is 0.
inline std::uint32_t PIXSPAN_addPixel(std::uint32_t a, std::uint32_t b)   // per channel min(255, a + b)
{
    constexpr std::uint32_t LOW = 0x7F7F7Fu, HIGH = 0x808080u;
    const std::uint32_t sum = ((a & LOW) + (b & LOW)) ^ ((a ^ b) & HIGH);
    const std::uint32_t carry = ((a & b) | ((a | b) & ~sum)) & HIGH;
    return (sum | ((carry >> 7) * 0xFFu)) & 0xFFFFFFu;
}

inline std::uint32_t PIXSPAN_subPixel(std::uint32_t a, std::uint32_t b)   // per channel max(0, a - b)
{
    constexpr std::uint32_t LOW = 0x7F7F7Fu, HIGH = 0x808080u;
    const std::uint32_t diff = ((a | HIGH) - (b & LOW)) ^ ((a ^ ~b) & HIGH);
    const std::uint32_t borrow = ((~a & b) | (~(a ^ b) & diff)) & HIGH;
    return diff & ~((borrow >> 7) * 0xFFu) & 0xFFFFFFu;
}

// Kernels. Null pixels with a count of 0 are allowed.
void PIXSPAN_blend(std::uint32_t* pixels, std::size_t count, PIXSPAN_BLEND terms);
void PIXSPAN_blendRect(std::uint32_t* topLeft, std::size_t stride, std::size_t width, std::size_t height,
                       PIXSPAN_BLEND terms);   // rows stride words apart
void PIXSPAN_blendSpans(std::uint32_t* pixels, std::size_t stride, const PIXSPAN_SPAN* spans, std::size_t count,
                        PIXSPAN_BLEND terms);  // in order, so a row given twice is blended twice
void PIXSPAN_blendAbout(std::uint32_t* pixels, std::size_t width, std::size_t height, std::int64_t cx,
                        std::int64_t cy, const PIXSPAN_HALF* rows, std::size_t count,
                        PIXSPAN_BLEND terms);  // width x height image, each row clipped to it, in order
void PIXSPAN_fill(std::uint32_t* pixels, std::size_t count, std::uint32_t colour);
void PIXSPAN_addSaturate(std::uint32_t* pixels, std::size_t count, std::uint32_t colour);   // per byte min(255, p + c), top byte 0
void PIXSPAN_subSaturate(std::uint32_t* pixels, std::size_t count, std::uint32_t colour);   // per byte max(0, p - c), top byte 0

// One row of the post-filters: dst[0..width-1] from src[0..srcWidth-1], src
// read as 0 outside. src and dst must not overlap.
void PIXSPAN_blurH5(const std::uint32_t* src, std::size_t srcWidth, std::uint32_t* dst, std::size_t width);   // 1-1-4-1-1 over 8
void PIXSPAN_glowH3(const std::uint32_t* src, std::size_t srcWidth, std::uint32_t* dst, std::size_t width,
                    std::int32_t shift);   // c + (left >> shift) + (right >> shift), max 255; shift 0..8

// Which form runs. Names are the instruction sets' ("AVX3", "AVX2", "SSE4",
// "SSSE3", "NEON", "WASM", "EMU128" for portable code) and "scalar" for the
// reference form.
const char* PIXSPAN_target();                                    // the form in use
bool PIXSPAN_use(const char* name);                              // any case; false (and unchanged) for a form this build or processor lacks
std::size_t PIXSPAN_targets(const char** names, std::size_t max);   // the forms PIXSPAN_use takes, best first, "scalar" last; returns how many
bool PIXSPAN_useEnvironment();                                   // QORN_SIMD when set; false with one line on stderr for a form not available

// A batch of blended rows over one image: each row is clipped as it comes,
// and the rows are blended in the order given, a full batch at a time, so a
// shape costs one kernel call per batch rather than one per row.
struct PIXSPAN_ROWS {
    std::uint32_t* pixels;               // row-major, width words a row
    std::int64_t width, height;          // 0 or more
    PIXSPAN_BLEND terms;
    std::size_t count;                   // rows waiting
    PIXSPAN_SPAN spans[128];
};

inline void PIXSPAN_flush(PIXSPAN_ROWS* rows)
{
    PIXSPAN_blendSpans(rows->pixels, static_cast<std::size_t>(rows->width), rows->spans, rows->count, rows->terms);
    rows->count = 0;
}

// Pixels x0..x1 (x0 <= x1) of row y; the part outside the image is dropped.
inline void PIXSPAN_addRow(PIXSPAN_ROWS* rows, std::int64_t y, std::int64_t x0, std::int64_t x1)
{
    if (y < 0 || y >= rows->height || x1 < 0 || x0 >= rows->width) return;
    rows->spans[rows->count++] = {static_cast<std::int32_t>(y), static_cast<std::int32_t>(std::max<std::int64_t>(x0, 0)),
                                  static_cast<std::int32_t>(std::min(x1, rows->width - 1))};
    if (rows->count == sizeof rows->spans / sizeof rows->spans[0]) PIXSPAN_flush(rows);
}

// The rows of a family of shapes about their centre, one shape per size
// 0..sizes - 1, for shapes whose rows depend on their size alone: walked
// once, then replayed by PIXSPAN_blendTable. walk(size, emit) calls
// emit(dy, half) for each row in order; every |dy| and half must fit 16 bits.
struct PIXSPAN_TABLE {
    std::vector<PIXSPAN_HALF> rows;
    std::vector<std::uint32_t> first;   // size s's rows are first[s] .. first[s + 1] - 1
};

template <class Walk>
PIXSPAN_TABLE PIXSPAN_makeTable(std::int64_t sizes, Walk walk)
{
    PIXSPAN_TABLE table;
    table.first.reserve(static_cast<std::size_t>(sizes) + 1);
    for (std::int64_t size = 0; size < sizes; ++size) {
        table.first.push_back(static_cast<std::uint32_t>(table.rows.size()));
        walk(size, [&](std::int64_t dy, std::int64_t half) {
            table.rows.push_back({static_cast<std::int16_t>(dy), static_cast<std::int16_t>(half)});
        });
    }
    table.first.push_back(static_cast<std::uint32_t>(table.rows.size()));
    return table;
}

// Shape size (below the table's count of sizes) about (cx, cy) on a
// width x height image.
inline void PIXSPAN_blendTable(std::uint32_t* pixels, std::int64_t width, std::int64_t height, std::int64_t cx,
                               std::int64_t cy, const PIXSPAN_TABLE& table, std::int64_t size, PIXSPAN_BLEND terms)
{
    const std::uint32_t first = table.first[static_cast<std::size_t>(size)];
    PIXSPAN_blendAbout(pixels, static_cast<std::size_t>(width), static_cast<std::size_t>(height), cx, cy,
                       table.rows.data() + first, table.first[static_cast<std::size_t>(size) + 1] - first, terms);
}
