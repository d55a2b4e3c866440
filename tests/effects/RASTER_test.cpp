#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "effects/RASTER.h"
#include "foundation/RANDOM.h"
#include "raster/IMG.h"
#include "support/support.h"

namespace {

IMG* blackImage(std::int32_t w, std::int32_t h)
{
    IMG* image = IMG_new();
    IMG_setSize(image, w, h);
    return image;
}

RASTER* indexRaster(std::int32_t n)
{
    RASTER* raster = RASTER_new();
    RASTER_setSize(raster, n);
    for (std::int32_t i = 0; i < n; ++i) raster->colours[i] = static_cast<std::uint32_t>(i);
    return raster;
}

}  // namespace

TEST(RasterRecord, CreationDrawsTheSpeedFromTheGenerator)
{
    RANDOM_srand(1);   // first 15-bit draw: (214013 + 2531011) >> 16 = 41
    RASTER* raster = RASTER_new();
    ASSERT_NE(raster, nullptr);
    EXPECT_EQ(raster->count, 256);
    EXPECT_EQ(raster->scrollPos, 0);
    EXPECT_EQ(raster->speed, 0x10000 + 41);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(raster->colours[i], 0u);

    raster->colours[3] = 0x123456;
    RASTER* copy = RASTER_clone(raster);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(RASTER_equal(raster, copy));
    RASTER_setSize(copy, 5);
    EXPECT_EQ(copy->scrollPos, 0);
    EXPECT_EQ(copy->speed, 0x10000 + 41);
    EXPECT_EQ(support::printed(RASTER_debug, [&] {
                  RASTER_copy(raster, copy);   // counts differ
                  RASTER_smooth(copy, 0);
                  RASTER_draw(copy, nullptr);
              }),
              "RASTER error\nRASTER error\nRASTER error\n");
    EXPECT_EQ(copy->colours[3], 0u);
    RASTER_free(&copy);
    RASTER_free(&raster);
    EXPECT_EQ(raster, nullptr);
}

TEST(RasterScroll, PositiveSpeedShowsLaterColours)
{
    RASTER* raster = indexRaster(256);
    raster->speed = 0x10000;
    IMG* image = blackImage(3, 4);
    for (int n = 0; n < 300; ++n) RASTER_move(raster);
    RASTER_draw(raster, image);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(IMG_getPixel(image, x, y), static_cast<std::uint32_t>((300 + y) % 256));
    }
    RASTER_free(&raster);
    IMG_free(&image);
}

TEST(RasterScroll, NegativeSpeedWrapsIntoOneToLength)
{
    RASTER* raster = indexRaster(4);
    const std::int32_t length = 4 << 16;
    raster->speed = -0x20000;
    RASTER_move(raster);
    EXPECT_EQ(raster->scrollPos, 0x20000);   // -2 rows wrap to row 2
    RASTER_move(raster);
    EXPECT_EQ(raster->scrollPos, 0);
    raster->speed = -0x18000;
    for (int n = 0; n < 50; ++n) {
        RASTER_move(raster);
        ASSERT_GE(raster->scrollPos, 0);
        ASSERT_LE(raster->scrollPos, length);
    }
    // An exact negative multiple of the length lands on the length, which paints like 0.
    raster->scrollPos = 0;
    raster->speed = -length;
    RASTER_move(raster);
    EXPECT_EQ(raster->scrollPos, length);
    IMG* image = blackImage(1, 6);
    RASTER_draw(raster, image);
    for (int y = 0; y < 6; ++y) EXPECT_EQ(IMG_getPixel(image, 0, y), static_cast<std::uint32_t>(y % 4)) << y;
    RASTER_free(&raster);
    IMG_free(&image);
}

TEST(RasterDraw, RowsColumnsAndBlend)
{
    RASTER* raster = indexRaster(1536);
    raster->scrollPos = 1500 << 16;
    IMG* image = blackImage(2, 256);
    RASTER_draw(raster, image);
    for (int y = 0; y < 256; ++y) ASSERT_EQ(IMG_getPixel(image, 1, y), static_cast<std::uint32_t>((1500 + y) % 1536)) << y;

    RASTER_setSize(raster, 3);
    raster->colours[0] = 0xFF0000;
    raster->colours[1] = 0x00FF00;
    raster->colours[2] = 0x0000FF;
    IMG* wide = blackImage(5, 2);
    RASTER_drawColumns(raster, wide);
    EXPECT_EQ(IMG_getPixel(wide, 0, 1), 0xFF0000u);
    EXPECT_EQ(IMG_getPixel(wide, 2, 0), 0x0000FFu);
    EXPECT_EQ(IMG_getPixel(wide, 4, 1), 0x00FF00u);
    IMG_clear(wide, 0xFFFFFF);
    RASTER_drawBlend(raster, wide, 64);   // white: (255 * 192 + c * 64) >> 8
    EXPECT_EQ(IMG_getPixel(wide, 3, 0), 0xFFBFBFu);
    EXPECT_EQ(IMG_getPixel(wide, 3, 1), 0xBFFFBFu);
    RASTER_free(&raster);
    IMG_free(&wide);
    IMG_free(&image);
}

TEST(RasterSmooth, WrapsAboveTheEndAndReflectsBelowTheStart)
{
    RASTER* raster = indexRaster(4);
    const std::uint32_t blue[4] = {0, 4, 8, 12};
    for (int i = 0; i < 4; ++i) raster->colours[i] = blue[i] | 0x640000u;
    RASTER_smooth(raster, 1);
    // i = 0: 2*0 + c1 + c1 = 8; i = 3: 2*12 + c0 + c2 = 32; each / 4.
    const std::uint32_t expected[4] = {2, 4, 8, 8};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(raster->colours[i], expected[i] | 0x640000u) << i;
    RASTER_free(&raster);
}

TEST(RasterFiles, LoadGivesAnEmptyRasterAndSaveTouchesNothing)
{
    EXPECT_EQ(RASTER_load("/nonexistent/raster"), nullptr);
    const std::string path = testing::TempDir() + "raster_save_test.txt";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("keep", f);
    std::fclose(f);
    RASTER* raster = RASTER_load(path.c_str());
    ASSERT_NE(raster, nullptr);
    EXPECT_EQ(raster->count, 0);
    RASTER_move(raster);   // nothing to move or draw
    IMG* image = blackImage(2, 2);
    RASTER_draw(raster, image);
    EXPECT_FALSE(RASTER_save(raster, path.c_str()));
    f = std::fopen(path.c_str(), "rb");
    char text[8] = {};
    ASSERT_EQ(std::fread(text, 1, 7, f), 4u);
    std::fclose(f);
    EXPECT_STREQ(text, "keep");
    std::remove(path.c_str());
    RASTER_free(&raster);
    IMG_free(&image);
}
