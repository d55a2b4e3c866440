#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "effects/ARCHPATH.h"
#include "effects/BACKMOVE.h"
#include "effects/PARTIXEL.h"
#include "foundation/RANDOM.h"

namespace {

struct Picture {
    IMG* img = IMG_new();
    Picture(std::int32_t w, std::int32_t h, std::uint32_t fill = 0)
    {
        IMG_setSize(img, w, h);
        IMG_clear(img, fill);
    }
    ~Picture() { IMG_free(&img); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    std::uint32_t at(std::int32_t x, std::int32_t y) const { return IMG_getPixel(img, x, y); }
    void set(std::int32_t x, std::int32_t y, std::uint32_t c) { IMG_putPixel(img, x, y, c); }
    std::int32_t count(std::uint32_t c) const
    {
        std::int32_t n = 0;
        for (std::int32_t i = 0; i < img->width * img->height; ++i) n += img->pixels[i] == c;
        return n;
    }
};

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
    Picture pic(5, 4);
    Particles w(pic.img, water);
    pic.set(2, 0, water);
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
    Picture pic(5, 3);
    Particles w(pic.img, water);
    for (std::int32_t x = 0; x < 5; ++x) pic.set(x, 2, wall);
    pic.set(1, 1, wall);
    pic.set(3, 1, wall);
    pic.set(2, 1, water);   // walls left, right and below
    pic.set(0, 0, wall);
    pic.set(1, 0, water);   // wall to the left, free to the right over water
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
        Picture pic(3, 5, water);
        s.p->image = pic.img;
        pic.set(1, 4, 0x800000u);
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
        Picture open(3, 5);
        s.p->image = open.img;
        open.set(1, 4, 0x800000u);
        PARTIXEL_sparks(s.p);
        // One step loses 7 of red; a spark that moved right within its row
        // is met again and may move once more.
        const std::int32_t moved = open.count(0x790000u) + open.count(0x720000u);
        EXPECT_EQ(moved + open.count(0u), 15);
        EXPECT_LE(moved, 1);
        EXPECT_EQ(open.at(1, 4), 0u);

        Picture walled(3, 5, wall);
        s.p->image = walled.img;
        walled.set(1, 4, 0x800000u);
        PARTIXEL_sparks(s.p);
        EXPECT_EQ(walled.at(1, 4), 0u);
        EXPECT_EQ(walled.count(wall), 14);
    }
}

TEST(BackmoveAdvance, OffsetsStayInRangeForBothSigns)
{
    BACKMOVE* b = BACKMOVE_new();
    Picture tile(16, 16), target(64, 64);
    b->tile = tile.img;
    b->target = target.img;
    b->speedX = 7;
    b->speedY = -7;
    BACKMOVE_advance(b);
    EXPECT_EQ(b->offsetX, -9);   // 7 is past 0: one step back
    EXPECT_EQ(b->offsetY, -7);
    for (std::int32_t n = 0; n < 3000; ++n) {
        BACKMOVE_advance(b);
        EXPECT_GT(b->offsetX, -16);
        EXPECT_LE(b->offsetX, 0);
        EXPECT_GT(b->offsetY, -16);
        EXPECT_LE(b->offsetY, 0);
        EXPECT_GE(b->speedX, -4);
        EXPECT_LE(b->speedX, 7);
    }
    BACKMOVE_free(&b);
}

TEST(BackmoveDraw, SixteenPixelTileCoversTheFrameWith256Tiles)
{
    BACKMOVE* b = BACKMOVE_new();
    Picture tile(16, 16), target(256, 256);
    tile.set(0, 0, 0xABCDEFu);
    b->tile = tile.img;
    b->target = target.img;
    BACKMOVE_draw(b);
    EXPECT_EQ(target.count(0xABCDEFu), 256);
    EXPECT_EQ(target.at(240, 240), 0xABCDEFu);
    EXPECT_EQ(tile.img->x, 240);
    EXPECT_EQ(tile.img->y, 240);
    // An empty tile with zero steps must not stall the tiling.
    Picture none(0, 0);
    b->tile = none.img;
    b->stepX = b->stepY = 0;
    BACKMOVE_draw(b);
    BACKMOVE_advance(b);
    EXPECT_EQ(b->offsetX, 0);
    BACKMOVE* c = BACKMOVE_clone(b);
    EXPECT_TRUE(BACKMOVE_equal(b, c));
    BACKMOVE_free(&c);
    BACKMOVE_free(&b);
}

TEST(ArchpathRandomize, DrawsInOrder)
{
    RANDOM_srand(4242u);
    std::int32_t r[6];
    for (auto& v : r) v = RANDOM_rand15();
    RANDOM_srand(4242u);
    ARCHPATH* p = ARCHPATH_new();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->x, r[0] % 256);
    EXPECT_EQ(p->y, r[1] % 256);
    EXPECT_EQ(p->angle, r[2] & 1023);
    EXPECT_EQ(p->turn, (r[3] & 3) + 1);
    EXPECT_EQ(p->arcLength, (r[4] % 768 + 256) / p->turn);
    EXPECT_EQ(p->radius, (r[5] & 31) + 16);
    EXPECT_EQ(p->colour & 0x808080u, 0x808080u);
    ASSERT_NE(p->addSprite, nullptr);
    ASSERT_NE(p->scatterSprite, nullptr);
    IMG* a = p->addSprite;
    ARCHPATH_randomize(p);
    EXPECT_EQ(p->addSprite, a);   // a held sprite is kept
    IMG_free(&p->addSprite);
    IMG_free(&p->scatterSprite);
    ARCHPATH_free(&p);
}

TEST(ArchpathAdvance, QuarterTurnThenTheMirroredArcWithoutAJump)
{
    ARCHPATH* p = ARCHPATH_new();
    p->x = 128;
    p->y = 128;
    p->radius = 40;
    p->angle = 0;
    p->turn = 1;
    p->arcLength = 256;
    p->counter = 0;
    Picture pic(256, 256);
    std::int32_t lastX = -1, lastY = -1;
    for (std::int32_t n = 0; n < 512; ++n) {
        IMG_clear(pic.img, 0);
        ARCHPATH_plot(p, pic.img);
        std::int32_t x = -1, y = -1;
        for (std::int32_t i = 0; i < 256 * 256; ++i)
            if (pic.img->pixels[i] != 0) { x = i % 256; y = i / 256; }
        ASSERT_GE(x, 0);
        if (n == 0) { EXPECT_EQ(x, 128); EXPECT_EQ(y, 128 + 39); }
        if (n > 0) {
            EXPECT_LE(std::abs(x - lastX), 1) << n;
            EXPECT_LE(std::abs(y - lastY), 1) << n;
        }
        lastX = x;
        lastY = y;
        ARCHPATH_advance(p);
        if (n == 255) {
            EXPECT_EQ(p->turn, -1);
            EXPECT_EQ(p->angle, 768);
            EXPECT_EQ(p->counter, 0);
            EXPECT_EQ(p->x, 128 + 79);   // moved by twice the radius through the point
            EXPECT_EQ(p->y, 128);
        }
    }
    IMG_free(&p->addSprite);
    IMG_free(&p->scatterSprite);
    ARCHPATH_free(&p);
}

TEST(ArchpathDraw, PointAndSpriteWrapAcrossTheEdges)
{
    ARCHPATH* p = ARCHPATH_new();
    p->x = 250;
    p->y = 5;
    p->radius = 20;
    p->angle = 256;   // 32766 * 20 >> 15 = 19 to the right
    Picture pic(256, 256);
    ARCHPATH_plot(p, pic.img);
    EXPECT_EQ(pic.at(13, 5), p->colour);
    IMG_setSize(p->addSprite, 4, 4);
    IMG_clear(p->addSprite, 0x010101u);
    p->x = -21;   // the sprite's corner at x = -2, y = 5
    IMG_clear(pic.img, 0);
    ARCHPATH_drawAdd(p, pic.img);
    EXPECT_EQ(pic.count(0x010101u), 16);
    EXPECT_EQ(pic.at(0, 5), 0x010101u);
    EXPECT_EQ(pic.at(1, 8), 0x010101u);
    EXPECT_EQ(pic.at(254, 5), 0x010101u);
    EXPECT_EQ(pic.at(255, 8), 0x010101u);
    EXPECT_EQ(p->addSprite->x, -2);
    ARCHPATH* c = ARCHPATH_clone(p);
    EXPECT_TRUE(ARCHPATH_equal(p, c));
    EXPECT_EQ(c->addSprite, p->addSprite);
    ARCHPATH_free(&c);
    IMG_free(&p->addSprite);
    IMG_free(&p->scatterSprite);
    ARCHPATH_free(&p);
}
