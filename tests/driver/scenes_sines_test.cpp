#include <gtest/gtest.h>

#include <array>

#include "effects/SINELINE.h"
#include "support/driver.h"

using support::setUpDriver;
using support::shownCount;

TEST(SineLinesSetUp, BandStepsAreDescendingMultiplesOfThreeDraws)
{
    QORN7316_initSineLines();   // the record exists from here on
    RANDOM_srand(0x2468ACEu);
    std::array<std::int32_t, 9> r{};
    for (auto& v : r) v = RANDOM_random30();
    RANDOM_srand(0x2468ACEu);
    QORN7316_initSineLines();
    const SINELINE* s = QORN7316_sineLineRecord();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->count, 256);
    EXPECT_EQ(s->height, 64);
    EXPECT_EQ(s->colour, 0xFFFFFFu);
    const std::int32_t speeds[3] = {(r[0] & 15) + 16, (r[1] % 24) + 24, (r[2] & 31) + 32};
    for (std::int32_t k = 0; k < 3; ++k) EXPECT_EQ(s->speed[k].y, (r[3 + k] & 1) == 1 ? -speeds[k] : speeds[k]);
    const std::int32_t a = (r[6] & 7) + 1, b = (r[7] & 7) + 1, c = (r[8] & 7) + 1;
    const std::int32_t* steps = QORN7316_sineLineBandSteps();
    for (std::int32_t k = 0; k < 8; ++k) {
        EXPECT_EQ(steps[3 * k], (7 - k) * c) << k;
        EXPECT_EQ(steps[3 * k + 1], (7 - k) * b) << k;
        EXPECT_EQ(steps[3 * k + 2], (7 - k) * a) << k;
    }
}

TEST(SineLinesScene, SkippedAfterOneFrameStillFadesToWhiteIn128Presents)
{
    setUpDriver();
    const HOST_SCRIPTED_KEY space[] = {{1, ' '}};
    HOST_scriptKeys(space);
    QORN7316_runLoop(&QORN7316_sineLinesScene);
    EXPECT_EQ(HOST_presentedFrames(), 1u + 128u);
    EXPECT_EQ(shownCount(0xFFFFFFu), 256 * 256);
    EXPECT_STREQ(titleText, "");
    EXPECT_EQ(demoFlags & QORN7316_SKIP, 0);
}

TEST(HeightFieldScene, FirstFrameDrawsTheDefaultSegmentsLaterRunsTheLastGeometry)
{
    setUpDriver();
    // The flying logo flies over this scene; whatever an earlier test left of it
    // is kept out of this frame count.
    LOGOFLY* logo = flyingLogo;
    flyingLogo = nullptr;
    IMG_clear(frame, 0x336699u);
    // The fade-out takes 32 presents; the key after the first scene frame skips.
    const HOST_SCRIPTED_KEY space[] = {{33, ' '}, {66, ' '}};
    HOST_scriptKeys(space);
    QORN7316_runLoop(&QORN7316_heightFieldScene);
    EXPECT_EQ(HOST_presentedFrames(), 33u);
    // The default segments, (0, 0)-(1, 1) mirrored and moved to (512, -64),
    // lie outside the frame: the faded frame stays black.
    EXPECT_EQ(shownCount(0u), 256 * 256);
    EXPECT_EQ(backgroundColour, 0xFFFFFFu);
    QORN7316_runLoop(&QORN7316_heightFieldScene);
    EXPECT_EQ(HOST_presentedFrames(), 66u);
    // Now the first frame draws the grid of the previous run's update.
    EXPECT_GT(256 * 256 - shownCount(0u), 10000);
    flyingLogo = logo;
}
