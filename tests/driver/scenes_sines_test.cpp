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
    EXPECT_EQ(demoFlags & QORN7316_SKIP, 0);
}

// After its 32-present fade-out the first frame draws the default segments,
// (0, 0)-(1, 1) mirrored and moved to (512, -64), outside the frame: the faded
// frame stays black. A later run's first frame draws the last run's grid.
TEST(HeightFieldScene, FirstFrameDrawsTheDefaultSegmentsLaterRunsTheLastGeometry)
{
    setUpDriver();
    LOGOFLY* logo = flyingLogo;   // whatever an earlier test left of the flying logo is kept out
    flyingLogo = nullptr;
    IMG_clear(frame, 0x336699u);
    const HOST_SCRIPTED_KEY space[] = {{33, ' '}, {66, ' '}};
    HOST_scriptKeys(space);
    QORN7316_runLoop(&QORN7316_heightFieldScene);
    EXPECT_EQ(HOST_presentedFrames(), 33u);
    EXPECT_EQ(shownCount(0u), 256 * 256);
    EXPECT_EQ(backgroundColour, 0xFFFFFFu);
    QORN7316_runLoop(&QORN7316_heightFieldScene);
    EXPECT_EQ(HOST_presentedFrames(), 66u);
    EXPECT_GT(256 * 256 - shownCount(0u), 10000);
    flyingLogo = logo;
}
