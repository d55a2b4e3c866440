#include <gtest/gtest.h>

#include "platform/HOST.h"
#include "platform/MOUSE.h"
#include "platform/WINDPY.h"
#include "platform/WINPTR.h"
#include "support/support.h"

TEST(WinptrPoll, NeedsTheDisplayAndShowsWhatIsHeldAtThePoll)
{
    HOST_reset();
    ASSERT_EQ(WINDPY_current(), nullptr);
    EXPECT_EQ(WINPTR_new(), nullptr);
    EXPECT_EQ(MOUSE_new(), nullptr);
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
    MOUSE* mouse = MOUSE_new();
    ASSERT_NE(mouse, nullptr);
    mouse->pointer = pointer;
    MOUSE_update(mouse);
    EXPECT_EQ(mouse->x, 255);
    EXPECT_EQ(mouse->y, 17);

    // The sprite is clipped at the frame edge; black is transparent.
    support::Picture sprite(16, 16, 0xFFFFFFu), target(256, 256, 0x123456u);
    IMG_putPixel(sprite.img, 0, 0, 0);
    mouse->sprite = sprite.img;
    mouse->target = target.img;
    mouse->x = 250;
    mouse->y = 10;
    MOUSE_draw(mouse);
    EXPECT_EQ(target.count(0xFFFFFFu), 6 * 16 - 1);
    EXPECT_EQ(target.at(250, 10), 0x123456u);   // the sprite's transparent corner
    EXPECT_EQ(target.at(251, 10), 0xFFFFFFu);
    EXPECT_EQ(target.at(255, 25), 0xFFFFFFu);
    EXPECT_EQ(target.at(249, 11), 0x123456u);
    MOUSE_draw(nullptr);
    MOUSE_free(&mouse);
    WINPTR_free(&pointer);
    WINDPY_free(&display);
}
