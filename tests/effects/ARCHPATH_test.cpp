#include <gtest/gtest.h>

#include <cstdlib>

#include "effects/ARCHPATH.h"
#include "foundation/RANDOM.h"
#include "support/support.h"

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
    support::Picture pic(256, 256);
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
    support::Picture pic(256, 256);
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
