// Circle scenes: BLENDED CIRCLES stays inside the frame, the benchmark count
// and the text colours of both benchmark scenes.
#include <gtest/gtest.h>

#include <cstdint>

#include "assets/ASSETS.h"
#include "driver/QORN7316_state.h"
#include "foundation/RANDOM.h"
#include "platform/FPS.h"
#include "raster/IMG.h"
#include "support/support.h"
#include "vector/FONT.h"

namespace {

// The colour wheel and title font the scenes read, made for the test when
// start-up has not made them.
struct DriverAssets {
    DriverAssets()
    {
        if (colourWheel == nullptr) QORN7316_makeColourWheel();
        if (titleFont == nullptr) QORN7316_makeFonts();
    }
};

}  // namespace

// On a larger black image anything right of column 255 or below row 255
// would have left the frame; discs reach both outermost columns.
TEST(BlendedCircles, DiscsTouchTheNearestEdgeAndNeverLeaveTheFrame)
{
    DriverAssets assets;
    support::Picture image(300, 300);
    RANDOM_srand(2024);
    QORN7316_blendedCirclesDraw(image.img, 3000, 256);
    std::int32_t outside = 0, inside = 0, leftEdge = 0, rightEdge = 0;
    for (std::int32_t y = 0; y < 300; ++y) {
        for (std::int32_t x = 0; x < 300; ++x) {
            const std::int32_t set = image.at(x, y) != 0 ? 1 : 0;
            (x >= 256 || y >= 256 ? outside : inside) += set;
            leftEdge += x == 0 ? set : 0;
            rightEdge += x == 255 ? set : 0;
        }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 30000);
    EXPECT_GT(leftEdge, 0);
    EXPECT_GT(rightEdge, 0);
}

TEST(BlendedCircles, CountZeroDrawsNothingAndDrawsNoNumbers)
{
    DriverAssets assets;
    support::Picture image(256, 256, 0x808080u);
    RANDOM_srand(77);
    QORN7316_blendedCirclesDraw(image.img, 0, 32);
    EXPECT_EQ(RANDOM_seed, 77u);
    for (std::int32_t i = 0; i < 256 * 256; ++i) ASSERT_EQ(image.img->pixels[i], 0x808080u) << i;
}

TEST(CirclesBenchmark, CountFollowsTheSpareTimeAndNeverGoesBelowZero)
{
    FPS* saved = pacer;
    FPS timing{};
    timing.targetRate = 50;
    pacer = &timing;
    timing.waitMicros = 15000;   // 5 ms of work: spare time
    EXPECT_EQ(QORN7316_adaptCount(0), 1);
    EXPECT_EQ(QORN7316_adaptCount(41), 42);
    timing.waitMicros = 1;
    EXPECT_EQ(QORN7316_adaptCount(7), 8);
    timing.waitMicros = 0;       // exactly the slot: no time to spare
    EXPECT_EQ(QORN7316_adaptCount(7), 6);
    timing.waitMicros = -10000;  // 30 ms of work
    EXPECT_EQ(QORN7316_adaptCount(1), 0);
    EXPECT_EQ(QORN7316_adaptCount(0), 0);
    pacer = saved;
}

TEST(BenchmarkScenes, TitleFontColoursAreRestoredAtLeave)
{
    DriverAssets assets;
    ASSERT_NE(titleFont, nullptr);
    const std::uint8_t music = musicOff;
    musicOff = 1;
    IMG* original = IMG_clone(titleFont->glyphs);
    for (const QORN7316_SCENE* loop : {&QORN7316_circlesBenchmarkScene, &QORN7316_rectanglesBenchmarkScene}) {
        const std::uint32_t paper = loop == &QORN7316_circlesBenchmarkScene ? 0x004444u : 0x442244u;
        QORN7316_enterScene(loop);
        std::int32_t grey = 0, white = 0, papered = 0;
        for (std::int32_t i = 0; i < original->width * original->height; ++i) {
            grey += titleFont->glyphs->pixels[i] == 0x7F7F7Fu ? 1 : 0;
            white += titleFont->glyphs->pixels[i] == 0xFFFFFFu ? 1 : 0;
            papered += original->pixels[i] == 0xFFFFFFu && titleFont->glyphs->pixels[i] == paper ? 1 : 0;
        }
        EXPECT_EQ(grey, 0);
        EXPECT_EQ(white, 0);
        EXPECT_GT(papered, 0);
        QORN7316_leaveScene(loop);
        EXPECT_TRUE(IMG_equal(titleFont->glyphs, original));
        EXPECT_STREQ(titleText, "");
    }
    IMG_free(&original);
    musicOff = music;
}
