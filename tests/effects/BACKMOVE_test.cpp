#include <gtest/gtest.h>

#include "effects/BACKMOVE.h"
#include "support/support.h"

TEST(BackmoveAdvance, OffsetsStayInRangeForBothSigns)
{
    BACKMOVE* b = BACKMOVE_new();
    support::Picture tile(16, 16), target(64, 64);
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
