#include <gtest/gtest.h>

#include "effects/PARTIXEL.h"
#include "support/support.h"

constexpr std::uint32_t water = 0x0000FFu;   // const: internal to this file
constexpr std::uint32_t wall = 0xFFFFFFu;

TEST(PartixelWater, FallsFlowsSidewaysAndStaysWhenBoxedIn)
{
    PARTIXEL* made = PARTIXEL_new();
    EXPECT_EQ(made->rule, &PARTIXEL_flowRight);
    PARTIXEL_free(&made);
    support::Picture fall(3, 4);
    PARTIXEL w{{}, nullptr, water, fall.img, nullptr, 0, {}};
    IMG_putPixel(fall.img, 1, 0, water);
    IMG_putPixel(fall.img, 0, 3, wall);
    IMG_putPixel(fall.img, 2, 3, wall);
    for (std::int32_t y = 1; y < 4; ++y) {
        PARTIXEL_flowRight(&w);
        EXPECT_EQ(fall.at(1, y), water);
        EXPECT_EQ(w.count, 1);
    }
    PARTIXEL_flowLeft(&w);   // walled in at the bottom row, it leaves through the bottom
    EXPECT_EQ(fall.count(water), 0);

    support::Picture pic(5, 3);
    w.image = pic.img;
    for (std::int32_t x = 0; x < 5; ++x) IMG_putPixel(pic.img, x, 2, wall);
    IMG_putPixel(pic.img, 1, 1, wall);
    IMG_putPixel(pic.img, 3, 1, wall);
    IMG_putPixel(pic.img, 2, 1, water);   // walls left, right and below
    IMG_putPixel(pic.img, 0, 1, water);   // walls right and below: lost over the left edge
    IMG_putPixel(pic.img, 0, 0, wall);
    IMG_putPixel(pic.img, 1, 0, water);   // wall to the left, free to the right over water
    PARTIXEL_flowRight(&w);
    EXPECT_EQ(pic.at(2, 1), water);
    // The top particle sits on a wall: it moves right, is met again and moves on.
    EXPECT_EQ(pic.at(1, 0) | pic.at(4, 0), 0u);
    EXPECT_EQ(pic.count(water), 2);
    EXPECT_EQ(pic.at(3, 0) | pic.at(4, 1), water);
}

// Over water a spark turns its target to steam and stays; fading, merging and
// dying on walls are pinned by the finite state golden frames.
TEST(PartixelSparks, SteamOverWater)
{
    PARTIXEL s{};
    std::int32_t stayed = 0;
    for (std::int32_t n = 0; n < 40; ++n) {
        support::Picture over(3, 5, water);
        s.image = over.img;
        IMG_putPixel(over.img, 1, 4, 0x800000u);
        PARTIXEL_sparks(&s);
        EXPECT_EQ(s.count, 1);
        if (over.at(1, 4) == 0x800000u) {
            ++stayed;
            EXPECT_EQ(over.count(0x808080u), 1);
            EXPECT_EQ(over.count(water), 13);
        } else {
            EXPECT_EQ(over.at(1, 4), 0u);   // its own target: merged with itself, then cleared
            EXPECT_EQ(over.count(water), 14);
        }
    }
    EXPECT_GT(stayed, 20);
}
