#include <gtest/gtest.h>

#include "driver/QORN7316_state.h"

// The fill runs until no pixel of the canvas colour is left, then the finale
// holds the picture for 500 frames; its last frame ends the scene unpresented.
TEST(FloodFillScene, FillsEveryCanvasPixelThenHoldsTheFinale)
{
    if (frame == nullptr) {
        frame = IMG_new();
        IMG_setSize(frame, screenWidth, screenHeight);
    }
    RANDOM_srand(777);
    const QORN7316_SCENE& loop = QORN7316_floodFillScene;
    QORN7316_enterScene(&loop);
    QORN7316_FLOODFILL& s = floodFillState;
    ASSERT_NE(s.fill, nullptr);
    EXPECT_EQ(s.indexImage, nullptr);
    EXPECT_EQ(s.cycleStep, -6);   // drawn from -8..8
    std::int32_t frames = 0;
    while (s.filling != 0 && frames < 1250) ASSERT_TRUE(loop.frame(1250 - frames++));
    EXPECT_EQ(s.filling, 0);
    EXPECT_EQ(s.finale, 500);
    std::size_t left = 0;
    for (std::int32_t i = 0; i < s.canvas->width * s.canvas->height; ++i) left += s.canvas->pixels[i] == s.canvasColour;
    EXPECT_EQ(left, 0u);
    EXPECT_TRUE(loop.frame(1250 - frames));
    EXPECT_EQ(s.finale, 499);
    EXPECT_EQ(s.indexImage != nullptr, s.rainbow != 0);
    s.finale = 1;
    EXPECT_FALSE(loop.frame(1249 - frames));
    QORN7316_leaveScene(&loop);
    EXPECT_TRUE(s.fill == nullptr && s.canvas == nullptr);
}

// Each colour maps to its highest rainbow entry (0 when not in it) and turns
// by the cycle step; later calls turn the kept indices, and -8 wraps below 0.
TEST(FloodFillScene, RainbowFinaleIndexImage)
{
    QORN7316_FLOODFILL& s = floodFillState;
    if (s.indexImage != nullptr) IMG_free(&s.indexImage);
    s.canvas = IMG_new();
    IMG_setSize(s.canvas, 4, 1);
    const std::uint32_t colours[4] = {0xFF0000, 0xCEFF00, 0xFFFF00, 0x123456};   // entries 0 and 1535, 305, 255 and 256, none
    for (std::int32_t x = 0; x < 4; ++x) IMG_putPixel(s.canvas, x, 0, colours[x]);
    const struct { std::int32_t step; std::uint32_t index[4], colour[4]; } calls[] = {
        {5, {4, 310, 261, 5}, {0xFF0400u, 0xC9FF00u, 0xFAFF00u, 0xFF0500u}},
        {-8, {1532, 302, 253, 1533}, {0xFF00FFu - 252u, 0xD1FF00u, 0, 0}},
        {0, {1532, 302, 253, 1533}, {0, 0xD1FF00u, 0, 0}},   // holds the picture still
    };
    for (const auto& c : calls) {
        if (c.step != 5) IMG_clear(s.canvas, 0x123456);
        s.cycleStep = c.step;
        QORN7316_floodFillCycle();
        ASSERT_NE(s.indexImage, nullptr);
        for (std::int32_t x = 0; x < 4; ++x) {
            EXPECT_EQ(IMG_getPixel(s.indexImage, x, 0), c.index[x]) << c.step << " " << x;
            EXPECT_TRUE(c.colour[x] == 0 || IMG_getPixel(s.canvas, x, 0) == c.colour[x]) << c.step << " " << x << std::hex << " " << IMG_getPixel(s.canvas, x, 0);
        }
    }
    IMG_free(&s.indexImage);
    IMG_free(&s.canvas);
}
