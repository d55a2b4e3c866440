#include <gtest/gtest.h>

#include "platform/HOST.h"
#include "platform/WINDPY.h"
#include "platform/WINPTR.h"

TEST(WinptrPoll, NeedsTheDisplayAndShowsWhatIsHeldAtThePoll)
{
    HOST_reset();
    ASSERT_EQ(WINDPY_current(), nullptr);
    EXPECT_EQ(WINPTR_new(), nullptr);
    WINDPY* display = WINDPY_new();
    WINPTR* pointer = WINPTR_new();
    ASSERT_NE(pointer, nullptr);
    EXPECT_EQ(WINPTR_new(), pointer);   // one instance
    const HOST_SCRIPTED_POINTER states[] = {{1, 0, 0, 1}, {2, 255, 17, 4}, {3, 255, 17, 0}};
    HOST_scriptPointer(states);
    static const std::uint8_t rows[3] = {};
    // The top-left pixel of the client area; left released, middle pressed; a release is seen.
    for (const HOST_SCRIPTED_POINTER& s : states) {
        WINPTR_poll(pointer);
        EXPECT_EQ(pointer->x, s.x) << s.frame;
        EXPECT_EQ(pointer->y, s.y) << s.frame;
        EXPECT_EQ(pointer->screenX, s.x) << s.frame;
        EXPECT_EQ(pointer->buttons, s.buttons) << s.frame;
        HOST_present(rows, 1, 1);
    }
    WINPTR_free(&pointer);
    WINDPY_free(&display);
}
