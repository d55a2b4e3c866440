#include <gtest/gtest.h>

#include <cstdint>

#include "vector/LSTAR.h"
#include "support/support.h"

TEST(LstarOutline, ZigZagBetweenTwoRings)
{
    LSTAR* star = LSTAR_new();
    EXPECT_EQ(star->outer->phase - star->inner->phase, 64 << 16);   // half of an eighth of a turn

    LSTAR_setPoints(star, 4);
    star->inner->radius = 20;
    star->outer->radius = 60;
    star->inner->color = 0x0000ff;
    star->outer->color = 0xff0000;
    support::Picture target(256, 256);
    LSTAR_draw(star, target.img);
    // A's first point (128, 147), B's first point 45 degrees on: (170, 170).
    EXPECT_NE(target.at(128, 147), 0u);
    EXPECT_NE(target.at(170, 170), 0u);
    EXPECT_EQ(target.at(128, 128), 0u);   // the centre stays empty
    EXPECT_GT(target.count(0x0000ff), 4 * 30);   // four lines of about 44 pixels in each colour
    EXPECT_GT(target.count(0xff0000), 4 * 30);
    LSTAR_rotate(star);
    EXPECT_EQ(star->outer->phase - star->inner->phase, 128 << 16);
    LSTAR_free(&star);
}
