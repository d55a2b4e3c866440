#include <gtest/gtest.h>

#include "platform/HOST.h"
#include "platform/MOUSE.h"
#include "platform/WINDPY.h"
#include "support/support.h"

TEST(MouseDraw, SpriteIsClippedAtTheFrameEdge)
{
    HOST_reset();
    WINDPY* display = WINDPY_new();
    MOUSE* mouse = MOUSE_new();
    ASSERT_NE(mouse, nullptr);
    support::Picture sprite(16, 16, 0xFFFFFFu);
    IMG_putPixel(sprite.img, 0, 0, 0);   // black is transparent
    support::Picture target(256, 256, 0x123456u);
    mouse->sprite = sprite.img;
    mouse->target = target.img;
    mouse->x = 250;
    mouse->y = 10;
    MOUSE_draw(mouse);
    std::int32_t drawn = 0;
    for (std::int32_t y = 0; y < 256; ++y)
        for (std::int32_t x = 0; x < 256; ++x) drawn += target.at(x, y) == 0xFFFFFFu ? 1 : 0;
    EXPECT_EQ(drawn, 6 * 16 - 1);
    EXPECT_EQ(target.at(250, 10), 0x123456u);
    EXPECT_EQ(target.at(255, 25), 0xFFFFFFu);
    EXPECT_EQ(target.at(249, 11), 0x123456u);
    MOUSE_draw(nullptr);
    MOUSE_free(&mouse);
    WINDPY_free(&display);
}
