// The SIMD kernels against the reference: every instruction set this build
// has and this processor runs must write the very words the reference
// writes, at every start alignment and length, and not one word more.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "effects/IMGFX.h"
#include "raster/CIRCLE.h"
#include "raster/IMG.h"
#include "raster/PIXSPAN.h"

namespace {

using Words = std::vector<std::uint32_t>;

std::vector<std::string> simdTargets()
{
    const char* names[16];
    const std::size_t n = PIXSPAN_targets(names, 16);
    std::vector<std::string> out(names, names + n);
    out.pop_back();   // "scalar", the reference itself
    return out;
}

// Runs work once on the reference and once per instruction set, from the
// same start, and compares what each leaves behind.
void expectSameOnEveryTarget(const std::function<Words()>& work)
{
    const std::string before = PIXSPAN_target();
    ASSERT_TRUE(PIXSPAN_use("scalar"));
    const Words expected = work();
    for (const std::string& target : simdTargets()) {
        SCOPED_TRACE(target);
        ASSERT_TRUE(PIXSPAN_use(target.c_str()));
        EXPECT_STREQ(PIXSPAN_target(), target.c_str());
        const Words got = work();
        ASSERT_EQ(got.size(), expected.size());
        for (std::size_t i = 0; i < got.size(); ++i)
            ASSERT_EQ(got[i], expected[i]) << "word " << i;
    }
    PIXSPAN_use(before.c_str());
}

Words randomWords(std::mt19937& rng, std::size_t n)
{
    Words w(n);
    for (auto& v : w) v = static_cast<std::uint32_t>(rng());   // top bytes too
    return w;
}

constexpr std::size_t GUARD = 20;   // words on either side that must stay as they are

// Every run kernel at start offsets 0..15 (one 64-byte line) and lengths 0..300.
template <class Kernel>
Words everyRun(std::uint32_t seed, Kernel kernel)
{
    std::mt19937 rng(seed);
    Words all;
    for (std::size_t offset = 0; offset < 16; ++offset)
        for (std::size_t length = 0; length <= 300; ++length) {
            Words buffer = randomWords(rng, GUARD + offset + length + GUARD);
            kernel(rng, buffer.data() + GUARD + offset, length);
            all.insert(all.end(), buffer.begin(), buffer.end());
        }
    return all;
}

TEST(PixspanKernels, RunKernelsMatchTheReferenceOnEveryTarget)
{
    using Kernel = void (*)(std::mt19937&, std::uint32_t*, std::size_t);
    const std::pair<const char*, Kernel> kernels[] = {
        {"blend", [](std::mt19937& rng, std::uint32_t* p, std::size_t n) {
             const std::int32_t alpha = static_cast<std::int32_t>(rng() % 259) - 1;   // -1 and 257 clamp
             PIXSPAN_blend(p, n, PIXSPAN_blendTerms(static_cast<std::uint32_t>(rng()), alpha));
         }},
        {"addSaturate", [](std::mt19937& rng, std::uint32_t* p, std::size_t n) { PIXSPAN_addSaturate(p, n, static_cast<std::uint32_t>(rng())); }},
        {"subSaturate", [](std::mt19937& rng, std::uint32_t* p, std::size_t n) { PIXSPAN_subSaturate(p, n, static_cast<std::uint32_t>(rng())); }},
        {"fill", [](std::mt19937& rng, std::uint32_t* p, std::size_t n) { PIXSPAN_fill(p, n, static_cast<std::uint32_t>(rng())); }},
    };
    std::uint32_t seed = 1;
    for (const auto& [name, kernel] : kernels) {
        SCOPED_TRACE(name);
        expectSameOnEveryTarget([&, kernel = kernel] { return everyRun(seed, kernel); });
        ++seed;
    }
}

TEST(PixspanKernels, RowFiltersMatchTheReferenceForEveryWidthAndShift)
{
    expectSameOnEveryTarget([] {
        std::mt19937 rng(5);
        Words all;
        for (std::size_t width = 1; width <= 300; ++width)
            for (std::size_t extra : {0u, 1u, 2u, 7u}) {   // source rows wider than the target
                const std::size_t srcWidth = width + extra;
                const Words src = randomWords(rng, srcWidth);
                Words blur = randomWords(rng, GUARD + width + GUARD), glow = blur;
                PIXSPAN_blurH5(src.data(), srcWidth, blur.data() + GUARD, width);
                PIXSPAN_glowH3(src.data(), srcWidth, glow.data() + GUARD, width,
                               static_cast<std::int32_t>(rng() % 11) - 1);   // -1 and 9 hold to 0..8
                all.insert(all.end(), blur.begin(), blur.end());
                all.insert(all.end(), glow.begin(), glow.end());
            }
        return all;
    });
}

TEST(PixspanKernels, BlendRulesExactFigures)
{
    // alpha 64 of 0x00FF00 over 0x0000FF: green 255 * 64 >> 8 = 63, blue 255 * 192 >> 8 = 191.
    const std::pair<std::function<void(std::uint32_t*, std::size_t)>, std::uint32_t> steps[] = {
        {[](std::uint32_t* p, std::size_t n) { PIXSPAN_blend(p, n, PIXSPAN_blendTerms(0x00FF00u, 64)); }, 0x003FBFu},
        {[](std::uint32_t* p, std::size_t n) { PIXSPAN_blend(p, n, PIXSPAN_blendTerms(0x123456u, 256)); }, 0x123456u},
        {[](std::uint32_t* p, std::size_t n) { PIXSPAN_addSaturate(p, n, 0xF0F0F0u); }, 0xFFFFFFu},
        {[](std::uint32_t* p, std::size_t n) { PIXSPAN_subSaturate(p, n, 0x10FF01u); }, 0xEF00FEu},
    };
    const std::string before = PIXSPAN_target();
    std::vector<std::string> all = simdTargets();
    all.push_back("scalar");
    for (const std::string& target : all) {
        SCOPED_TRACE(target);
        ASSERT_TRUE(PIXSPAN_use(target.c_str()));
        Words row(40, 0xFF0000FFu);   // the top byte is dropped
        for (const auto& [step, want] : steps) {
            step(row.data(), row.size());
            EXPECT_EQ(row, Words(40, want));
        }
    }
    PIXSPAN_use(before.c_str());
}

// The shapes over a picture of random words, at positions that clip them at
// every edge and far outside.
Words shapes(std::uint32_t seed)
{
    std::mt19937 rng(seed);
    IMG* img = IMG_new();
    IMG_setSize(img, 256, 256);
    const Words start = randomWords(rng, 256 * 256);
    std::copy(start.begin(), start.end(), img->pixels);
    auto coordinate = [&] { return static_cast<std::int32_t>(rng() % 400) - 72; };
    auto colour = [&] { return static_cast<std::uint32_t>(rng()); };
    auto alpha = [&] { return static_cast<std::int32_t>(rng() % 257); };
    CIRCLE* circle = CIRCLE_new();
    for (int i = 0; i < 300; ++i) {
        IMGFX_blendHLine(img, coordinate(), coordinate(), coordinate(), colour(), alpha());
        IMGFX_blendRect(img, coordinate(), coordinate(), coordinate() - 128, coordinate() - 128, colour(), alpha());
        IMGFX_blendCircle(img, coordinate(), coordinate(), static_cast<std::int32_t>(rng() % 140) - 4, colour(), alpha());
        circle->centre->x = coordinate();
        circle->centre->y = coordinate();
        circle->radius = static_cast<std::int32_t>(rng() % 140) - 4;
        circle->colour = colour();
        CIRCLE_fillBlend(circle, img, alpha());
    }
    IMGFX_blendCircle(img, 128, 128, 1 << 20, 0x808080u, 32);   // far beyond the picture, rows batched many times
    IMG_addColour(img, 0x102030u);
    IMG_subColour(img, 0x030201u);
    IMG* glow = IMG_new();
    IMG_setSize(glow, 256, 256);
    IMGFX_glowH3(img, glow, 2);
    IMGFX_blurH5(glow, img);
    IMGFX_blurH5(img, img);   // in place: the reference's right-to-left order
    Words out(img->pixels, img->pixels + 256 * 256);
    IMG_free(&glow);
    CIRCLE_free(&circle);
    IMG_free(&img);
    return out;
}

TEST(PixspanKernels, ClippedShapesAndFiltersMatchTheReference)
{
    expectSameOnEveryTarget([] { return shapes(6); });
    // Rows about a centre on an image 37 words wide (no whole number of
    // vectors a row), clipped on every side, a row given twice blended twice.
    expectSameOnEveryTarget([] {
        std::mt19937 rng(7);
        Words image = randomWords(rng, 37 * 29);
        for (int i = 0; i < 200; ++i) {
            PIXSPAN_HALF rows[40];
            const std::size_t count = rng() % 41;
            for (std::size_t k = 0; k < count; ++k)
                rows[k] = {static_cast<std::int16_t>(static_cast<int>(rng() % 61) - 30),
                           static_cast<std::int16_t>(rng() % 45)};
            if (count >= 2) rows[1] = rows[0];
            PIXSPAN_blendAbout(image.data(), 37, 29, static_cast<std::int64_t>(rng() % 60) - 10,
                               static_cast<std::int64_t>(rng() % 50) - 10, rows, count,
                               PIXSPAN_blendTerms(static_cast<std::uint32_t>(rng()), static_cast<std::int32_t>(rng() % 257)));
        }
        return image;
    });
}

TEST(PixspanChoice, NamesTheFormsAndRefusesUnknownOnes)
{
    const char* names[16];
    const std::size_t n = PIXSPAN_targets(names, 16);
    ASSERT_GE(n, 1u);
    EXPECT_STREQ(names[n - 1], "scalar");
    const std::string best = PIXSPAN_target();
    if (std::getenv("QORN_SIMD") == nullptr) {
        EXPECT_EQ(best, n > 1 ? names[0] : "scalar");   // the best by default
    }
    EXPECT_FALSE(PIXSPAN_use("no such set"));
    EXPECT_FALSE(PIXSPAN_use(nullptr));
    EXPECT_EQ(PIXSPAN_target(), best);   // a refused name changes nothing
    EXPECT_TRUE(PIXSPAN_use("SCALAR"));   // any case
    EXPECT_STREQ(PIXSPAN_target(), "scalar");
    EXPECT_TRUE(PIXSPAN_use(best.c_str()));
    EXPECT_EQ(PIXSPAN_target(), best);
    // Listing the forms leaves the chosen one in place.
    if (n > 2) {
        ASSERT_TRUE(PIXSPAN_use(names[1]));
        PIXSPAN_targets(names, 16);
        EXPECT_STREQ(PIXSPAN_target(), names[1]);
        PIXSPAN_use(best.c_str());
    }
}

}  // namespace
