#include <gtest/gtest.h>

#include "driver/QORN7316_state.h"
#include "raster/FILL.h"

namespace {

void needFrame()
{
    if (frame == nullptr) {
        frame = IMG_new();
        IMG_setSize(frame, screenWidth, screenHeight);
    }
}

}  // namespace

TEST(FloodFillScene, FullCanvasGoesStraightToTheFinale)
{
    needFrame();
    RANDOM_srand(12345);
    const QORN7316_SCENE& loop = QORN7316_floodFillScene;
    QORN7316_enterScene(&loop);
    QORN7316_FLOODFILL& s = floodFillState;
    ASSERT_NE(s.fill, nullptr);
    ASSERT_NE(s.canvas, nullptr);
    EXPECT_EQ(s.finale, 500);
    EXPECT_EQ(s.filling, 1);
    EXPECT_EQ(s.indexImage, nullptr);
    EXPECT_GE(s.cycleStep, -8);
    EXPECT_LE(s.cycleStep, 8);
    EXPECT_EQ(IMG_getPixel(s.canvas, 17, 200), s.canvasColour);

    // Outlines already drawn, and not one pixel of the canvas colour left.
    s.circlesDrawn = 1;
    const std::uint32_t other = s.canvasColour ^ 0x010000u;
    IMG_clear(s.canvas, other);
    EXPECT_TRUE(loop.frame(1250));
    EXPECT_EQ(s.filling, 0);
    EXPECT_EQ(s.finale, 500);
    EXPECT_EQ(IMG_getPixel(frame, 255, 255), other);

    EXPECT_TRUE(loop.frame(1249));
    EXPECT_EQ(s.finale, 499);
    EXPECT_EQ(s.indexImage != nullptr, s.rainbow != 0);

    s.finale = 1;   // the last finale frame ends the scene unpresented
    EXPECT_FALSE(loop.frame(1248));
    QORN7316_leaveScene(&loop);
    EXPECT_EQ(s.fill, nullptr);
    EXPECT_EQ(s.canvas, nullptr);
    EXPECT_STREQ(titleText, "");
}

TEST(FloodFillScene, FillingLeavesNoCanvasColour)
{
    needFrame();
    RANDOM_srand(777);
    const QORN7316_SCENE& loop = QORN7316_floodFillScene;
    QORN7316_enterScene(&loop);
    QORN7316_FLOODFILL& s = floodFillState;
    std::int32_t frames = 0;
    while (s.filling != 0 && frames < 1250) {
        ASSERT_TRUE(loop.frame(1250 - frames));
        frames += 1;
    }
    EXPECT_EQ(s.filling, 0);
    EXPECT_GT(frames, 8);
    EXPECT_EQ(s.circlesDrawn, 1);
    const std::size_t n = static_cast<std::size_t>(s.canvas->width) * s.canvas->height;
    std::size_t left = 0;
    for (std::size_t i = 0; i < n; ++i) left += s.canvas->pixels[i] == s.canvasColour ? 1 : 0;
    EXPECT_EQ(left, 0u);
    QORN7316_leaveScene(&loop);
}

TEST(FloodFillScene, RainbowFinaleIndexImage)
{
    QORN7316_FLOODFILL& s = floodFillState;
    if (s.indexImage != nullptr) IMG_free(&s.indexImage);
    s.canvas = IMG_new();
    IMG_setSize(s.canvas, 4, 1);
    IMG_putPixel(s.canvas, 0, 0, 0xFF0000);   // red: entries 0 and 1535, the search from the top finds 1535
    IMG_putPixel(s.canvas, 1, 0, 0xCEFF00);   // entry 305 only
    IMG_putPixel(s.canvas, 2, 0, 0xFFFF00);   // entries 255 and 256
    IMG_putPixel(s.canvas, 3, 0, 0x123456);   // not in the table: index 0
    s.cycleStep = 5;
    QORN7316_floodFillCycle();
    ASSERT_NE(s.indexImage, nullptr);
    EXPECT_EQ(s.indexImage->width, 4);
    EXPECT_EQ(IMG_getPixel(s.indexImage, 0, 0), 4u);
    EXPECT_EQ(IMG_getPixel(s.indexImage, 1, 0), 310u);
    EXPECT_EQ(IMG_getPixel(s.indexImage, 2, 0), 261u);
    EXPECT_EQ(IMG_getPixel(s.indexImage, 3, 0), 5u);
    EXPECT_EQ(IMG_getPixel(s.canvas, 0, 0), 0xFF0400u);
    EXPECT_EQ(IMG_getPixel(s.canvas, 1, 0), 0xC9FF00u);
    EXPECT_EQ(IMG_getPixel(s.canvas, 2, 0), 0xFAFF00u);
    EXPECT_EQ(IMG_getPixel(s.canvas, 3, 0), 0xFF0500u);

    // Later calls turn the kept indices, not the canvas; -8 wraps below 0.
    IMG_clear(s.canvas, 0x123456);
    s.cycleStep = -8;
    QORN7316_floodFillCycle();
    EXPECT_EQ(IMG_getPixel(s.indexImage, 0, 0), 1532u);
    EXPECT_EQ(IMG_getPixel(s.canvas, 0, 0), 0xFF00FFu - 252u);
    EXPECT_EQ(IMG_getPixel(s.indexImage, 3, 0), 1533u);
    s.cycleStep = 0;   // holds the picture still
    QORN7316_floodFillCycle();
    EXPECT_EQ(IMG_getPixel(s.indexImage, 1, 0), 302u);
    EXPECT_EQ(IMG_getPixel(s.canvas, 1, 0), 0xD1FF00u);
    IMG_free(&s.indexImage);
    IMG_free(&s.canvas);
}
