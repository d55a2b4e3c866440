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
    Img(int w, int h, std::uint32_t colour = 0) : data(static_cast<std::size_t>(std::max(1, w * h)), colour)
    {
        img.width = w;
        img.height = h;
        img.pixels = data.data();
    }
    Img(int w, int h, const std::vector<std::uint32_t>& px) : Img(w, h) { std::copy(px.begin(), px.end(), data.begin()); }
    Img(const Img&) = delete;
    Img& operator=(const Img&) = delete;
    IMG* get() { return &img; }
    IMG* operator->() { return &img; }
    const IMG* operator->() const { return &img; }
    std::uint32_t& at(int x, int y) { return data[static_cast<std::size_t>(y * img.width + x)]; }
};

using Points = std::set<std::pair<int, int>>;
using Row = std::vector<std::uint32_t>;

Points lit(const Img& img)
{
    Points p;
    for (int i = 0; i < img->width * img->height; ++i)
        if (img.data[static_cast<std::size_t>(i)] != 0) p.insert({i % img->width, i / img->width});
    return p;
}

Row row(const Img& img, int y)
{
    return {img->pixels + y * img->width, img->pixels + (y + 1) * img->width};
}

Row upTo(std::uint32_t n)   // 1, 2 .. n
{
    Row r(n);
    for (std::uint32_t i = 0; i < n; ++i) r[i] = i + 1;
    return r;
}

}  // namespace

TEST(ImgfxLine, TieBreakWidthsAndEnds)
{
    // Width -1 here is the one-pixel IMGFX_line. The minor step is taken at
    // zero; a zero-length thick line counts as steep and spreads sideways; a
    // diagonal of width 1 is the one-pixel line.
    struct Case { int x1, y1, x2, y2, width; Points want; };
    const Case cases[] = {
        {0, 0, 2, 1, -1, {{0, 0}, {1, 1}, {2, 1}}},
        {0, 0, 1, 2, -1, {{0, 0}, {1, 1}, {1, 2}}},
        {3, 4, 3, 4, -1, {{3, 4}}},
        {1, 1, 9, 5, 0, {}},
        {4, 4, 4, 4, 3, {{3, 4}, {4, 4}, {5, 4}}},
        {1, 1, 4, 4, 1, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}},
    };
    for (const Case& c : cases) {
        Img img(12, 12);
        if (c.width < 0) IMGFX_line(img.get(), c.x1, c.y1, c.x2, c.y2, 1);
        else IMGFX_thickLine(img.get(), c.x1, c.y1, c.x2, c.y2, 1, c.width);
        EXPECT_EQ(lit(img), c.want) << c.x1 << "," << c.y1 << " - " << c.x2 << "," << c.y2 << " width " << c.width;
    }
    // Shallow width 3 covers rows y - 1 .. y + 1, whichever end comes first.
    Img flat(12, 12), back(12, 12);
    IMGFX_thickLine(flat.get(), 1, 5, 6, 5, 7, 3);
    IMGFX_thickLine(back.get(), 6, 5, 1, 5, 7, 3);
    EXPECT_EQ(lit(flat).size(), 18u);
    EXPECT_TRUE(lit(flat).count({1, 4}) && lit(flat).count({6, 6}));
    EXPECT_EQ(lit(flat), lit(back));
}

TEST(ImgfxLine, GradientsTwoEndedMixesAndPixelWrites)
{
    const std::uint32_t a = 0x0000AA, b = 0xBB0000, g = 0x101010;
    Img img(6, 4);
    IMGFX_gradientLine(img.get(), 0, 0, a, 4, 0, b);   // dithered, starting with the first colour
    IMGFX_thickGradientLine(img.get(), 4, 1, a, 0, 1, b, 1);   // ends ordered left to right
    IMGFX_addLine(img.get(), 0, 2, 3, 2, g);           // an odd length mixes each pixel once
    IMGFX_averageLine(img.get(), 4, 3, 0, 3, 0xFFFFFF);   // an even length mixes the middle twice
    EXPECT_EQ(row(img, 0), (Row{a, a, a, b, b, 0}));
    EXPECT_EQ(row(img, 1), (Row{b, b, b, a, a, 0}));
    EXPECT_EQ(row(img, 2), (Row{g, g, g, g, 0, 0}));
    EXPECT_EQ(row(img, 3), (Row{0x7F7F7F, 0x7F7F7F, 0xBFBFBF, 0x7F7F7F, 0x7F7F7F, 0}));
    // Single pixels: the average drops the top byte, the add saturates; outside is skipped.
    Img px(2, 1, Row{0xAAFF0301, 0x10F080});
    IMGFX_averagePixel(px.get(), 0, 0, 0x010101);
    IMGFX_addPixel(px.get(), 1, 0, 0x202090);
    IMGFX_addPixel(px.get(), 2, 0, 0x202090);
    IMGFX_averagePixel(px.get(), 0, -1, 0x202090);
    EXPECT_EQ(row(px, 0), (Row{0x800201u, 0x30FFFFu}));
}

TEST(ImgfxSpans, ClipSwapAndBlend)
{
    Img a(8, 3), b(8, 3);
    IMGFX_hLine(a.get(), 1, 6, 2, 5);
    IMGFX_hLine(b.get(), 1, 2, 6, 5);
    EXPECT_EQ(a.data, b.data);
    EXPECT_EQ(lit(a).size(), 5u);
    IMGFX_hLine(a.get(), -1, 0, 7, 5);
    IMGFX_hLine(a.get(), 3, 0, 7, 5);
    IMGFX_vLine(a.get(), 8, 0, 2, 5);
    EXPECT_EQ(lit(a).size(), 5u);
    IMGFX_vLine(a.get(), 0, 5, -9, 9);
    EXPECT_EQ(a.at(0, 0), 9u);
    EXPECT_EQ(a.at(0, 2), 9u);

    Img c(4, 4, 0x0000FF);
    IMGFX_blendHLine(c.get(), 0, -3, 100, 0xFF0000, 128);
    EXPECT_EQ(row(c, 0), Row(4, 0x7F007F));
    IMGFX_blendVLine(c.get(), 3, 1, 3, 0xFFFFFF, 16);
    EXPECT_EQ(row(c, 1), (Row{0xFF, 0xFF, 0xFF, 0x0F0FFF}));
    EXPECT_EQ(c.at(3, 3), 0x0F0FFFu);
}

TEST(ImgfxBlendCircle, PolesBlendOftenAndOffImageDrawsNothing)
{
    Img dot(3, 3);
    IMGFX_blendCircle(dot.get(), 1, 1, 0, 0xFFFFFF, 128);   // four blends: 7F, BF, DF, EF
    EXPECT_EQ(lit(dot), (Points{{1, 1}}));
    EXPECT_EQ(dot.at(1, 1), 0xEFEFEFu);
    // A negative radius draws as its size; rows overlap toward the poles.
    Img neg(7, 7);
    IMGFX_blendCircle(neg.get(), 3, 3, -2, 0xFFFFFF, 128);
    const std::uint32_t o = 0, l = 0x7F7F7F, d = 0xBFBFBF;
    EXPECT_EQ(row(neg, 1), (Row{o, o, l, d, l, o, o}));
    EXPECT_EQ(row(neg, 2), (Row{o, l, l, l, l, l, o}));
    EXPECT_EQ(row(neg, 3), (Row{o, d, d, d, d, d, o}));
    // Radius 128 and more goes past the table: the middle row spans 2r + 1.
    Img big(300, 1);
    IMGFX_blendCircle(big.get(), 150, 0, 130, 0xFFFFFF, 256);
    EXPECT_EQ(lit(big).size(), 261u);
    EXPECT_EQ(big.at(20, 0), 0xFFFFFFu);
    Img off(4, 4);
    IMGFX_blendCircle(off.get(), -3, 1, 2, 0xFFFFFF, 256);
    IMGFX_blendCircle(off.get(), 1, 6, 2, 0xFFFFFF, 256);
    EXPECT_TRUE(lit(off).empty());
}

TEST(ImgfxRects, ClippingAndMixing)
{
    Img img(32, 4);
    IMGFX_fillRect(img.get(), 20, 1, -10, 1, 3);
    for (int x = 0; x < 32; ++x) EXPECT_EQ(img.at(x, 1), (x >= 10 && x <= 19) ? 3u : 0u) << x;
    IMGFX_fillRect(img.get(), -5, 0, 5, 4, 3);
    IMGFX_fillRect(img.get(), 0, -2, 4, 2, 3);
    IMGFX_fillRect(img.get(), 0, 0, 0, 4, 3);
    EXPECT_EQ(lit(img).size(), 10u);

    Img back(3, 3, 0x10E0FF), twin(3, 3, 0x10E0FF);
    IMGFX_blendRect(back.get(), 1, 1, 5, 5, 0x804020, 96);
    IMGFX_shadeRect(twin.get(), 1, 1, 5, 5, 0x804020, 96);
    EXPECT_EQ(back.at(2, 2), 0x3AA4ABu);
    EXPECT_EQ(back.at(0, 2), 0x10E0FFu);
    EXPECT_EQ(back.data, twin.data);
    IMGFX_blendRect(back.get(), 0, 0, 1, 1, 0xAB123456, 256);
    IMGFX_fillRect(back.get(), 1, 0, 1, 1, 0xAB123456);
    EXPECT_EQ(back.at(0, 0), 0x123456u);
    EXPECT_EQ(back.at(1, 0), 0xAB123456u);
    // Alphas outside 0..256 are held to the range, as RGB888_blend holds them.
    IMGFX_blendRect(back.get(), 0, 1, 1, 1, 0x804020, 9999);
    IMGFX_blendRect(back.get(), 1, 1, 1, 1, 0x804020, -7);
    EXPECT_EQ(back.at(0, 1), 0x804020u);
    EXPECT_EQ(back.at(1, 1), 0x3AA4ABu);
}

TEST(ImgfxCompositing, AverageAddAndKeyedCopy)
{
    Img dst(8, 8), src(4, 4, 0xFFFFFF);
    src.at(3, 3) = 0;
    src->x = -2;
    src->y = -1;
    IMGFX_drawAverage(src.get(), dst.get());
    EXPECT_EQ(lit(dst), (Points{{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}}));
    EXPECT_EQ(dst.at(1, 1), 0x7F7F7Fu);

    Img cols(16, 1, upTo(16)), sum(12, 1, 0x000010);
    IMGFX_addRect(cols.get(), sum.get(), -5, 0, 0, 0, 10, 1);
    EXPECT_EQ(row(sum, 0), (Row{16, 16, 16, 16, 16, 17, 18, 19, 20, 21, 16, 16}));

    Img keyed(3, 1, Row{0x7F7F7F, 0x017F7F7F, 0x7F7F7E}), ink(3, 1, 0x123456);
    IMGFX_copyRectOnKey(ink.get(), keyed.get(), 0, 0, 0, 0, 3, 1, 0x7F7F7F);
    EXPECT_EQ(row(keyed, 0), (Row{0x123456, 0x017F7F7F, 0x7F7F7E}));
}

TEST(ImgfxPositioned, CollideNeedsSharedPixelsAndScatterStaysOnTheSprite)
{
    Img a(4, 4, 1), b(4, 4, 1);
    b->x = 4;
    EXPECT_TRUE(IMGFX_boxesOverlap(a.get(), b.get()));
    EXPECT_FALSE(IMGFX_collide(a.get(), b.get()));
    b->x = 5;
    EXPECT_FALSE(IMGFX_boxesOverlap(a.get(), b.get()));
    b->x = b->y = 2;
    std::fill(a.data.begin(), a.data.end(), 0);
    a.at(0, 0) = 1;
    EXPECT_FALSE(IMGFX_collide(a.get(), b.get()));
    a.at(3, 3) = 1;
    EXPECT_TRUE(IMGFX_collide(a.get(), b.get()));
    EXPECT_TRUE(IMGFX_collide(b.get(), a.get()));   // each sprite read at its own offset
    // Scatter: no points, a black or an empty source draw nothing.
    Img dst(16, 16), src(4, 4, 0x00AA00), black(4, 4), empty(0, 0);
    RANDOM_srand(12345);
    IMGFX_scatter(dst.get(), src.get(), 0);
    EXPECT_EQ(RANDOM_seed, 12345u);
    IMGFX_scatter(dst.get(), black.get(), 50);
    IMGFX_scatter(dst.get(), empty.get(), 50);
    EXPECT_TRUE(lit(dst).empty());
    src->x = 10;
    src->y = 3;
    IMGFX_scatter(dst.get(), src.get(), 20);
    for (auto [x, y] : lit(dst)) EXPECT_TRUE(x >= 10 && x < 14 && y >= 3 && y < 7 && dst.at(x, y) == 0x00AA00u);
}

TEST(ImgfxPostFilters, WhitePixelEdgesSaturationAndInPlace)
{
    Img src(9, 2), dst(9, 2);
    src.at(4, 1) = 0xFFFFFF;
    IMGFX_blurH5(src.get(), dst.get());
    const std::uint32_t q = 0x1F1F1F;
    EXPECT_EQ(row(dst, 1), (Row{0, 0, q, q, 0x7F7F7F, q, q, 0, 0}));
    IMGFX_glowH3(src.get(), dst.get(), 3);
    EXPECT_EQ(row(dst, 1), (Row{0, 0, 0, q, 0xFFFFFF, q, 0, 0, 0}));
    // At the edges the blur darkens, the glow saturates; shift -4 counts as 0.
    Img full(6, 1, 0xFFFFFF), out(6, 1), green(6, 1, 0x80F080);
    IMGFX_blurH5(full.get(), out.get());
    EXPECT_EQ(row(out, 0), (Row{0xBFBFBF, 0xDFDFDF, 0xFFFFFF, 0xFFFFFF, 0xDFDFDF, 0xBFBFBF}));
    IMGFX_glowH3(green.get(), out.get(), 3);
    EXPECT_EQ(row(out, 0), (Row{0x90FF90, 0xA0FFA0, 0xA0FFA0, 0xA0FFA0, 0xA0FFA0, 0x90FF90}));
    IMGFX_glowH3(green.get(), out.get(), -4);
    EXPECT_EQ(out.at(0, 0), 0xFFFFFFu);
    Img small(3, 1);   // a smaller destination: only the shared part is written
    IMGFX_blurH5(green.get(), small.get());
    EXPECT_EQ(small.at(2, 0), 0x80F080u);
    // In place, the blur sees its own results on the right.
    Img self(9, 1, Row{0, 0, 0, 0, 0xFF});
    IMGFX_blurH5(self.get(), self.get());
    EXPECT_EQ(row(self, 0), (Row{3, 5, 0x13, 0x15, 0x87, 0x23, 0x1F, 0, 0}));
}

TEST(ImgfxFurtherShapes, ReplaceInvertXorOutlineAndColourLines)
{
    Img whole(3, 1, Row{0x7F7F7F, 0x017F7F7F, 0x7F7F7F});
    IMGFX_replaceColour(whole.get(), 0x7F7F7F, 0xC0FFEE);
    EXPECT_EQ(row(whole, 0), (Row{0xC0FFEE, 0x017F7F7F, 0xC0FFEE}));
    whole.at(0, 0) = 0x123456;
    whole.at(2, 0) = 0xFF000000;
    IMGFX_invert(whole.get());
    EXPECT_EQ(row(whole, 0), (Row{0xEDCBA9, 0x808080, 0xFFFFFF}));
    Img img(8, 8, 0x123456);
    IMGFX_xorRect(img.get(), -2, -2, 20, 20, 0xFF00FF);
    EXPECT_EQ(img.at(7, 7), 0xED34A9u);
    IMGFX_xorRect(img.get(), 0, 0, 8, 8, 0xFF00FF);
    IMGFX_invertRect(img.get(), 7, 7, 4, 4);
    EXPECT_EQ(img.at(7, 7), 0xFFEDCBA9u);
    EXPECT_EQ(img.at(6, 7), 0x123456u);

    Img box(8, 8);
    IMGFX_outlineRect(box.get(), -1, -1, 10, 10, 1);
    EXPECT_TRUE(lit(box).empty());
    IMGFX_outlineRect(box.get(), 4, 5, -4, -3, 1);
    EXPECT_EQ(lit(box).size(), 10u);
    EXPECT_TRUE(lit(box).count({0, 2}) && lit(box).count({3, 4}) && !lit(box).count({1, 3}));

    Img ramp(4, 3);
    IMGFX_colourLine(ramp.get(), 0, 0, 0x000000, 3, 0, 0xFF0000);
    EXPECT_EQ(row(ramp, 0), (Row{0, 0x550000, 0xAA0000, 0xFF0000}));
    IMGFX_colourLine(ramp.get(), 0, 1, 0x0000FF, 2, 1, 0x000000);
    EXPECT_EQ(row(ramp, 1), (Row{0xFF, 0x80, 0, 0}));
    ramp.at(3, 2) = 0x010101;
    IMGFX_addColourLine(ramp.get(), 3, 2, 0x102030, 3, 2, 0x304050);
    EXPECT_EQ(ramp.at(3, 2), 0x213141u);
}

TEST(ImgfxFurtherFilters, WhitePixelFiguresMosaicMirrorAndScrolls)
{
    Img src(5, 5), dst(5, 5);
    src.at(2, 2) = 0xFFFFFF;
    IMGFX_blurBox(src.get(), dst.get(), 1);
    EXPECT_EQ(dst.at(1, 1), 0x1C1C1Cu);
    EXPECT_EQ(lit(dst).size(), 9u);
    IMGFX_blurRow(src.get(), dst.get(), 1);
    EXPECT_EQ(row(dst, 2), (Row{0, 0x555555, 0x555555, 0x555555, 0}));
    EXPECT_EQ(lit(dst).size(), 3u);
    IMGFX_blur3x3(src.get(), dst.get());
    EXPECT_EQ(row(dst, 1), (Row{0, 0x0F0F0F, 0x1F1F1F, 0x0F0F0F, 0}));
    EXPECT_EQ(dst.at(2, 2), 0x3F3F3Fu);
    IMGFX_glow3x3(src.get(), dst.get(), 3);
    EXPECT_EQ(row(dst, 3), (Row{0, 0x1F1F1F, 0x1F1F1F, 0x1F1F1F, 0}));
    EXPECT_EQ(dst.at(2, 2), 0xFFFFFFu);
    IMGFX_glowRow(src.get(), dst.get(), 1, 1);
    EXPECT_EQ(row(dst, 2), (Row{0, 0x7F7F7F, 0xFFFFFF, 0x7F7F7F, 0}));
    IMGFX_blurBox(src.get(), src.get(), 2);   // in place reads the picture as it was
    EXPECT_EQ(src.at(4, 4), 0x0A0A0Au);

    Img white(5, 5);
    white.at(2, 2) = 0xFFFFFF;
    IMG* edges = IMGFX_edges(white.get());
    ASSERT_NE(edges, nullptr);
    const std::uint32_t w = 0xFFFFFF;
    EXPECT_EQ(Row(edges->pixels, edges->pixels + 25), (Row{0, 0, 0, 0, 0, 0, w, w, w, 0, 0, w, w, w, 0, 0, w, w, w, 0, 0, 0, 0, 0, 0}));
    IMG_free(&edges);

    Img img(3, 3, upTo(9));
    IMGFX_mosaic(img.get(), 2, 2);
    EXPECT_EQ(img.data, (Row{1, 1, 3, 1, 1, 3, 7, 7, 9}));
    Img mean(3, 1, Row{10, 0x10020014, 31});
    IMGFX_mosaicMean(mean.get(), 2, 5);
    EXPECT_EQ(row(mean, 0), (Row{0x01000F, 0x01000F, 31}));

    Img quad(4, 4);
    quad.at(1, 0) = 5;
    IMGFX_mirror4(quad.get());
    EXPECT_EQ(lit(quad), (Points{{1, 0}, {2, 0}, {1, 3}, {2, 3}}));

    auto scrolled = [](void (*op)(IMG*, std::int32_t, std::int32_t), int dx, int dy) {
        Img line(4, 2, upTo(8));
        op(line.get(), dx, dy);
        return line.data;
    };
    EXPECT_EQ(scrolled(IMGFX_scroll, 1, 0), (Row{2, 3, 4, 0, 6, 7, 8, 0}));
    EXPECT_EQ(scrolled(IMGFX_scroll, -1, 1), (Row{0, 5, 6, 7, 0, 0, 0, 0}));
    EXPECT_EQ(scrolled(IMGFX_scrollSmear, 1, -1), (Row{2, 3, 4, 4, 2, 3, 4, 4}));
    EXPECT_EQ(scrolled(IMGFX_scroll, -9, 0), Row(8, 0));

    Img wrap(4, 2, upTo(8)), scratch(4, 2), wrong(3, 2);
    IMGFX_scrollWrap(wrap.get(), wrong.get(), 1, 0);
    IMGFX_scrollWrap(wrap.get(), scratch.get(), -5, 3);
    EXPECT_EQ(wrap.data, (Row{8, 5, 6, 7, 4, 1, 2, 3}));
}

TEST(ImgfxErrors, NullArgumentsReportOnceAndDrawNothing)
{
    Img img(2, 2);
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
