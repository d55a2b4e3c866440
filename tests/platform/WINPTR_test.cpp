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

TEST(MouseDraw, SpriteIsClippedAtTheFrameEdge)
{
    HOST_reset();
    WINDPY* display = WINDPY_new();
    MOUSE* mouse = MOUSE_new();
    ASSERT_NE(mouse, nullptr);
    IMG* sprite = IMG_new();   // 16 x 16
    IMG_clear(sprite, 0xFFFFFFu);
    IMG_putPixel(sprite, 0, 0, 0);   // black is transparent
    IMG* target = IMG_new();
    IMG_setSize(target, 256, 256);
    IMG_clear(target, 0x123456u);
    mouse->sprite = sprite;
    mouse->target = target;
    mouse->x = 250;
    mouse->y = 10;
    MOUSE_draw(mouse);
    std::int32_t drawn = 0;
    for (std::int32_t y = 0; y < 256; ++y)
        for (std::int32_t x = 0; x < 256; ++x) drawn += IMG_getPixel(target, x, y) == 0xFFFFFFu ? 1 : 0;
    EXPECT_EQ(drawn, 6 * 16 - 1);
    EXPECT_EQ(IMG_getPixel(target, 250, 10), 0x123456u);
    EXPECT_EQ(IMG_getPixel(target, 255, 25), 0xFFFFFFu);
    EXPECT_EQ(IMG_getPixel(target, 249, 11), 0x123456u);
    MOUSE_draw(nullptr);
    IMG_free(&sprite);
    IMG_free(&target);
    MOUSE_free(&mouse);
    WINDPY_free(&display);
}
