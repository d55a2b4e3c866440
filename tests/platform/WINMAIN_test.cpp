#include <gtest/gtest.h>

#include "platform/HOST.h"
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
