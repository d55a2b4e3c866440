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

TEST(WinmainVolumeKeys, StepTheDeviceVolumeAndNeverReachTheDemo)
{
    HOST_reset();
    WINMAIN_lastKey = 0;
    PLAYER_setVolume(100);
    PLAYER_setMuted(false);
    struct Case { std::int32_t key; int times; std::int32_t volume; bool muted; };
    for (const Case& c : {Case{'[', 3, 70, false}, {'[', 12, 0, false},   // stops at 0
                          {WINMAIN_MUTE, 1, 0, true}, {']', 12, 100, true}, {WINMAIN_MUTE, 1, 100, false}}) {   // stops at 100
        for (int i = 0; i < c.times; ++i) HOST_pushKey(c.key);
        WINMAIN_pump();
        EXPECT_EQ(PLAYER_volume(), c.volume) << c.key << " x" << c.times;
        EXPECT_EQ(PLAYER_muted(), c.muted) << c.key << " x" << c.times;
    }
    EXPECT_EQ(WINMAIN_lastKey, 0);
    HOST_pushKey('G');
    WINMAIN_pump();
    EXPECT_EQ(WINMAIN_lastKey, 'G');   // other keys still reach the demo
    WINMAIN_lastKey = 0;
}
