#include <gtest/gtest.h>

#include <cstdint>

#include "vector/LSTAR.h"

TEST(LstarOutline, ZigZagBetweenTwoRings)
{
    LSTAR* star = LSTAR_new();
    ASSERT_NE(star, nullptr);
    EXPECT_EQ(star->inner->rays, 8);
    EXPECT_EQ(star->outer->rays, 8);
    EXPECT_EQ(star->outer->phase - star->inner->phase, 64 << 16);   // half of an eighth of a turn

    LSTAR_setPoints(star, 4);
    star->inner->radius = 20;
    star->outer->radius = 60;
    star->inner->color = 0x0000ff;
    star->outer->color = 0xff0000;
    IMG* target = IMG_new();
    IMG_setSize(target, 256, 256);
    LSTAR_draw(star, target);
    // A's first point (128, 147), B's first point 45 degrees on: (170, 170).
    EXPECT_NE(IMG_getPixel(target, 128, 147), 0u);
    EXPECT_NE(IMG_getPixel(target, 170, 170), 0u);
    EXPECT_EQ(IMG_getPixel(target, 128, 128), 0u);   // the centre stays empty

    std::int32_t blue = 0;
    std::int32_t red = 0;
    for (std::int32_t i = 0; i < 256 * 256; ++i) {
        blue += target->pixels[i] == 0x0000ff;
        red += target->pixels[i] == 0xff0000;
    }
    EXPECT_GT(blue, 4 * 30);   // four lines of about 44 pixels in each colour
    EXPECT_GT(red, 4 * 30);
    const std::int32_t before = star->inner->phase;
    LSTAR_rotate(star);
    EXPECT_EQ(star->outer->phase - star->inner->phase, 128 << 16);   // they turn together
    EXPECT_NE(star->inner->phase, before);
    LSTAR_free(&star);
    EXPECT_EQ(star, nullptr);
    IMG_free(&target);
}
