#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "effects/RASTER.h"
#include "foundation/RANDOM.h"
#include "raster/IMG.h"
#include "support/raster.h"
#include "support/support.h"

namespace {

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
    EXPECT_EQ(raster->speed, 0x10000 + 41);
    raster->colours[3] = 0x123456;
    RASTER* copy = RASTER_clone(raster);
    EXPECT_TRUE(RASTER_equal(raster, copy));
    RASTER_setSize(copy, 5);
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

TEST(RasterScroll, NegativeSpeedWrapsIntoOneToLengthAndSmoothWraps)
{
    RASTER* raster = indexRaster(4);
    const std::int32_t length = 4 << 16;
    raster->speed = -0x20000;
    RASTER_move(raster);
    EXPECT_EQ(raster->scrollPos, 0x20000);   // -2 rows wrap to row 2
    RASTER_move(raster);
    EXPECT_EQ(raster->scrollPos, 0);
    // An exact negative multiple of the length lands on the length, which paints like 0.
    raster->speed = -length;
    RASTER_move(raster);
    EXPECT_EQ(raster->scrollPos, length);
    support::Picture image(1, 6);
    RASTER_draw(raster, image.img);
    for (int y = 0; y < 6; ++y) EXPECT_EQ(image.at(0, y), static_cast<std::uint32_t>(y % 4)) << y;
    // Smoothing wraps above the end and reflects below the start.
    const std::uint32_t blue[4] = {0, 4, 8, 12};
    for (int i = 0; i < 4; ++i) raster->colours[i] = blue[i] | 0x640000u;
    RASTER_smooth(raster, 1);
    // i = 0: 2*0 + c1 + c1 = 8; i = 3: 2*12 + c0 + c2 = 32; each / 4.
    const std::uint32_t expected[4] = {2, 4, 8, 8};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(raster->colours[i], expected[i] | 0x640000u) << i;
    RASTER_free(&raster);
}

// Rows drawn from a scrolled 1536-entry table are pinned by the raster bars in the golden frames.
TEST(RasterDraw, ColumnsAndBlend)
{
    RASTER* raster = indexRaster(3);
    const std::uint32_t rgb[] = {0xFF0000, 0x00FF00, 0x0000FF};
    std::copy(rgb, rgb + 3, raster->colours);
    support::Picture wide(5, 2);
    RASTER_drawColumns(raster, wide.img);
    EXPECT_EQ(wide.at(0, 1), 0xFF0000u);
    EXPECT_EQ(wide.at(2, 0), 0x0000FFu);
    EXPECT_EQ(wide.at(4, 1), 0x00FF00u);
    IMG_clear(wide.img, 0xFFFFFF);
    RASTER_drawBlend(raster, wide.img, 64);   // white: (255 * 192 + c * 64) >> 8
    EXPECT_EQ(wide.at(3, 0), 0xFFBFBFu);
    EXPECT_EQ(wide.at(3, 1), 0xBFFFBFu);
    RASTER_free(&raster);
}

TEST(RasterFiles, LoadGivesAnEmptyRasterAndSaveTouchesNothing)
{
    EXPECT_EQ(RASTER_load("/nonexistent/raster"), nullptr);
    support::Scratch scratch;
    const std::string path = scratch.write("raster.txt", "keep");
    RASTER* raster = RASTER_load(path.c_str());
    ASSERT_NE(raster, nullptr);
    EXPECT_EQ(raster->count, 0);
    RASTER_move(raster);   // nothing to move or draw
    support::Picture image(2, 2);
    RASTER_draw(raster, image.img);
    EXPECT_FALSE(RASTER_save(raster, path.c_str()));
    EXPECT_EQ(std::filesystem::file_size(path), 4u);   // "keep" still there
    RASTER_free(&raster);
}
