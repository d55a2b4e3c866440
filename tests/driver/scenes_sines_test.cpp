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
}

// A later run's first frame draws the last run's grid (a first run's first frame, the default
// segments outside the frame, is in the golden frames).
TEST(HeightFieldScene, ALaterRunsFirstFrameDrawsTheLastGeometry)
{
    setUpDriver();
    LOGOFLY* logo = flyingLogo;   // whatever an earlier test left of the flying logo is kept out
    flyingLogo = nullptr;
    const HOST_SCRIPTED_KEY space[] = {{33, ' '}, {66, ' '}};
    HOST_scriptKeys(space);
    QORN7316_runLoop(&QORN7316_heightFieldScene);
    QORN7316_runLoop(&QORN7316_heightFieldScene);
    EXPECT_EQ(HOST_presentedFrames(), 66u);
    EXPECT_GT(256 * 256 - shownCount(0u), 10000);
    flyingLogo = logo;
}
