#include <gtest/gtest.h>

#include "platform/HOST.h"
#include "platform/MOUSE.h"
#include "platform/WINDPY.h"
#include "platform/WINPTR.h"
#include "support/support.h"

TEST(MouseSprite, TakesThePointersWordsAndClipsAtTheFrameEdge)
{
    HOST_reset();
    WINDPY* display = WINDPY_new();
    MOUSE* mouse = MOUSE_new();
    ASSERT_NE(mouse, nullptr);
    WINPTR pointer{300, 40, 0, 255, 17, 0, 4};
    mouse->pointer = &pointer;
    MOUSE_update(mouse);
    EXPECT_EQ(mouse->screenX, 300);
    EXPECT_EQ(mouse->screenY, 40);
    EXPECT_EQ(mouse->x, 255);
    EXPECT_EQ(mouse->y, 17);
    EXPECT_EQ(mouse->buttons, 4);

    // Black is transparent.
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
    WINDPY_free(&display);
    EXPECT_EQ(MOUSE_new(), nullptr);   // needs the display
}
