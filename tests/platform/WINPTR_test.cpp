#include <gtest/gtest.h>

#include "platform/HOST.h"
#include "platform/MOUSE.h"
#include "platform/WINDPY.h"
#include "platform/WINPTR.h"

TEST(WinptrNew, NeedsTheDisplay)
{
    HOST_reset();
    ASSERT_EQ(WINDPY_current(), nullptr);
    EXPECT_EQ(WINPTR_new(), nullptr);
    EXPECT_EQ(MOUSE_new(), nullptr);
}

TEST(WinptrPoll, ButtonsShowWhatIsHeldAtThePoll)
{
    HOST_reset();
    WINDPY* display = WINDPY_new();
    WINPTR* pointer = WINPTR_new();
    ASSERT_NE(pointer, nullptr);
    EXPECT_EQ(WINPTR_new(), pointer);   // one instance
    const HOST_SCRIPTED_POINTER states[] = {{1, 0, 0, 1}, {2, 255, 17, 4}, {3, 255, 17, 0}};
    HOST_scriptPointer(states);
    static const std::uint8_t rows[3] = {};

    WINPTR_poll(pointer);
    EXPECT_EQ(pointer->x, 0);   // top-left pixel of the client area
    EXPECT_EQ(pointer->y, 0);
    EXPECT_EQ(pointer->buttons, 1);
    HOST_present(rows, 1, 1);
    WINPTR_poll(pointer);
    EXPECT_EQ(pointer->x, 255);
    EXPECT_EQ(pointer->y, 17);
    EXPECT_EQ(pointer->screenX, 255);
    EXPECT_EQ(pointer->buttons, 4);   // left released, middle pressed
    HOST_present(rows, 1, 1);
    WINPTR_poll(pointer);
    EXPECT_EQ(pointer->buttons, 0);   // a release is seen

    WINPTR copy{};
    WINPTR_copy(pointer, &copy);
    EXPECT_TRUE(WINPTR_equal(pointer, &copy));
    copy.z = 1;
    EXPECT_FALSE(WINPTR_equal(pointer, &copy));
    EXPECT_EQ(WINPTR_clone(pointer), pointer);

    MOUSE* mouse = MOUSE_new();
    ASSERT_NE(mouse, nullptr);
    mouse->pointer = pointer;
    MOUSE_update(mouse);
    EXPECT_EQ(mouse->x, 255);
    EXPECT_EQ(mouse->y, 17);
    MOUSE* clone = MOUSE_clone(mouse);
    ASSERT_NE(clone, nullptr);
    EXPECT_TRUE(MOUSE_equal(mouse, clone));
    EXPECT_EQ(clone->pointer, nullptr);
    MOUSE_free(&clone);
    MOUSE_free(&mouse);
    WINPTR_free(&pointer);
    EXPECT_EQ(pointer, nullptr);
    WINDPY_free(&display);
}
