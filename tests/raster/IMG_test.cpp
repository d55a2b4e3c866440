#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "raster/IMG.h"
#include "support/support.h"

namespace {

using support::num;
using support::Numbered;
using support::Picture;
using Points = std::vector<std::pair<int, int>>;
using Words = std::vector<std::uint32_t>;

Points pixelsOf(const IMG* image, std::uint32_t colour)
{
    Points out;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
            if (image->pixels[y * image->width + x] == colour) out.emplace_back(x, y);
    return out;
}

// Every pixel of image against want(x, y).
void expectEvery(const IMG* image, const std::function<std::uint32_t(int, int)>& want)
{
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) EXPECT_EQ(IMG_getPixel(image, x, y), want(x, y)) << x << "," << y;
}

std::string printed(const std::function<void()>& f) { return support::printed(IMG_debug, f); }

}  // namespace

TEST(ImgLifecycle, NewSetSizeCloneCopyFree)
{
    IMG* image = IMG_new();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixelsOf(image, 0).size(), 256u);   // 16 x 16 black
    image->x = 5;
    IMG_clear(image, 0x123456);
    IMG_setSize(image, 3, 2);   // black again, the position kept
    EXPECT_EQ(image->width * 100 + image->height + image->x * 10000, 50302);
    EXPECT_EQ(pixelsOf(image, 0).size(), 6u);
    EXPECT_EQ(printed([&] { IMG_setSize(image, -1, 5); }), "IMG error\n");
    EXPECT_EQ(image->width, 3);

    IMG_putPixel(image, 2, 1, 0xABCDEF);
    IMG* clone = IMG_clone(image);
    ASSERT_NE(clone, nullptr);
    EXPECT_TRUE(IMG_equal(image, clone));
    IMG_putPixel(clone, 0, 0, 1);
    EXPECT_FALSE(IMG_equal(image, clone));
    IMG_copy(image, clone);
    EXPECT_TRUE(IMG_equal(image, clone));
    Picture other(3, 3, 0x222222);
    EXPECT_EQ(printed([&] { IMG_copy(image, other.img); }), "IMG error\n");
    EXPECT_EQ(other.count(0x222222), 9);
    EXPECT_FALSE(IMG_equal(image, other.img));

    IMG_free(&clone);
    IMG_free(&image);
    EXPECT_EQ(image, nullptr);
}

TEST(ImgLifecycle, NullArgumentsReportAndEmptyImagesDoNothing)
{
    Picture image(4, 4, 0x111111);
    IMG* none = nullptr;
    const std::function<void()> calls[] = {
        [&] { IMG_free(&none); }, [] { IMG_free(nullptr); }, [] { EXPECT_EQ(IMG_clone(nullptr), nullptr); },
        [] { EXPECT_EQ(IMG_getPixel(nullptr, 0, 0), 0u); }, [&] { EXPECT_FALSE(IMG_equal(image.img, nullptr)); },
        [&] { IMG_blit(nullptr, image.img, 0, 0, 0, 0, 1, 1); }, [&] { IMG_scale(image.img, nullptr); },
        [] { EXPECT_EQ(RGB888_toBytes(0, nullptr), nullptr); }, [] { IMG_drawRect(nullptr, 0, 0, 1, 1, 1); },
        [] { IMG_fillEllipse(nullptr, 0, 0, 1, 1, 1); }};   // the rectangle and the centred shapes
    for (const auto& call : calls) EXPECT_EQ(printed(call), "IMG error\n") << &call - calls;
    // Without the debug flag the error is silent.
    testing::internal::CaptureStdout();
    IMG_clear(nullptr, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    Picture empty(0, 5);
    EXPECT_EQ(printed([&] {
                  IMG_clear(empty.img, 1);
                  IMG_putPixel(empty.img, 0, 0, 1);
                  EXPECT_EQ(IMG_getPixel(empty.img, 0, 0), 0u);
                  IMG_addColour(empty.img, 0x010101);
                  IMG_blit(image.img, empty.img, 0, 0, 0, 0, 4, 4);
              }),
              "");
}

TEST(ImgPixels, InsideOnlyNoWrapAround)
{
    Picture image(16, 16);
    IMG_putPixel(image.img, 0, 0, 1);
    IMG_putPixel(image.img, 15, 15, 2);
    IMG_putPixel(image.img, 16, 0, 3);    // would be (0, 1) if rows wrapped
    IMG_putPixel(image.img, -1, 1, 4);    // would be (15, 0)
    IMG_putPixel(image.img, 0, 16, 5);
    EXPECT_EQ(image.img->pixels[0], 1u);
    EXPECT_EQ(image.img->pixels[255], 2u);
    EXPECT_EQ(image.count(0), 254);
    EXPECT_EQ(IMG_getPixel(image.img, 16, 15), 0u);
    EXPECT_EQ(IMG_getPixel(image.img, 15, -1), 0u);
}

TEST(ImgColourOps, ChannelRules)
{
    struct Case {
        const char* name;
        std::uint32_t before[2];
        std::function<void(IMG*)> op;
        std::uint32_t after[2];
    };
    const Case cases[] = {
        {"add saturates", {0x90FF10, 0}, [](IMG* i) { IMG_addColour(i, 0x808080); }, {0xFFFF90, 0x808080}},
        {"sub floors", {0x0A4020, 0x102030}, [](IMG* i) { IMG_subColour(i, 0x102030); }, {0x002000, 0}},
        {"scale up", {0x102090, 0x00C0FF}, [](IMG* i) { IMG_scaleColour(i, 3, 2); }, {0x1830D8, 0x00FFFF}},
        {"scale truncates", {0x1830D8, 2}, [](IMG* i) { IMG_scaleColour(i, 1, 3); }, {0x081048, 0}},
        {"scale below 0", {0x081048, 0x808080}, [](IMG* i) { IMG_scaleColour(i, -2, 1); }, {0, 0}},
        {"invert drops the top byte", {0xFF123456, 0}, [](IMG* i) { IMG_invert(i); }, {0xEDCBA9, 0xFFFFFF}},
        {"replace whole words", {5, 0x01000005}, [](IMG* i) { IMG_replaceColour(i, 5, 7); }, {7, 0x01000005}},
    };
    Picture image(2, 1);
    for (const Case& c : cases) {
        std::copy(c.before, c.before + 2, image.img->pixels);
        c.op(image.img);
        EXPECT_EQ(Words(image.img->pixels, image.img->pixels + 2), Words(c.after, c.after + 2)) << c.name;
    }
    image.img->pixels[0] = 0x808080;
    EXPECT_EQ(printed([&] { IMG_scaleColour(image.img, 1, 0); }), "IMG error\n");
    EXPECT_EQ(image.img->pixels[0], 0x808080u);

    image.img->pixels[0] = 0;
    image.img->pixels[1] = 1;   // the smallest word that is not black
    IMG* mask = IMG_mask(image.img);   // 0 stays 0, the rest becomes 0xFFFFFF
    ASSERT_NE(mask, nullptr);
    Picture target(2, 1, 0xF0F0F0);
    IMG_and(mask, target.img);
    EXPECT_EQ(Words(target.img->pixels, target.img->pixels + 2), (Words{0, 0xF0F0F0}));
    Picture big(3, 3, 0x0F0F0F);   // a larger source only reaches the words the target has
    IMG_and(big.img, target.img);
    EXPECT_EQ(target.img->pixels[1], 0u);
    IMG_free(&mask);
}

TEST(ImgBlit, ClipsOnEverySide)
{
    Numbered src(4, 4);
    Picture dst(8, 8, 0xEEEEEE);
    IMG_blit(src.img, dst.img, 0, 0, -2, -2, 4, 4);   // top-left overlap: src (2..3, 2..3)
    IMG_blit(src.img, dst.img, 0, 0, 6, 6, 4, 4);     // bottom-right overlap: src (0..1, 0..1)
    IMG_blit(src.img, dst.img, 0, 0, -2, 6, 4, 4);    // bottom-left: src (2..3, 0..1)
    IMG_blit(src.img, dst.img, 0, 0, 6, -2, 4, 4);    // top-right: src (0..1, 2..3)
    const std::uint32_t E = 0xEEEEEE;
    EXPECT_EQ(std::vector({dst.at(0, 0), dst.at(7, 7), dst.at(0, 6), dst.at(7, 0)}),
              std::vector({num(2, 2), num(1, 1), num(2, 0), num(1, 2)}));
    EXPECT_EQ(dst.count(E), 64 - 16);

    // Source-side clipping: a negative source corner moves the block right.
    IMG_clear(dst.img, E);
    IMG_copyBlit(src.img, dst.img, -1, 0, 0, 0, 4, 1);
    IMG_copyBlit(src.img, dst.img, 2, 3, 0, 5, 4, 4);   // cut by the source's far edges
    EXPECT_EQ(std::vector({dst.at(1, 0), dst.at(3, 0), dst.at(0, 5), dst.at(1, 5)}),
              std::vector({num(0, 0), num(2, 0), num(2, 3), num(3, 3)}));
    EXPECT_EQ(dst.count(E), 64 - 5);

    // dx + w = 0 and far-out or huge arguments write nothing.
    IMG_clear(dst.img, E);
    IMG_blit(src.img, dst.img, 0, 0, -4, 0, 4, 4);
    IMG_blit(src.img, dst.img, 0, 0, 0, -4, 4, 4);
    IMG_blit(src.img, dst.img, 0, 0, 8, 0, 4, 4);
    IMG_blit(src.img, dst.img, 4, 0, 0, 0, 4, 4);
    IMG_blit(src.img, dst.img, 0, 0, 0, 0, -3, 4);
    IMG_blit(src.img, dst.img, INT32_MIN, INT32_MIN, INT32_MAX, 0, INT32_MAX, INT32_MAX);
    EXPECT_EQ(dst.count(E), 64);
}

TEST(ImgBlit, WriteRules)
{
    Picture black(2, 2, 0);
    Picture dst(4, 4, 0x000001);
    IMG_blit(black.img, dst.img, 0, 0, 0, 0, 2, 2);   // 0 is transparent
    EXPECT_EQ(dst.count(0x000001), 16);
    IMG_copyBlit(black.img, dst.img, 0, 0, 1, 1, 2, 2);
    EXPECT_EQ(dst.count(0), 4);

    Picture blue(1, 1, 0x0000FF);
    IMG_clear(dst.img, 0x000001);
    IMG_addBlit(blue.img, dst.img, 0, 0, 0, 0, 1, 1);   // the carry spills into green
    EXPECT_EQ(dst.at(0, 0), 0x000100u);
    IMG_addBlitSat(blue.img, dst.img, 0, 0, 1, 0, 1, 1);
    EXPECT_EQ(dst.at(1, 0), 0x0000FFu);
    blue.img->x = 3;
    blue.img->y = 2;
    IMG_draw(blue.img, dst.img);
    EXPECT_EQ(pixelsOf(dst.img, 0x0000FF), (Points{{1, 0}, {3, 2}}));
}

TEST(ImgWrapBlits, RowsAndColumnsWrapAtTheEdge)
{
    Picture src(4, 1);
    std::copy_n(std::data({1u, 2u, 0u, 4u}), 4, src.img->pixels);
    Picture dst(256, 1, 9);
    IMG_blitRowWrap(src.img, dst.img, 0, 0, -1);   // a zero source word is skipped
    IMG_orRowWrap(src.img, dst.img, 0, 0, 256 * 3 + 1);
    EXPECT_EQ(Words(dst.img->pixels, dst.img->pixels + 6), (Words{2, 9 | 1, 4 | 2, 9, 9 | 4, 9}));
    EXPECT_EQ(dst.img->pixels[255], 1u);

    // A wider source is cut to the destination's width.
    Numbered wide(6, 1);
    Picture narrow(4, 2, 0);
    IMG_blitRowWrap(wide.img, narrow.img, 0, 1, 6);
    EXPECT_EQ(Words(narrow.img->pixels + 4, narrow.img->pixels + 8), (Words{num(2, 0), num(3, 0), num(0, 0), num(1, 0)}));
    EXPECT_EQ(narrow.count(0), 4);

    IMG_copyRow(wide.img, narrow.img, 0, 0);
    EXPECT_EQ(narrow.at(3, 0), num(3, 0));

    EXPECT_EQ(printed([&] { IMG_blitRowWrap(src.img, dst.img, 1, 0, 0); }), "IMG error\n");
    EXPECT_EQ(printed([&] { IMG_blitColumnWrap(wide.img, narrow.img, 0, 4, 0); }), "IMG error\n");
    EXPECT_EQ(printed([&] { IMG_copyRow(wide.img, narrow.img, 0, -1); }), "IMG error\n");
}

TEST(ImgLines, PixelSetsFollowTheTieBreak)
{
    struct Case {
        std::int32_t x0, y0, x1, y1;
        Points pixels;
    };
    const Case cases[] = {
        {0, 0, 3, 1, {{0, 0}, {1, 1}, {2, 1}, {3, 1}}},
        {3, 1, 0, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 1}}},   // drawn backwards it is another line
        {0, 0, 1, 3, {{0, 0}, {1, 1}, {1, 2}, {1, 3}}},
        {2, 2, 2, 2, {{2, 2}}},
        {-3, 5, 2, 5, {{0, 5}, {1, 5}, {2, 5}}},          // points outside are dropped one by one
    };
    Picture image(6, 6);
    for (const Case& c : cases) {
        IMG_clear(image.img, 0);
        IMG_drawLine(image.img, c.x0, c.y0, c.x1, c.y1, 7);
        EXPECT_EQ(pixelsOf(image.img, 7), c.pixels) << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1;
    }
    IMG_clear(image.img, 0);
    IMG_drawHLine(image.img, 1, 9, -4, 7);
    IMG_drawHLine(image.img, 6, 0, 5, 8);
    EXPECT_EQ(image.count(7), 6);
    EXPECT_EQ(image.count(8), 0);
    IMG_drawVLine(image.img, 4, 3, 2, 8);
    EXPECT_EQ(pixelsOf(image.img, 8), (Points{{4, 2}, {4, 3}}));
}

TEST(ImgRotate, QuarterAndHalfTurns)
{
    // Angle 0: s = 0, c = -32766, so u = -2..1 maps to source columns 3, 2, 2, 1.
    const int flip[4] = {3, 2, 2, 1};
    const int fwd[4] = {1, 2, 2, 3};
    Numbered src(4, 4);
    Picture dst(4, 4, 0xEEEEEE);
    IMG_rotate(src.img, dst.img, 0);
    expectEvery(dst.img, [&](int x, int y) { return num(flip[x], flip[y]); });
    IMG_rotate(src.img, dst.img, 256);   // s = -32766, c = 0
    expectEvery(dst.img, [&](int x, int y) { return num(fwd[y], flip[x]); });
    IMG_rotate(src.img, dst.img, 256 + 1024 * 5);
    EXPECT_EQ(dst.at(0, 0), num(1, 3));
}

TEST(ImgScale, StepRunsAndTheFourCases)
{
    for (const auto& [a, b, want] : {std::tuple{4, 2, std::vector{2, 2, 1}}, std::tuple{-3, 5, std::vector{2, 2, 1, 1}},
                                     std::tuple{0, 0, std::vector{1}}}) {
        std::int32_t* got = IMG_stepRuns(a, b);
        EXPECT_EQ(std::vector<std::int32_t>(got, got + want.size()), want) << a << " " << b;
        delete[] got;
    }

    struct Case {
        const char* name;
        std::int32_t srcW, srcH, dstW, dstH;
        std::function<std::uint32_t(int, int)> want;
    };
    const Case cases[] = {
        {"enlarge: 2 x 2 blocks", 2, 2, 4, 4, [](int x, int y) { return num(x / 2, y / 2); }},
        // Shrinking walks back from the last pixel.
        {"shrink: odd rows and columns", 4, 4, 2, 2, [](int x, int y) { return num(2 * x + 1, 2 * y + 1); }},
        {"wider, lower: even rows", 2, 4, 4, 2, [](int x, int y) { return num(x / 2, 2 * y); }},
        {"narrower, taller: odd columns", 4, 2, 2, 4, [](int x, int y) { return num(2 * x + 1, y / 2); }},
        {"nothing to replicate: black", 0, 3, 2, 4, [](int, int) { return 0u; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Numbered src(c.srcW, c.srcH);
        Picture dst(c.dstW, c.dstH, 0xEEEEEE);
        IMG_scale(src.img, dst.img);
        expectEvery(dst.img, c.want);
    }
}

TEST(Rgb888, ChannelHelpersExactFigures)
{
    std::uint8_t bytes[3] = {};
    EXPECT_EQ(RGB888_toBytes(0xFF123456, bytes), bytes);
    EXPECT_EQ(bytes[0] << 16 | bytes[1] << 8 | bytes[2], 0x123456);
    struct Case {
        const char* name;
        std::uint32_t got, want;
    };
    const Case cases[] = {
        {"make", RGB888_make(0x12, 0x34, 0x56), 0x123456},
        {"make masks each channel", RGB888_make(0x112, 0, 0), 0x120000},
        {"add: no carry, no top byte", RGB888_add(0xFF00FF01, 0x0001FF), 0x00FFFF},
        {"sub: no borrow, no top byte", RGB888_sub(0x010000, 0x5A000001), 0x010000},
        {"average", RGB888_average(0xFF0001, 0xFF0102), 0xFF0001},
        {"swapRB", RGB888_swapRB(0xAB123456), 0x563412},
        {"brighten", RGB888_brighten(0x10F020, 0x20), 0x30FF40},
        {"darken", RGB888_darken(0x10F020, 0x20), 0x00D000},
        {"adjust -300: low byte 44", RGB888_adjust(0x808080, -300), 0x545454},
        {"adjust 0x123", RGB888_adjust(0x808080, 0x123), 0xA3A3A3},
        {"adjust INT32_MIN", RGB888_adjust(0x808080, INT32_MIN), 0x808080},
        // Blends truncate once per channel; alpha is held to 0..256.
        {"blend quarter: 0x4800", RGB888_blend(0x101010, 0xF0F0F0, 64), 0x484848},
        {"blend 300", RGB888_blend(0x123456, 0xABCDEF, 300), 0xABCDEF},
        {"blend -5", RGB888_blend(0x123456, 0xABCDEF, -5), 0x123456},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.name;
}
