// Every instruction set this build has and this processor runs must write the very
// words the reference writes, at every start alignment and length, and not one more.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "effects/IMGFX.h"
#include "raster/IMG.h"
#include "raster/PIXSPAN.h"
#include "support/support.h"

namespace {

using Words = std::vector<std::uint32_t>;

// Every form, the reference "scalar" last.
std::vector<std::string> allTargets()
{
    const char* names[16];
    return {names, names + PIXSPAN_targets(names, 16)};
}

// Runs work once on the reference and once per instruction set, and compares
// what each leaves behind.
void expectSameOnEveryTarget(const std::function<Words()>& work)
{
    const std::string before = PIXSPAN_target();
    ASSERT_TRUE(PIXSPAN_use("scalar"));
    const Words expected = work();
    for (const std::string& target : allTargets()) {
        SCOPED_TRACE(target);
        ASSERT_TRUE(PIXSPAN_use(target.c_str()));
        EXPECT_STREQ(PIXSPAN_target(), target.c_str());
        const Words got = work();
        const auto diff = std::mismatch(got.begin(), got.end(), expected.begin(), expected.end());
        ASSERT_TRUE(diff.first == got.end() && diff.second == expected.end()) << "word " << diff.first - got.begin();
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

}  // namespace

TEST(PixspanKernels, RunKernelsMatchTheReferenceOnEveryTarget)
{
    using Kernel = void (*)(std::uint32_t*, std::size_t, std::uint32_t, std::int32_t);
    const Kernel kernels[] = {
        [](std::uint32_t* p, std::size_t n, std::uint32_t c, std::int32_t a) { PIXSPAN_blend(p, n, PIXSPAN_blendTerms(c, a)); },
        [](std::uint32_t* p, std::size_t n, std::uint32_t c, std::int32_t) { PIXSPAN_addSaturate(p, n, c); },
        [](std::uint32_t* p, std::size_t n, std::uint32_t c, std::int32_t) { PIXSPAN_subSaturate(p, n, c); },
        [](std::uint32_t* p, std::size_t n, std::uint32_t c, std::int32_t) { PIXSPAN_fill(p, n, c); },
    };
    for (std::uint32_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);   // blend, add, sub, fill
        // Start offsets 0..15 (one 64-byte line), lengths 0..300, alpha -1..257 (the ends clamp).
        expectSameOnEveryTarget([&] {
            std::mt19937 rng(k + 1);
            Words all;
            for (std::size_t offset = 0; offset < 16; ++offset)
                for (std::size_t length = 0; length <= 300; ++length) {
                    Words buffer = randomWords(rng, GUARD + offset + length + GUARD);
                    kernels[k](buffer.data() + GUARD + offset, length, static_cast<std::uint32_t>(rng()),
                               static_cast<std::int32_t>(rng() % 259) - 1);
                    all.insert(all.end(), buffer.begin(), buffer.end());
                }
            return all;
        });
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

// On the form in use (the others match the reference above), 40 words of 0xFF0000FF (top byte
// dropped): alpha 64 of 0x00FF00 gives green 255 * 64 >> 8 = 63, blue 255 * 192 >> 8 = 191.
TEST(PixspanKernels, BlendRulesExactFigures)
{
    Words row(40, 0xFF0000FFu);
    PIXSPAN_blend(row.data(), 40, PIXSPAN_blendTerms(0x00FF00u, 64));
    EXPECT_EQ(row, Words(40, 0x003FBFu));
    PIXSPAN_blend(row.data(), 40, PIXSPAN_blendTerms(0x123456u, 256));
    EXPECT_EQ(row, Words(40, 0x123456u));
    PIXSPAN_addSaturate(row.data(), 40, 0xF0F0F0u);
    EXPECT_EQ(row, Words(40, 0xFFFFFFu));
    PIXSPAN_subSaturate(row.data(), 40, 0x10FF01u);
    EXPECT_EQ(row, Words(40, 0xEF00FEu));
}

// Shapes and filters over random words, clipped at every edge and far outside;
// then rows about a centre on an image 37 words wide (no whole number of vectors
// a row), clipped on every side, a row given twice blended twice.
TEST(PixspanKernels, ClippedShapesAndFiltersMatchTheReference)
{
    expectSameOnEveryTarget([] {
        std::mt19937 rng(6);
        support::Picture img(256, 256), glow(256, 256);
        const Words start = randomWords(rng, 256 * 256);
        std::copy(start.begin(), start.end(), img.img->pixels);
        auto at = [&] { return static_cast<std::int32_t>(rng() % 400) - 72; };
        auto colour = [&] { return static_cast<std::uint32_t>(rng()); };
        auto alpha = [&] { return static_cast<std::int32_t>(rng() % 257); };
        for (int i = 0; i < 300; ++i) {
            IMGFX_blendHLine(img.img, at(), at(), at(), colour(), alpha());
            IMGFX_blendRect(img.img, at(), at(), at() - 128, at() - 128, colour(), alpha());
            IMGFX_blendCircle(img.img, at(), at(), static_cast<std::int32_t>(rng() % 140) - 4, colour(), alpha());
        }
        IMGFX_blendCircle(img.img, 128, 128, 1 << 20, 0x808080u, 32);   // far beyond the picture, rows batched many times
        IMG_addColour(img.img, 0x102030u);
        IMG_subColour(img.img, 0x030201u);
        IMGFX_glowH3(img.img, glow.img, 2);
        IMGFX_blurH5(glow.img, img.img);
        IMGFX_blurH5(img.img, img.img);   // in place: the reference's right-to-left order
        return Words(img.img->pixels, img.img->pixels + 256 * 256);
    });
    expectSameOnEveryTarget([] {
        std::mt19937 rng(7);
        Words image = randomWords(rng, 37 * 29);
        for (int i = 0; i < 200; ++i) {
            PIXSPAN_HALF rows[40];
            const std::size_t count = rng() % 41;
            for (std::size_t k = 0; k < count; ++k)
                rows[k] = {static_cast<std::int16_t>(static_cast<int>(rng() % 61) - 30), static_cast<std::int16_t>(rng() % 45)};
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
    const std::vector<std::string> names = allTargets();
    ASSERT_EQ(names.back(), "scalar");
    const std::string best = PIXSPAN_target();
    EXPECT_TRUE(std::getenv("QORN_SIMD") != nullptr || best == names[0]);   // the best by default
    EXPECT_FALSE(PIXSPAN_use("no such set"));
    EXPECT_FALSE(PIXSPAN_use(nullptr));
    EXPECT_EQ(PIXSPAN_target(), best);   // a refused name changes nothing
    EXPECT_TRUE(PIXSPAN_use("SCALAR"));   // any case
    EXPECT_STREQ(PIXSPAN_target(), "scalar");
    // Listing the forms leaves the chosen one in place.
    if (names.size() > 2) {
        ASSERT_TRUE(PIXSPAN_use(names[1].c_str()));
        allTargets();
        EXPECT_EQ(PIXSPAN_target(), names[1]);
    }
    EXPECT_TRUE(PIXSPAN_use(best.c_str()));
}
