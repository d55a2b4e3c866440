#include <gtest/gtest.h>

#include "effects/PARTIXEL.h"
#include "support/support.h"

namespace {


struct Particles {
    PARTIXEL* p = PARTIXEL_new();
    explicit Particles(IMG* img, std::uint32_t colour)
    {
        p->image = img;
        p->colour = colour;
    }
    ~Particles() { PARTIXEL_free(&p); }
    Particles(const Particles&) = delete;
    Particles& operator=(const Particles&) = delete;
};

constexpr std::uint32_t water = 0x0000FFu;
constexpr std::uint32_t wall = 0xFFFFFFu;

}  // namespace

TEST(PartixelNew, Defaults)
{
    PARTIXEL* p = PARTIXEL_new();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->rule, &PARTIXEL_flowRight);
    EXPECT_EQ(p->colour, 0x0040E0u);
    EXPECT_STREQ(p->name, "WATER");
    EXPECT_EQ(p->image, nullptr);
    PARTIXEL_free(&p);
    EXPECT_EQ(p, nullptr);
}

TEST(PartixelWater, FallsOneRowPerStepAndLeavesAtTheBottom)
{
    support::Picture pic(5, 4);
    Particles w(pic.img, water);
    IMG_putPixel(pic.img, 2, 0, water);
    for (std::int32_t y = 1; y < 4; ++y) {
        w.p->rule(w.p);
        EXPECT_EQ(pic.at(2, y), water);
        EXPECT_EQ(pic.count(water), 1);
        EXPECT_EQ(w.p->count, 1);
    }
    PARTIXEL_flowLeft(w.p);
    EXPECT_EQ(pic.count(water), 0);
}

TEST(PartixelWater, FlowsSidewaysAroundObstaclesAndStaysWhenBoxedIn)
{
    support::Picture pic(5, 3);
    Particles w(pic.img, water);
    for (std::int32_t x = 0; x < 5; ++x) IMG_putPixel(pic.img, x, 2, wall);
    IMG_putPixel(pic.img, 1, 1, wall);
    IMG_putPixel(pic.img, 3, 1, wall);
    IMG_putPixel(pic.img, 2, 1, water);   // walls left, right and below
    IMG_putPixel(pic.img, 0, 0, wall);
    IMG_putPixel(pic.img, 1, 0, water);   // wall to the left, free to the right over water
    PARTIXEL_flowRight(w.p);
    EXPECT_EQ(pic.at(2, 1), water);
    // The top particle sits on a wall: it moves right, is met again and moves on.
    EXPECT_EQ(pic.at(1, 0), 0u);
    EXPECT_EQ(pic.at(4, 0), 0u);
    EXPECT_EQ(pic.count(water), 2);
    EXPECT_EQ(pic.at(3, 0) | pic.at(4, 1), water);
}

TEST(PartixelSparks, OverWaterLeaveSteamAndSurviveOrVanishOnThemselves)
{
    Particles s(nullptr, 0xFF0000u);
    std::int32_t stayed = 0;
    for (std::int32_t n = 0; n < 40; ++n) {
        support::Picture pic(3, 5, water);
        s.p->image = pic.img;
        IMG_putPixel(pic.img, 1, 4, 0x800000u);
        PARTIXEL_sparks(s.p);
        EXPECT_EQ(s.p->count, 1);
        if (pic.at(1, 4) == 0x800000u) {
            ++stayed;
            EXPECT_EQ(pic.count(0x808080u), 1);
            EXPECT_EQ(pic.count(water), 13);
        } else {
            EXPECT_EQ(pic.at(1, 4), 0u);   // its own target: merged with itself, then cleared
            EXPECT_EQ(pic.count(water), 14);
        }
    }
    EXPECT_GT(stayed, 20);
}

TEST(PartixelSparks, RiseFadeAndDieOnObstacles)
{
    Particles s(nullptr, 0xFF0000u);
    for (std::int32_t n = 0; n < 40; ++n) {
        support::Picture open(3, 5);
        s.p->image = open.img;
        IMG_putPixel(open.img, 1, 4, 0x800000u);
        PARTIXEL_sparks(s.p);
        // One step loses 7 of red; a spark that moved right within its row
        // is met again and may move once more.
        const std::int32_t moved = open.count(0x790000u) + open.count(0x720000u);
        EXPECT_EQ(moved + open.count(0u), 15);
        EXPECT_LE(moved, 1);
        EXPECT_EQ(open.at(1, 4), 0u);

        support::Picture walled(3, 5, wall);
        s.p->image = walled.img;
        IMG_putPixel(walled.img, 1, 4, 0x800000u);
        PARTIXEL_sparks(s.p);
        EXPECT_EQ(walled.at(1, 4), 0u);
        EXPECT_EQ(walled.count(wall), 14);
    }
}
