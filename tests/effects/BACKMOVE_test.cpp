#include <gtest/gtest.h>

#include "effects/BACKMOVE.h"
#include "support/support.h"

TEST(BackmoveAdvance, OffsetsMoveIntoMinusStepToZero)
{
    BACKMOVE* b = BACKMOVE_new();
    support::Picture tile(16, 16), target(64, 64);
    b->tile = tile.img;
    b->target = target.img;
    struct Row { std::int32_t offset, speed, want; };
    const Row rows[] = {{0, 7, -9}, {0, -7, -7}, {-9, -7, 0}, {-15, -1, 0}, {-1, 1, 0}, {-15, 17, -14}};
    for (const Row& r : rows) {
        b->offsetX = r.offset;
        b->speedX = r.speed;
        BACKMOVE_advance(b);
        EXPECT_EQ(b->offsetX, r.want) << r.offset << " + " << r.speed;
    }
    // Now and then a speed is drawn again, from -3 .. 4.
    b->speedX = b->speedY = 0;
    for (std::int32_t n = 0; n < 3000; ++n) {
        BACKMOVE_advance(b);
        EXPECT_TRUE(b->speedX >= -3 && b->speedX <= 4 && b->speedY >= -3 && b->speedY <= 4) << n;
    }
    BACKMOVE_free(&b);
}

TEST(BackmoveDraw, SixteenPixelTileCoversTheFrameWith256Tiles)
{
    BACKMOVE* b = BACKMOVE_new();
    support::Picture tile(16, 16), target(256, 256);
    IMG_putPixel(tile.img, 0, 0, 0xABCDEFu);
    b->tile = tile.img;
    b->target = target.img;
    BACKMOVE_draw(b);
    EXPECT_EQ(target.count(0xABCDEFu), 256);
    EXPECT_EQ(target.at(240, 240), 0xABCDEFu);
    EXPECT_EQ(tile.img->x, 240);
    EXPECT_EQ(tile.img->y, 240);
    // An empty tile with zero steps must not stall the tiling.
    support::Picture none(0, 0);
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
