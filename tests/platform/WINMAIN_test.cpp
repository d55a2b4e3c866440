#include <gtest/gtest.h>

#include "platform/HOST.h"
#include "platform/PLAYER.h"
#include "platform/WINDPY.h"
#include "platform/WINMAIN.h"

TEST(WinmainWindowProc, KeepsTheLastKeyAndSnapsTheSizeBack)
{
    HOST_reset();
    WINMAIN_lastKey = 0;
    HOST_pushKey('A');
    HOST_pushKey('B');
    HOST_pushEvent(HOST_RESIZE);
    WINDPY* display = WINDPY_new();
    WINDPY_setSize(display, 100, 50);
    WINMAIN_pump();   // everything pending at once
    EXPECT_EQ(WINMAIN_lastKey, 'B');
    EXPECT_EQ(display->width, 256);
    EXPECT_EQ(display->height, 256);
    HOST_EVENT none[1];
    EXPECT_EQ(HOST_takeEvents(none, 1), 0);
    WINDPY_free(&display);
    WINMAIN_lastKey = 0;
}

TEST(WinmainWindowProcDeathTest, ClosingTheWindowEndsWithStatusZero)
{
    HOST_reset();
    HOST_pushEvent(HOST_CLOSE);
    EXPECT_EXIT(WINMAIN_pump(), testing::ExitedWithCode(0), "");
}

TEST(WinmainVolumeKeys, StepTheDeviceVolumeAndNeverReachTheDemo)
{
    HOST_reset();
    WINMAIN_lastKey = 0;
    PLAYER_setVolume(100);
    PLAYER_setMuted(false);
    for (int i = 0; i < 3; ++i) HOST_pushKey('[');
    WINMAIN_pump();
    EXPECT_EQ(PLAYER_volume(), 70);
    EXPECT_EQ(WINMAIN_lastKey, 0);
    for (int i = 0; i < 12; ++i) HOST_pushKey('[');
    HOST_pushKey(WINMAIN_MUTE);
    WINMAIN_pump();
    EXPECT_EQ(PLAYER_volume(), 0);   // stops at 0
    EXPECT_TRUE(PLAYER_muted());
    for (int i = 0; i < 12; ++i) HOST_pushKey(']');
    HOST_pushKey(WINMAIN_MUTE);
    HOST_pushKey('G');
    WINMAIN_pump();
    EXPECT_EQ(PLAYER_volume(), 100);   // stops at 100
    EXPECT_FALSE(PLAYER_muted());
    EXPECT_EQ(WINMAIN_lastKey, 'G');   // other keys still reach the demo
    WINMAIN_lastKey = 0;
}
