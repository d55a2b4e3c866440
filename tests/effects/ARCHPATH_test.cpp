#include <gtest/gtest.h>

#include <cstdlib>

#include "effects/ARCHPATH.h"
#include "support/support.h"

namespace {

// A path with its two sprites freed with it.
struct Path {
    ARCHPATH* p = ARCHPATH_new();
    Path() = default;
    ~Path()
    {
        IMG_free(&p->addSprite);
        IMG_free(&p->scatterSprite);
        ARCHPATH_free(&p);
    }
    Path(const Path&) = delete;
    Path& operator=(const Path&) = delete;
    ARCHPATH* operator->() { return p; }
};

}  // namespace

TEST(ArchpathAdvance, QuarterTurnThenTheMirroredArcWithoutAJump)
{
    Path p;
    EXPECT_EQ(p->colour & 0x808080u, 0x808080u);
    IMG* held = p->addSprite;
    ARCHPATH_randomize(p.p);
    EXPECT_EQ(p->addSprite, held);   // a held sprite is kept
    p->x = p->y = 128;
    p->radius = 40;
    p->angle = 0;
    p->turn = 1;
    p->arcLength = 256;
    support::Picture pic(256, 256);
    std::int32_t lastX = 128, lastY = 128 + 39;
    for (std::int32_t n = 0; n < 512; ++n) {
        IMG_clear(pic.img, 0);
        ARCHPATH_plot(p.p, pic.img);
        std::int32_t i = 0;
        while (i < 256 * 256 - 1 && pic.img->pixels[i] == 0) ++i;
        EXPECT_LE(std::abs(i % 256 - lastX), 1) << n;
        EXPECT_LE(std::abs(i / 256 - lastY), 1) << n;
        lastX = i % 256;
        lastY = i / 256;
        ARCHPATH_advance(p.p);
        if (n == 255) {
            EXPECT_EQ(p->turn, -1);
            EXPECT_EQ(p->angle, 768);
            EXPECT_EQ(p->counter, 0);
            EXPECT_EQ(p->x, 128 + 79);   // moved by twice the radius through the point
            EXPECT_EQ(p->y, 128);
        }
    }
}

TEST(ArchpathDraw, PointAndSpriteWrapAcrossTheEdges)
{
    Path p;
    p->x = 250;
    p->y = 5;
    p->radius = 20;
    p->angle = 256;   // 32766 * 20 >> 15 = 19 to the right
    support::Picture pic(256, 256);
    ARCHPATH_plot(p.p, pic.img);
    EXPECT_EQ(pic.at(13, 5), p->colour);
    IMG_setSize(p->addSprite, 4, 4);
    IMG_clear(p->addSprite, 0x010101u);
    p->x = -21;   // the sprite's corner at x = -2, y = 5
    IMG_clear(pic.img, 0);
    ARCHPATH_drawAdd(p.p, pic.img);
    EXPECT_EQ(pic.count(0x010101u), 16);
    for (auto [x, y] : {std::pair{0, 5}, {1, 8}, {254, 5}, {255, 8}}) EXPECT_EQ(pic.at(x, y), 0x010101u) << x << "," << y;
    EXPECT_EQ(p->addSprite->x, -2);
    ARCHPATH* c = ARCHPATH_clone(p.p);
    EXPECT_TRUE(ARCHPATH_equal(p.p, c));
    EXPECT_EQ(c->addSprite, p->addSprite);
    ARCHPATH_free(&c);
}
