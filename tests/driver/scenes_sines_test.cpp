#include <gtest/gtest.h>

#include "support/driver.h"

using support::setUpDriver;
using support::shownCount;

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
