#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "raster/IMG.h"
#include "support/support.h"

namespace {

// A w x h image whose pixel (x, y) is 0x010000 * (y + 1) + (x + 1).
IMG* numbered(std::int32_t w, std::int32_t h)
{
    IMG* image = IMG_new();
    IMG_setSize(image, w, h);
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) image->pixels[y * w + x] = 0x010000u * (y + 1) + (x + 1);
    return image;
}

IMG* filled(std::int32_t w, std::int32_t h, std::uint32_t colour)
{
    IMG* image = IMG_new();
    IMG_setSize(image, w, h);
    IMG_clear(image, colour);
    return image;
}

std::uint32_t num(std::int32_t x, std::int32_t y) { return 0x010000u * (y + 1) + (x + 1); }

std::vector<std::pair<int, int>> pixelsOf(const IMG* image, std::uint32_t colour)
{
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
            if (image->pixels[y * image->width + x] == colour) out.emplace_back(x, y);
    return out;
}

using Points = std::vector<std::pair<int, int>>;

std::string printed(const std::function<void()>& f) { return support::printed(IMG_debug, f); }

}  // namespace

TEST(ImgLifecycle, NewSetSizeCloneFree)
{
    IMG* image = IMG_new();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 16);
    EXPECT_EQ(image->height, 16);
    EXPECT_EQ(image->x | image->y | image->z | image->depth, 0);
    EXPECT_EQ(pixelsOf(image, 0).size(), 256u);

    image->x = 5;
    image->y = 7;
    IMG_clear(image, 0x123456);
    IMG_setSize(image, 3, 2);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->x, 5);
    EXPECT_EQ(image->y, 7);
    EXPECT_EQ(pixelsOf(image, 0).size(), 6u);

    IMG_putPixel(image, 2, 1, 0xABCDEF);
    IMG* clone = IMG_clone(image);
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->x, 0);
    EXPECT_EQ(clone->y, 0);
    EXPECT_TRUE(IMG_equal(image, clone));
    IMG_putPixel(clone, 0, 0, 1);
    EXPECT_FALSE(IMG_equal(image, clone));
    IMG_copy(image, clone);
    EXPECT_TRUE(IMG_equal(image, clone));

    IMG_free(&image);
    IMG_free(&clone);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(clone, nullptr);
}

TEST(ImgLifecycle, BadSizesAndMismatchedCopyReportAndChangeNothing)
{
    IMG* image = filled(4, 4, 0x111111);
    EXPECT_EQ(printed([&] { IMG_setSize(image, -1, 5); }), "IMG error\n");
    EXPECT_EQ(printed([&] { IMG_setSize(image, 16385, 16384); }), "IMG error\n");
    EXPECT_EQ(image->width, 4);
    EXPECT_EQ(IMG_getPixel(image, 3, 3), 0x111111u);

    IMG* other = filled(4, 3, 0x222222);
    EXPECT_EQ(printed([&] { IMG_copy(image, other); }), "IMG error\n");
    EXPECT_EQ(IMG_getPixel(other, 0, 0), 0x222222u);
    EXPECT_FALSE(IMG_equal(image, other));

    // An empty image: every pixel operation does nothing and nothing is an error.
    IMG_setSize(other, 0, 5);
    EXPECT_EQ(printed([&] {
                  IMG_clear(other, 1);
                  IMG_putPixel(other, 0, 0, 1);
                  EXPECT_EQ(IMG_getPixel(other, 0, 0), 0u);
                  IMG_addColour(other, 0x010101);
                  IMG_blit(image, other, 0, 0, 0, 0, 4, 4);
              }),
              "");
    IMG_free(&image);
    IMG_free(&other);
}

TEST(ImgLifecycle, NullArgumentsReportOnceAndReturnNeutral)
{
    IMG* image = IMG_new();
    IMG* none = nullptr;
    EXPECT_EQ(printed([&] { IMG_free(&none); }), "IMG error\n");
    EXPECT_EQ(printed([&] { IMG_free(nullptr); }), "IMG error\n");
    EXPECT_EQ(printed([&] { EXPECT_EQ(IMG_clone(nullptr), nullptr); }), "IMG error\n");
    EXPECT_EQ(printed([&] { EXPECT_EQ(IMG_getPixel(nullptr, 0, 0), 0u); }), "IMG error\n");
    EXPECT_EQ(printed([&] { EXPECT_FALSE(IMG_equal(image, nullptr)); }), "IMG error\n");
    EXPECT_EQ(printed([&] { IMG_blit(nullptr, image, 0, 0, 0, 0, 1, 1); }), "IMG error\n");
    EXPECT_EQ(printed([&] { IMG_scale(image, nullptr); }), "IMG error\n");
    EXPECT_EQ(printed([&] { EXPECT_EQ(RGB888_toBytes(0, nullptr), nullptr); }), "IMG error\n");
    // Without the debug flag the error is silent.
    testing::internal::CaptureStdout();
    IMG_clear(nullptr, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    IMG_free(&image);
}

TEST(ImgPixels, InsideOnlyNoWrapAround)
{
    IMG* image = IMG_new();
    IMG_putPixel(image, 0, 0, 1);
    IMG_putPixel(image, 15, 15, 2);
    IMG_putPixel(image, 16, 0, 3);    // would be (0, 1) if rows wrapped
    IMG_putPixel(image, -1, 1, 4);    // would be (15, 0)
    IMG_putPixel(image, 0, 16, 5);
    EXPECT_EQ(image->pixels[0], 1u);
    EXPECT_EQ(image->pixels[255], 2u);
    EXPECT_EQ(IMG_getPixel(image, 0, 1), 0u);
    EXPECT_EQ(IMG_getPixel(image, 15, 0), 0u);
    EXPECT_EQ(pixelsOf(image, 0).size(), 254u);
    EXPECT_EQ(IMG_getPixel(image, 16, 15), 0u);
    EXPECT_EQ(IMG_getPixel(image, 15, -1), 0u);
    IMG_free(&image);
}

TEST(ImgColourOps, ChannelRules)
{
    IMG* image = filled(2, 1, 0x90FF10);
    IMG_addColour(image, 0x808080);
    EXPECT_EQ(image->pixels[0], 0xFFFF90u);

    IMG_clear(image, 0x0A4020);
    IMG_subColour(image, 0x102030);
    EXPECT_EQ(image->pixels[1], 0x002000u);

    image->pixels[0] = 0x102090;
    image->pixels[1] = 0x00C0FF;
    IMG_scaleColour(image, 3, 2);
    EXPECT_EQ(image->pixels[0], 0x1830D8u);
    EXPECT_EQ(image->pixels[1], 0x00FFFFu);
    IMG_scaleColour(image, 1, 3);   // truncating: 0x18 / 3 = 8, 0x30 / 3 = 16, 0xD8 / 3 = 72
    EXPECT_EQ(image->pixels[0], 0x081048u);
    IMG_scaleColour(image, -2, 1);  // negative results end at 0, not in another channel
    EXPECT_EQ(image->pixels[0], 0u);
    image->pixels[0] = 0x808080;
    EXPECT_EQ(printed([&] { IMG_scaleColour(image, 1, 0); }), "IMG error\n");
    EXPECT_EQ(image->pixels[0], 0x808080u);

    image->pixels[0] = 0xFF123456;
    IMG_invert(image);
    EXPECT_EQ(image->pixels[0], 0x00EDCBA9u);

    image->pixels[0] = 5;
    image->pixels[1] = 0x01000005;
    IMG_replaceColour(image, 5, 7);
    EXPECT_EQ(image->pixels[0], 7u);
    EXPECT_EQ(image->pixels[1], 0x01000005u);

    image->pixels[0] = 0;
    image->pixels[1] = 0x000100;
    IMG* mask = IMG_mask(image);
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->pixels[0], 0u);
    EXPECT_EQ(mask->pixels[1], 0xFFFFFFu);

    IMG* target = filled(2, 1, 0xF0F0F0);
    IMG_and(mask, target);
    EXPECT_EQ(target->pixels[0], 0u);
    EXPECT_EQ(target->pixels[1], 0xF0F0F0u);
    // A larger source only reaches the words the target has.
    IMG* big = filled(3, 3, 0x0F0F0F);
    IMG_and(big, target);
    EXPECT_EQ(target->pixels[1], 0x000000u);
    IMG_free(&image);
    IMG_free(&mask);
    IMG_free(&target);
    IMG_free(&big);
}

TEST(ImgBlit, ClipsOnEverySide)
{
    IMG* src = numbered(4, 4);
    IMG* dst = filled(8, 8, 0xEEEEEE);
    IMG_blit(src, dst, 0, 0, -2, -2, 4, 4);   // top-left overlap: src (2..3, 2..3)
    IMG_blit(src, dst, 0, 0, 6, 6, 4, 4);     // bottom-right overlap: src (0..1, 0..1)
    IMG_blit(src, dst, 0, 0, -2, 6, 4, 4);    // bottom-left: src (2..3, 0..1)
    IMG_blit(src, dst, 0, 0, 6, -2, 4, 4);    // top-right: src (0..1, 2..3)
    EXPECT_EQ(IMG_getPixel(dst, 0, 0), num(2, 2));
    EXPECT_EQ(IMG_getPixel(dst, 1, 1), num(3, 3));
    EXPECT_EQ(IMG_getPixel(dst, 6, 6), num(0, 0));
    EXPECT_EQ(IMG_getPixel(dst, 7, 7), num(1, 1));
    EXPECT_EQ(IMG_getPixel(dst, 0, 6), num(2, 0));
    EXPECT_EQ(IMG_getPixel(dst, 7, 0), num(1, 2));
    EXPECT_EQ(pixelsOf(dst, 0xEEEEEE).size(), 64u - 16u);

    // Source-side clipping: a negative source corner moves the block right.
    IMG_clear(dst, 0xEEEEEE);
    IMG_copyBlit(src, dst, -1, 0, 0, 0, 4, 1);
    EXPECT_EQ(IMG_getPixel(dst, 0, 0), 0xEEEEEEu);
    EXPECT_EQ(IMG_getPixel(dst, 1, 0), num(0, 0));
    EXPECT_EQ(IMG_getPixel(dst, 3, 0), num(2, 0));
    EXPECT_EQ(IMG_getPixel(dst, 4, 0), 0xEEEEEEu);
    IMG_copyBlit(src, dst, 2, 3, 0, 5, 4, 4);   // cut by the source's far edges
    EXPECT_EQ(IMG_getPixel(dst, 0, 5), num(2, 3));
    EXPECT_EQ(IMG_getPixel(dst, 1, 5), num(3, 3));
    EXPECT_EQ(IMG_getPixel(dst, 2, 5), 0xEEEEEEu);
    EXPECT_EQ(IMG_getPixel(dst, 0, 6), 0xEEEEEEu);

    // dx + w = 0 and far-out or huge arguments write nothing.
    IMG_clear(dst, 0xEEEEEE);
    IMG_blit(src, dst, 0, 0, -4, 0, 4, 4);
    IMG_blit(src, dst, 0, 0, 0, -4, 4, 4);
    IMG_blit(src, dst, 0, 0, 8, 0, 4, 4);
    IMG_blit(src, dst, 4, 0, 0, 0, 4, 4);
    IMG_blit(src, dst, 0, 0, 0, 0, -3, 4);
    IMG_blit(src, dst, INT32_MIN, INT32_MIN, INT32_MAX, 0, INT32_MAX, INT32_MAX);
    EXPECT_EQ(pixelsOf(dst, 0xEEEEEE).size(), 64u);
    IMG_free(&src);
    IMG_free(&dst);
}

TEST(ImgBlit, WriteRules)
{
    IMG* black = filled(2, 2, 0);
    IMG* dst = filled(4, 4, 0x000001);
    IMG_blit(black, dst, 0, 0, 0, 0, 2, 2);
    EXPECT_EQ(pixelsOf(dst, 0x000001).size(), 16u);
    IMG_copyBlit(black, dst, 0, 0, 1, 1, 2, 2);
    EXPECT_EQ(pixelsOf(dst, 0).size(), 4u);

    IMG* blue = filled(1, 1, 0x0000FF);
    IMG_clear(dst, 0x000001);
    IMG_addBlit(blue, dst, 0, 0, 0, 0, 1, 1);
    EXPECT_EQ(IMG_getPixel(dst, 0, 0), 0x000100u);
    IMG_addBlitSat(blue, dst, 0, 0, 1, 0, 1, 1);
    EXPECT_EQ(IMG_getPixel(dst, 1, 0), 0x0000FFu);

    blue->x = 3;
    blue->y = 2;
    IMG_draw(blue, dst);
    EXPECT_EQ(IMG_getPixel(dst, 3, 2), 0x0000FFu);
    EXPECT_EQ(pixelsOf(dst, 0x0000FF).size(), 2u);
    IMG_free(&black);
    IMG_free(&dst);
    IMG_free(&blue);
}

TEST(ImgWrapBlits, RowsAndColumnsWrapAtTheEdge)
{
    IMG* src = filled(4, 1, 0);
    src->pixels[0] = 1;
    src->pixels[1] = 2;
    src->pixels[3] = 4;
    IMG* dst = filled(256, 1, 9);
    IMG_blitRowWrap(src, dst, 0, 0, -1);
    EXPECT_EQ(dst->pixels[255], 1u);
    EXPECT_EQ(dst->pixels[0], 2u);
    EXPECT_EQ(dst->pixels[1], 9u);   // zero source word skipped
    EXPECT_EQ(dst->pixels[2], 4u);
    EXPECT_EQ(dst->pixels[3], 9u);
    IMG_orRowWrap(src, dst, 0, 0, 256 * 3 + 1);
    EXPECT_EQ(dst->pixels[1], 9u | 1u);
    EXPECT_EQ(dst->pixels[2], 4u | 2u);
    EXPECT_EQ(dst->pixels[3], 9u);
    EXPECT_EQ(dst->pixels[4], 9u | 4u);

    // A wider source is cut to the destination's width.
    IMG* wide = numbered(6, 1);
    IMG* narrow = filled(4, 2, 0);
    IMG_blitRowWrap(wide, narrow, 0, 1, 6);
    EXPECT_EQ(narrow->pixels[4 + 2], num(0, 0));
    EXPECT_EQ(narrow->pixels[4 + 3], num(1, 0));
    EXPECT_EQ(narrow->pixels[4 + 0], num(2, 0));
    EXPECT_EQ(narrow->pixels[4 + 1], num(3, 0));
    EXPECT_EQ(narrow->pixels[0], 0u);

    IMG* column = numbered(1, 3);
    IMG_blitColumnWrap(column, narrow, 0, 3, -1);
    EXPECT_EQ(IMG_getPixel(narrow, 3, 1), num(0, 0));
    EXPECT_EQ(IMG_getPixel(narrow, 3, 0), num(0, 1));
    EXPECT_EQ(IMG_getPixel(narrow, 2, 0), 0u);

    IMG_copyRow(wide, narrow, 0, 0);
    EXPECT_EQ(narrow->pixels[3], num(3, 0));

    EXPECT_EQ(printed([&] { IMG_blitRowWrap(src, dst, 1, 0, 0); }), "IMG error\n");
    EXPECT_EQ(printed([&] { IMG_blitColumnWrap(column, narrow, 0, 4, 0); }), "IMG error\n");
    EXPECT_EQ(printed([&] { IMG_copyRow(wide, narrow, 0, -1); }), "IMG error\n");
    IMG_free(&src);
    IMG_free(&dst);
    IMG_free(&wide);
    IMG_free(&narrow);
    IMG_free(&column);
}

TEST(ImgLines, PixelSetsFollowTheTieBreak)
{
    IMG* image = filled(6, 6, 0);
    IMG_drawLine(image, 0, 0, 3, 1, 7);
    EXPECT_EQ(pixelsOf(image, 7), (Points{{0, 0}, {1, 1}, {2, 1}, {3, 1}}));
    IMG_clear(image, 0);
    IMG_drawLine(image, 3, 1, 0, 0, 7);   // drawn backwards it is another line
    EXPECT_EQ(pixelsOf(image, 7), (Points{{0, 0}, {1, 0}, {2, 0}, {3, 1}}));
    IMG_clear(image, 0);
    IMG_drawLine(image, 0, 0, 1, 3, 7);
    EXPECT_EQ(pixelsOf(image, 7), (Points{{0, 0}, {1, 1}, {1, 2}, {1, 3}}));
    IMG_clear(image, 0);
    IMG_drawLine(image, 2, 2, 2, 2, 7);
    EXPECT_EQ(pixelsOf(image, 7), (Points{{2, 2}}));
    IMG_clear(image, 0);
    IMG_drawLine(image, -3, 5, 2, 5, 7);   // points outside are dropped one by one
    EXPECT_EQ(pixelsOf(image, 7).size(), 3u);

    IMG_clear(image, 0);
    IMG_drawHLine(image, 1, 9, -4, 7);
    IMG_drawHLine(image, 6, 0, 5, 8);
    EXPECT_EQ(pixelsOf(image, 7).size(), 6u);
    EXPECT_EQ(pixelsOf(image, 8).size(), 0u);
    IMG_drawVLine(image, 4, 3, 2, 8);
    EXPECT_EQ(pixelsOf(image, 8), (Points{{4, 2}, {4, 3}}));
    IMG_free(&image);
}

TEST(ImgRotate, QuarterAndHalfTurns)
{
    // Angle 0: s = 0, c = -32766, so x maps through (u * -32766) >> 15, which
    // for u = -2..1 gives source columns 3, 2, 2, 1.
    const int flip[4] = {3, 2, 2, 1};
    const int fwd[4] = {1, 2, 2, 3};
    IMG* src = numbered(4, 4);
    IMG* dst = filled(4, 4, 0xEEEEEE);
    IMG_rotate(src, dst, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(IMG_getPixel(dst, x, y), num(flip[x], flip[y])) << x << "," << y;
    // Angle 256: s = -32766, c = 0.
    IMG_rotate(src, dst, 256);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(IMG_getPixel(dst, x, y), num(fwd[y], flip[x])) << x << "," << y;
    IMG_rotate(src, dst, 256 + 1024 * 5);
    EXPECT_EQ(IMG_getPixel(dst, 0, 0), num(1, 3));
    // Pixels that map outside the source become 0.
    IMG* large = filled(10, 10, 0xEEEEEE);
    IMG_rotate(src, large, 0);
    EXPECT_EQ(IMG_getPixel(large, 0, 0), 0u);
    EXPECT_EQ(IMG_getPixel(large, 5, 5), num(2, 2));
    EXPECT_EQ(pixelsOf(large, 0xEEEEEE).size(), 0u);
    IMG_free(&src);
    IMG_free(&dst);
    IMG_free(&large);
}

TEST(ImgScale, StepRuns)
{
    std::int32_t* runs = IMG_stepRuns(4, 2);
    EXPECT_EQ(std::vector<std::int32_t>(runs, runs + 3), (std::vector<std::int32_t>{2, 2, 1}));
    delete[] runs;
    runs = IMG_stepRuns(-3, 5);
    EXPECT_EQ(std::vector<std::int32_t>(runs, runs + 4), (std::vector<std::int32_t>{2, 2, 1, 1}));
    delete[] runs;
    runs = IMG_stepRuns(0, 0);
    EXPECT_EQ(runs[0], 1);
    delete[] runs;
}

TEST(ImgScale, FourCases)
{
    IMG* src = numbered(2, 2);
    IMG* dst = filled(4, 4, 0xEEEEEE);
    IMG_scale(src, dst);   // enlarge: each pixel a 2 x 2 block
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(IMG_getPixel(dst, x, y), num(x / 2, y / 2));

    IMG* row = numbered(3, 1);
    IMG* row5 = filled(5, 2, 0);
    IMG_scale(row, row5);   // runs 2, 2, 1
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(IMG_getPixel(row5, 0, y), num(0, 0));
        EXPECT_EQ(IMG_getPixel(row5, 1, y), num(0, 0));
        EXPECT_EQ(IMG_getPixel(row5, 2, y), num(1, 0));
        EXPECT_EQ(IMG_getPixel(row5, 3, y), num(1, 0));
        EXPECT_EQ(IMG_getPixel(row5, 4, y), num(2, 0));
    }

    IMG* big = numbered(4, 4);
    IMG* half = filled(2, 2, 0xEEEEEE);
    IMG_scale(big, half);   // shrink walks back from the last pixel: odd rows and columns
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(IMG_getPixel(half, x, y), num(2 * x + 1, 2 * y + 1));

    IMG* tall = numbered(2, 4);
    IMG* flat = filled(4, 2, 0xEEEEEE);
    IMG_scale(tall, flat);   // wider, lower: rows taken from the top, even rows
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(IMG_getPixel(flat, x, y), num(x / 2, 2 * y));

    IMG* wide = numbered(4, 2);
    IMG* thin = filled(2, 4, 0xEEEEEE);
    IMG_scale(wide, thin);   // narrower, taller: from the bottom up, odd columns
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(IMG_getPixel(thin, x, y), num(2 * x + 1, y / 2));

    IMG* empty = filled(0, 3, 0);
    IMG_scale(empty, thin);   // nothing to replicate: black
    EXPECT_EQ(pixelsOf(thin, 0).size(), 8u);
    for (IMG* i : {src, dst, row, row5, big, half, tall, flat, wide, thin, empty}) IMG_free(&i);
}

TEST(Rgb888, ChannelHelpers)
{
    EXPECT_EQ(RGB888_make(0x12, 0x34, 0x56), 0x123456u);
    EXPECT_EQ(RGB888_make(0x112, 0, 0), 0x120000u);
    std::uint8_t bytes[3] = {};
    EXPECT_EQ(RGB888_toBytes(0xFF123456, bytes), bytes);
    EXPECT_EQ(bytes[0], 0x12);
    EXPECT_EQ(bytes[1], 0x34);
    EXPECT_EQ(bytes[2], 0x56);

    EXPECT_EQ(RGB888_add(0x90FF10, 0x808080), 0xFFFF90u);
    EXPECT_EQ(RGB888_sub(0x0A4020, 0x102030), 0x002000u);
    EXPECT_EQ(RGB888_average(0xFF0001, 0xFF0102), 0xFF0001u);
    EXPECT_EQ(RGB888_swapRB(0xAB123456), 0x563412u);
    EXPECT_EQ(RGB888_brighten(0x10F020, 0x20), 0x30FF40u);
    EXPECT_EQ(RGB888_darken(0x10F020, 0x20), 0x00D000u);
    EXPECT_EQ(RGB888_adjust(0x808080, -300), 0x545454u);   // low byte of 300 is 44
    EXPECT_EQ(RGB888_adjust(0x808080, 0x123), 0xA3A3A3u);
    EXPECT_EQ(RGB888_adjust(0x808080, INT32_MIN), 0x808080u);
}

TEST(Rgb888, SaturationStaysInEachChannel)
{
    for (std::uint32_t p = 0; p < 256; ++p) {
        for (std::uint32_t q = 0; q < 256; ++q) {
            const std::uint32_t sum = p + q > 255 ? 255 : p + q;
            const std::uint32_t diff = p > q ? p - q : 0;
            // The three channels hold p, q and p again against q, p and q.
            const std::uint32_t a = p << 16 | q << 8 | p;
            const std::uint32_t b = q << 16 | p << 8 | q;
            ASSERT_EQ(RGB888_add(a | 0xFF000000u, b), sum << 16 | sum << 8 | sum) << p << " " << q;
            const std::uint32_t back = q > p ? q - p : 0;
            ASSERT_EQ(RGB888_sub(a, b | 0x5A000000u), diff << 16 | back << 8 | diff) << p << " " << q;
        }
    }
}

TEST(Rgb888Blend, TruncatesOncePerChannel)
{
    EXPECT_EQ(RGB888_blend(0xFF0000, 0x0000FF, 128), 0x7F007Fu);
    EXPECT_EQ(RGB888_blend(0x010101, 0x000000, 128), 0x000000u);
    EXPECT_EQ(RGB888_blend(0x123456, 0xABCDEF, 0), 0x123456u);
    EXPECT_EQ(RGB888_blend(0x123456, 0xABCDEF, 256), 0xABCDEFu);
    // 0x10 * 192 + 0xF0 * 64 = 0x4800 -> 0x48 in every channel.
    EXPECT_EQ(RGB888_blend(0x101010, 0xF0F0F0, 64), 0x484848u);
    // Alpha is held to 0..256.
    EXPECT_EQ(RGB888_blend(0x123456, 0xABCDEF, 300), 0xABCDEFu);
    EXPECT_EQ(RGB888_blend(0x123456, 0xABCDEF, -5), 0x123456u);
}
