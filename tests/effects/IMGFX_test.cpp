#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "effects/IMGFX.h"
#include "foundation/RANDOM.h"
#include "support/support.h"

namespace {

// A picture on the test's own storage; an empty one still has a pixel array.
struct Img {
    std::vector<std::uint32_t> data;
    IMG img{};
    Img(int w, int h, std::uint32_t colour) : data(static_cast<std::size_t>(std::max(1, w * h)), colour)
    {
        img.width = w;
        img.height = h;
        img.pixels = data.data();
    }
    Img(const Img&) = delete;
    Img& operator=(const Img&) = delete;
    IMG* get() { return &img; }
    IMG* operator->() { return &img; }
    const IMG* operator->() const { return &img; }
};

Img make(int w, int h, std::uint32_t colour = 0)
{
    return Img(w, h, colour);
}

bool same(const Img& a, const Img& b)
{
    return a->width == b->width && a->height == b->height && a.data == b.data;
}

void clear(Img& img, std::uint32_t colour) { std::fill(img.data.begin(), img.data.end(), colour); }

std::uint32_t& px(Img& img, int x, int y) { return img->pixels[y * img->width + x]; }
std::uint32_t px(const Img& img, int x, int y) { return img->pixels[y * img->width + x]; }

using Points = std::set<std::pair<int, int>>;

Points lit(const Img& img)
{
    Points p;
    for (int y = 0; y < img->height; ++y)
        for (int x = 0; x < img->width; ++x)
            if (px(img, x, y) != 0) p.insert({x, y});
    return p;
}

std::vector<std::uint32_t> row(const Img& img, int y)
{
    return {img->pixels + y * img->width, img->pixels + (y + 1) * img->width};
}

}  // namespace

TEST(ImgfxLine, TieBreakTakesMinorStepAtZero)
{
    Img a = make(8, 8);
    IMGFX_line(a.get(), 0, 0, 2, 1, 1);
    EXPECT_EQ(lit(a), (Points{{0, 0}, {1, 1}, {2, 1}}));
    Img b = make(8, 8);
    IMGFX_line(b.get(), 0, 0, 1, 2, 1);
    EXPECT_EQ(lit(b), (Points{{0, 0}, {1, 1}, {1, 2}}));
    Img c = make(8, 8);
    IMGFX_line(c.get(), 3, 4, 3, 4, 1);
    EXPECT_EQ(lit(c), (Points{{3, 4}}));
}

TEST(ImgfxThickLine, WidthsZeroOneThree)
{
    Img img = make(12, 12);
    IMGFX_thickLine(img.get(), 1, 1, 9, 5, 7, 0);
    EXPECT_TRUE(lit(img).empty());
    // Width 1 is the one-pixel line, for shallow and for diagonal lines.
    for (auto [x2, y2] : std::vector<std::pair<int, int>>{{9, 4}, {6, 6}, {4, 9}}) {
        Img thick = make(12, 12), thin = make(12, 12);
        IMGFX_thickLine(thick.get(), 1, 1, x2, y2, 7, 1);
        IMGFX_line(thin.get(), 1, 1, x2, y2, 7);
        EXPECT_EQ(lit(thick), lit(thin)) << x2 << "," << y2;
    }
    // A zero-length line counts as steep: width 3 spreads sideways.
    Img dot = make(12, 12);
    IMGFX_thickLine(dot.get(), 4, 4, 4, 4, 7, 3);
    EXPECT_EQ(lit(dot), (Points{{3, 4}, {4, 4}, {5, 4}}));
    // Shallow width 3 covers rows y - 1 .. y + 1, whichever end comes first.
    Img flat = make(12, 12), back = make(12, 12);
    IMGFX_thickLine(flat.get(), 1, 5, 6, 5, 7, 3);
    IMGFX_thickLine(back.get(), 6, 5, 1, 5, 7, 3);
    EXPECT_EQ(lit(flat).size(), 18u);
    EXPECT_TRUE(lit(flat).count({1, 4}) && lit(flat).count({6, 6}));
    EXPECT_EQ(lit(flat), lit(back));
}

TEST(ImgfxGradientLine, DitheredRampStartsWithFirstColour)
{
    const std::uint32_t a = 0x0000AA, b = 0xBB0000;
    Img img = make(6, 2);
    IMGFX_gradientLine(img.get(), 0, 0, a, 4, 0, b);
    EXPECT_EQ(row(img, 0), (std::vector<std::uint32_t>{a, a, a, b, b, 0}));
    IMGFX_gradientLine(img.get(), 5, 1, a, 5, 1, b);
    EXPECT_EQ(px(img, 5, 1), a);
    // The thick version orders the ends left to right, colours with them.
    Img thick = make(6, 2);
    IMGFX_thickGradientLine(thick.get(), 4, 0, a, 0, 0, b, 1);
    EXPECT_EQ(row(thick, 0), (std::vector<std::uint32_t>{b, b, b, a, a, 0}));
}

TEST(ImgfxTwoEndedLine, EvenLengthMixesMiddleTwice)
{
    Img img = make(6, 3);
    IMGFX_addLine(img.get(), 0, 0, 4, 0, 0x101010);
    EXPECT_EQ(row(img, 0), (std::vector<std::uint32_t>{0x101010, 0x101010, 0x202020, 0x101010, 0x101010, 0}));
    IMGFX_addLine(img.get(), 0, 1, 3, 1, 0x101010);
    EXPECT_EQ(row(img, 1), (std::vector<std::uint32_t>{0x101010, 0x101010, 0x101010, 0x101010, 0, 0}));
    IMGFX_averageLine(img.get(), 4, 2, 0, 2, 0xFFFFFF);
    EXPECT_EQ(row(img, 2), (std::vector<std::uint32_t>{0x7F7F7F, 0x7F7F7F, 0xBFBFBF, 0x7F7F7F, 0x7F7F7F, 0}));
}

TEST(ImgfxPixelWrites, AverageAndSaturatingAdd)
{
    Img img = make(2, 1);
    px(img, 0, 0) = 0xAAFF0301;
    IMGFX_averagePixel(img.get(), 0, 0, 0x010101);
    EXPECT_EQ(px(img, 0, 0), 0x800201u);
    px(img, 1, 0) = 0x10F080;
    IMGFX_addPixel(img.get(), 1, 0, 0x202090);
    EXPECT_EQ(px(img, 1, 0), 0x30FFFFu);
    IMGFX_addPixel(img.get(), 2, 0, 0x202090);
    IMGFX_averagePixel(img.get(), 0, -1, 0x202090);
    EXPECT_EQ(px(img, 0, 0), 0x800201u);
    EXPECT_EQ(px(img, 1, 0), 0x30FFFFu);
}

TEST(ImgfxSpans, ClipSwapAndBlend)
{
    Img a = make(8, 3), b = make(8, 3);
    IMGFX_hLine(a.get(), 1, 6, 2, 5);
    IMGFX_hLine(b.get(), 1, 2, 6, 5);
    EXPECT_TRUE(same(a, b));
    EXPECT_EQ(lit(a).size(), 5u);
    IMGFX_hLine(a.get(), -1, 0, 7, 5);
    IMGFX_hLine(a.get(), 3, 0, 7, 5);
    IMGFX_vLine(a.get(), 8, 0, 2, 5);
    EXPECT_EQ(lit(a).size(), 5u);
    IMGFX_vLine(a.get(), 0, 5, -9, 9);
    EXPECT_EQ(px(a, 0, 0), 9u);
    EXPECT_EQ(px(a, 0, 2), 9u);

    Img c = make(4, 4, 0x0000FF);
    IMGFX_blendHLine(c.get(), 0, -3, 100, 0xFF0000, 128);
    EXPECT_EQ(row(c, 0), std::vector<std::uint32_t>(4, 0x7F007F));
    IMGFX_blendVLine(c.get(), 3, 1, 3, 0xFFFFFF, 16);
    EXPECT_EQ(px(c, 3, 1), 0x0F0FFFu);
    EXPECT_EQ(px(c, 3, 3), 0x0F0FFFu);
    EXPECT_EQ(px(c, 2, 1), 0x0000FFu);
}

TEST(ImgfxBlendCircle, RowsOverlapTowardThePoles)
{
    Img dot = make(3, 3);
    IMGFX_blendCircle(dot.get(), 1, 1, 0, 0xFFFFFF, 128);   // four blends: 7F, BF, DF, EF
    EXPECT_EQ(px(dot, 1, 1), 0xEFEFEFu);
    EXPECT_EQ(lit(dot).size(), 1u);

    Img img = make(7, 7);
    IMGFX_blendCircle(img.get(), 3, 3, -2, 0xFFFFFF, 128);
    const std::uint32_t o = 0, l = 0x7F7F7F, d = 0xBFBFBF;
    const std::vector<std::vector<std::uint32_t>> want = {
        {o, o, o, o, o, o, o}, {o, o, l, d, l, o, o}, {o, l, l, l, l, l, o}, {o, d, d, d, d, d, o},
        {o, l, l, l, l, l, o}, {o, o, l, d, l, o, o}, {o, o, o, o, o, o, o}};
    for (int y = 0; y < 7; ++y) EXPECT_EQ(row(img, y), want[y]) << "row " << y;

    Img off = make(4, 4);
    IMGFX_blendCircle(off.get(), -3, 1, 2, 0xFFFFFF, 256);
    IMGFX_blendCircle(off.get(), 1, 6, 2, 0xFFFFFF, 256);
    EXPECT_TRUE(lit(off).empty());
}

TEST(ImgfxRects, ClippingAndMixing)
{
    Img img = make(32, 4);
    IMGFX_fillRect(img.get(), 20, 1, -10, 1, 3);
    for (int x = 0; x < 32; ++x) EXPECT_EQ(px(img, x, 1), (x >= 10 && x <= 19) ? 3u : 0u) << x;
    IMGFX_fillRect(img.get(), -5, 0, 5, 4, 3);
    IMGFX_fillRect(img.get(), 0, -2, 4, 2, 3);
    IMGFX_fillRect(img.get(), 0, 0, 0, 4, 3);
    EXPECT_EQ(lit(img).size(), 10u);

    Img back = make(3, 3, 0x10E0FF), twin = make(3, 3, 0x10E0FF);
    IMGFX_blendRect(back.get(), 0, 0, 3, 3, 0x804020, 0);
    EXPECT_TRUE(same(back, twin));
    IMGFX_blendRect(back.get(), 1, 1, 5, 5, 0x804020, 96);
    IMGFX_shadeRect(twin.get(), 1, 1, 5, 5, 0x804020, 96);
    EXPECT_EQ(px(back, 2, 2), 0x3AA4ABu);
    EXPECT_EQ(px(back, 0, 2), 0x10E0FFu);
    EXPECT_TRUE(same(back, twin));
    IMGFX_blendRect(back.get(), 0, 0, 1, 1, 0xAB123456, 256);
    IMGFX_fillRect(back.get(), 1, 0, 1, 1, 0xAB123456);
    EXPECT_EQ(px(back, 0, 0), 0x123456u);
    EXPECT_EQ(px(back, 1, 0), 0xAB123456u);
    // Alphas outside 0..256 are held to the range, as RGB888_blend holds them.
    IMGFX_blendRect(back.get(), 0, 1, 1, 1, 0x804020, 9999);
    IMGFX_blendRect(back.get(), 1, 1, 1, 1, 0x804020, -7);
    EXPECT_EQ(px(back, 0, 1), 0x804020u);
    EXPECT_EQ(px(back, 1, 1), 0x3AA4ABu);
}

TEST(ImgfxCompositing, AverageAddAndKeyedCopy)
{
    Img dst = make(8, 8), src = make(4, 4, 0xFFFFFF);
    px(src, 3, 3) = 0;
    src->x = -2;
    src->y = -1;
    IMGFX_drawAverage(src.get(), dst.get());
    EXPECT_EQ(lit(dst), (Points{{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}}));
    EXPECT_EQ(px(dst, 1, 1), 0x7F7F7Fu);
    Img zero = make(8, 8), before = make(8, 8);
    IMGFX_drawAverage(zero.get(), before.get());
    EXPECT_TRUE(lit(before).empty());

    Img cols = make(16, 1);
    for (int x = 0; x < 16; ++x) px(cols, x, 0) = static_cast<std::uint32_t>(x + 1);
    Img sum = make(12, 1, 0x000010);
    IMGFX_addRect(cols.get(), sum.get(), -5, 0, 0, 0, 10, 1);
    EXPECT_EQ(row(sum, 0), (std::vector<std::uint32_t>{16, 16, 16, 16, 16, 17, 18, 19, 20, 21, 16, 16}));
    Img white = make(2, 1, 0xFFFFFF), any = make(2, 1, 0x123456);
    IMGFX_addRect(white.get(), any.get(), 0, 0, 0, 0, 2, 1);
    EXPECT_EQ(row(any, 0), (std::vector<std::uint32_t>{0xFFFFFF, 0xFFFFFF}));

    Img keyed = make(3, 1), ink = make(3, 1, 0x123456);
    px(keyed, 0, 0) = 0x7F7F7F;
    px(keyed, 1, 0) = 0x017F7F7F;
    px(keyed, 2, 0) = 0x7F7F7E;
    IMGFX_copyRectOnKey(ink.get(), keyed.get(), 0, 0, 0, 0, 3, 1, 0x7F7F7F);
    EXPECT_EQ(row(keyed, 0), (std::vector<std::uint32_t>{0x123456, 0x017F7F7F, 0x7F7F7E}));
}

TEST(ImgfxCollide, TouchingBoxesNeedSharedPixels)
{
    Img a = make(4, 4, 1), b = make(4, 4, 1);
    b->x = 4;
    EXPECT_TRUE(IMGFX_boxesOverlap(a.get(), b.get()));
    EXPECT_FALSE(IMGFX_collide(a.get(), b.get()));
    b->x = 5;
    EXPECT_FALSE(IMGFX_boxesOverlap(a.get(), b.get()));
    b->x = 2;
    b->y = 2;
    clear(a, 0);
    px(a, 0, 0) = 1;
    EXPECT_FALSE(IMGFX_collide(a.get(), b.get()));
    px(a, 3, 3) = 1;
    EXPECT_TRUE(IMGFX_collide(a.get(), b.get()));
    EXPECT_TRUE(IMGFX_collide(b.get(), a.get()));
}

TEST(ImgfxScatter, TwoDrawsPerPointAndEmptySources)
{
    Img dst = make(16, 16), src = make(4, 4, 0x00AA00);
    RANDOM_srand(12345);
    IMGFX_scatter(dst.get(), src.get(), 0);
    EXPECT_EQ(RANDOM_seed, 12345u);
    EXPECT_TRUE(lit(dst).empty());

    src->x = 10;
    src->y = 3;
    IMGFX_scatter(dst.get(), src.get(), 20);
    RANDOM_srand(12345);
    Points want;
    for (int i = 0; i < 20; ++i) {
        const int x = RANDOM_rand15() % 4;
        want.insert({10 + x, 3 + RANDOM_rand15() % 4});
    }
    EXPECT_EQ(lit(dst), want);
    EXPECT_EQ(px(dst, want.begin()->first, want.begin()->second), 0x00AA00u);

    Img black = make(4, 4), empty = make(0, 0), target = make(8, 8);
    IMGFX_scatter(target.get(), black.get(), 50);
    IMGFX_scatter(target.get(), empty.get(), 50);
    EXPECT_TRUE(lit(target).empty());
}

TEST(ImgfxWholeImage, ReplaceAndInvert)
{
    Img img = make(3, 1, 0x7F7F7F);
    px(img, 1, 0) = 0x017F7F7F;
    IMGFX_replaceColour(img.get(), 0x7F7F7F, 0xC0FFEE);
    EXPECT_EQ(row(img, 0), (std::vector<std::uint32_t>{0xC0FFEE, 0x017F7F7F, 0xC0FFEE}));
    px(img, 0, 0) = 0x123456;
    px(img, 2, 0) = 0xFF000000;
    IMGFX_invert(img.get());
    EXPECT_EQ(row(img, 0), (std::vector<std::uint32_t>{0xEDCBA9, 0x808080, 0xFFFFFF}));
}

TEST(ImgfxPostFilters, WhitePixelOnBlack)
{
    Img src = make(9, 2), dst = make(9, 2);
    px(src, 4, 1) = 0xFFFFFF;
    IMGFX_blurH5(src.get(), dst.get());
    const std::uint32_t q = 0x1F1F1F;
    EXPECT_EQ(row(dst, 1), (std::vector<std::uint32_t>{0, 0, q, q, 0x7F7F7F, q, q, 0, 0}));
    EXPECT_TRUE(lit(src) == (Points{{4, 1}}));
    IMGFX_glowH3(src.get(), dst.get(), 3);
    EXPECT_EQ(row(dst, 1), (std::vector<std::uint32_t>{0, 0, 0, q, 0xFFFFFF, q, 0, 0, 0}));
    EXPECT_TRUE(lit(dst) == (Points{{3, 1}, {4, 1}, {5, 1}}));
}

TEST(ImgfxPostFilters, EdgesDarkenAndGlowSaturates)
{
    Img src = make(6, 1, 0xFFFFFF), dst = make(6, 1);
    IMGFX_blurH5(src.get(), dst.get());
    EXPECT_EQ(row(dst, 0), (std::vector<std::uint32_t>{0xBFBFBF, 0xDFDFDF, 0xFFFFFF, 0xFFFFFF, 0xDFDFDF, 0xBFBFBF}));
    clear(src, 0x80F080);
    IMGFX_glowH3(src.get(), dst.get(), 3);
    EXPECT_EQ(row(dst, 0), (std::vector<std::uint32_t>{0x90FF90, 0xA0FFA0, 0xA0FFA0, 0xA0FFA0, 0xA0FFA0, 0x90FF90}));
    IMGFX_glowH3(src.get(), dst.get(), -4);   // counts as shift 0
    EXPECT_EQ(px(dst, 0, 0), 0xFFFFFFu);
    // Smaller destination: only the shared part is written.
    Img small = make(3, 1);
    IMGFX_blurH5(src.get(), small.get());
    EXPECT_EQ(px(small, 2, 0), 0x80F080u);
}

TEST(ImgfxPostFilters, InPlaceBlurSeesItsOwnResultsOnTheRight)
{
    Img img = make(9, 1);
    px(img, 4, 0) = 0xFF;
    IMGFX_blurH5(img.get(), img.get());
    EXPECT_EQ(row(img, 0), (std::vector<std::uint32_t>{3, 5, 0x13, 0x15, 0x87, 0x23, 0x1F, 0, 0}));
}

TEST(ImgfxFurtherShapes, XorInvertOutlineAndColourLines)
{
    Img img = make(8, 8, 0x123456);
    IMGFX_xorRect(img.get(), -2, -2, 20, 20, 0xFF00FF);
    EXPECT_EQ(px(img, 7, 7), 0xED34A9u);
    IMGFX_xorRect(img.get(), 0, 0, 8, 8, 0xFF00FF);
    IMGFX_invertRect(img.get(), 7, 7, 4, 4);
    EXPECT_EQ(px(img, 7, 7), 0xFFEDCBA9u);
    EXPECT_EQ(px(img, 6, 7), 0x123456u);

    Img box = make(8, 8);
    IMGFX_outlineRect(box.get(), -1, -1, 10, 10, 1);
    EXPECT_TRUE(lit(box).empty());
    IMGFX_outlineRect(box.get(), 4, 5, -4, -3, 1);
    EXPECT_EQ(lit(box).size(), 10u);
    EXPECT_TRUE(lit(box).count({0, 2}) && lit(box).count({3, 4}) && !lit(box).count({1, 3}));

    Img ramp = make(4, 3);
    IMGFX_colourLine(ramp.get(), 0, 0, 0x000000, 3, 0, 0xFF0000);
    EXPECT_EQ(row(ramp, 0), (std::vector<std::uint32_t>{0, 0x550000, 0xAA0000, 0xFF0000}));
    IMGFX_colourLine(ramp.get(), 0, 1, 0x0000FF, 2, 1, 0x000000);
    EXPECT_EQ(row(ramp, 1), (std::vector<std::uint32_t>{0xFF, 0x80, 0, 0}));
    px(ramp, 3, 2) = 0x010101;
    IMGFX_addColourLine(ramp.get(), 3, 2, 0x102030, 3, 2, 0x304050);
    EXPECT_EQ(px(ramp, 3, 2), 0x213141u);
}

TEST(ImgfxFurtherFilters, WhitePixelFigures)
{
    Img src = make(5, 5), dst = make(5, 5);
    px(src, 2, 2) = 0xFFFFFF;
    IMGFX_blurBox(src.get(), dst.get(), 1);
    EXPECT_EQ(px(dst, 1, 1), 0x1C1C1Cu);
    EXPECT_EQ(lit(dst).size(), 9u);
    IMGFX_blurRow(src.get(), dst.get(), 1);
    EXPECT_EQ(row(dst, 2), (std::vector<std::uint32_t>{0, 0x555555, 0x555555, 0x555555, 0}));
    EXPECT_EQ(lit(dst).size(), 3u);
    IMGFX_blur3x3(src.get(), dst.get());
    EXPECT_EQ(row(dst, 1), (std::vector<std::uint32_t>{0, 0x0F0F0F, 0x1F1F1F, 0x0F0F0F, 0}));
    EXPECT_EQ(px(dst, 2, 2), 0x3F3F3Fu);
    IMGFX_glow3x3(src.get(), dst.get(), 3);
    EXPECT_EQ(row(dst, 3), (std::vector<std::uint32_t>{0, 0x1F1F1F, 0x1F1F1F, 0x1F1F1F, 0}));
    EXPECT_EQ(px(dst, 2, 2), 0xFFFFFFu);
    IMGFX_glowRow(src.get(), dst.get(), 1, 1);
    EXPECT_EQ(row(dst, 2), (std::vector<std::uint32_t>{0, 0x7F7F7F, 0xFFFFFF, 0x7F7F7F, 0}));
    IMGFX_blurBox(src.get(), src.get(), 2);   // in place reads the picture as it was
    EXPECT_EQ(px(src, 0, 0), 0x0A0A0Au);
    EXPECT_EQ(px(src, 4, 4), 0x0A0A0Au);

    Img white = make(5, 5);
    px(white, 2, 2) = 0xFFFFFF;
    IMG* edges = IMGFX_edges(white.get());
    ASSERT_NE(edges, nullptr);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(edges->pixels[y * 5 + x], (x % 4 && y % 4) ? 0xFFFFFFu : 0u) << x << "," << y;
    IMG_free(&edges);
}

TEST(ImgfxFurtherFilters, MosaicMirrorAndScrolls)
{
    Img img = make(3, 3);
    for (int i = 0; i < 9; ++i) img->pixels[i] = static_cast<std::uint32_t>(i + 1);
    IMGFX_mosaic(img.get(), 2, 2);
    EXPECT_EQ(std::vector<std::uint32_t>(img->pixels, img->pixels + 9),
              (std::vector<std::uint32_t>{1, 1, 3, 1, 1, 3, 7, 7, 9}));
    Img mean = make(3, 1);
    px(mean, 0, 0) = 10;
    px(mean, 1, 0) = 0x10020014;
    px(mean, 2, 0) = 31;
    IMGFX_mosaicMean(mean.get(), 2, 5);
    EXPECT_EQ(row(mean, 0), (std::vector<std::uint32_t>{0x01000F, 0x01000F, 31}));

    Img quad = make(4, 4);
    px(quad, 1, 0) = 5;
    IMGFX_mirror4(quad.get());
    EXPECT_EQ(lit(quad), (Points{{1, 0}, {2, 0}, {1, 3}, {2, 3}}));

    auto scrolled = [](void (*op)(IMG*, std::int32_t, std::int32_t), int dx, int dy) {
        Img line = make(4, 2);
        for (int i = 0; i < 8; ++i) line->pixels[i] = static_cast<std::uint32_t>(i + 1);
        op(line.get(), dx, dy);
        return std::vector<std::uint32_t>(line->pixels, line->pixels + 8);
    };
    using V = std::vector<std::uint32_t>;
    EXPECT_EQ(scrolled(IMGFX_scroll, 1, 0), (V{2, 3, 4, 0, 6, 7, 8, 0}));
    EXPECT_EQ(scrolled(IMGFX_scroll, -1, 1), (V{0, 5, 6, 7, 0, 0, 0, 0}));
    EXPECT_EQ(scrolled(IMGFX_scrollSmear, 1, -1), (V{2, 3, 4, 4, 2, 3, 4, 4}));
    EXPECT_EQ(scrolled(IMGFX_scrollSmear, -9, 0), (V{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(scrolled(IMGFX_scroll, -9, 0), V(8, 0));

    Img wrap = make(4, 2), scratch = make(4, 2), wrong = make(3, 2);
    for (int i = 0; i < 8; ++i) wrap->pixels[i] = static_cast<std::uint32_t>(i + 1);
    IMGFX_scrollWrap(wrap.get(), wrong.get(), 1, 0);
    IMGFX_scrollWrap(wrap.get(), scratch.get(), -5, 3);
    EXPECT_EQ(std::vector<std::uint32_t>(wrap->pixels, wrap->pixels + 8), (V{8, 5, 6, 7, 4, 1, 2, 3}));
}

TEST(ImgfxErrors, NullArgumentsReportOnceAndDrawNothing)
{
    Img img = make(2, 2);
    EXPECT_EQ(support::printed(IMGFX_debug, [&] {
                  IMGFX_fillRect(nullptr, 0, 0, 1, 1, 1);
                  IMGFX_thickLine(nullptr, 0, 0, 1, 1, 1, 3);
                  IMGFX_thickLine(img.get(), 0, 0, 1, 1, 1, -1);
                  EXPECT_FALSE(IMGFX_collide(img.get(), nullptr));
                  IMGFX_glowH3(img.get(), nullptr, 3);
              }),
              "IMGFX error\nIMGFX error\nIMGFX error\n");
    EXPECT_TRUE(lit(img).empty());
}
