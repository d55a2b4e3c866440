#include <gtest/gtest.h>

#include "effects/HELIX.h"
#include "foundation/RANDOM.h"
#include "support/support.h"

using support::Picture;

TEST(HelixRandomize, RangesAndShade)
{
    RANDOM_srand(7u);
    for (std::int32_t n = 0; n < 50; ++n) {
        HELIX* h = HELIX_new();
        EXPECT_TRUE(h->speed >= 8 && h->speed <= 31) << h->speed;
        EXPECT_TRUE(h->amplitude >= 16 && h->amplitude <= 115) << h->amplitude;
        EXPECT_TRUE(h->offset >= 64 && h->offset <= 126) << h->offset;
        EXPECT_EQ(h->colour & 0x808080u, 0x808080u);
        EXPECT_EQ(h->shade, (h->colour & 0xFEFEFEu) >> 1);
        HELIX_free(&h);
    }
}

TEST(HelixAdvance, WrapsBothWays)
{
    HELIX* h = HELIX_new();
    h->phase = 1020;
    h->speed = 31;
    HELIX_advance(h);
    EXPECT_EQ(h->phase, 27);
    h->speed = -100;
    HELIX_advance(h);
    EXPECT_EQ(h->phase, 951);
    HELIX* c = HELIX_clone(h);
    EXPECT_TRUE(HELIX_equal(h, c));
    c->spare = 1;
    EXPECT_FALSE(HELIX_equal(h, c));
    HELIX_free(&c);
    HELIX_free(&h);
}

TEST(HelixDraw, FlatStrandsMeetOnTheMiddleLine)
{
    HELIX* h = HELIX_new();
    h->amplitude = 0;
    Picture v(16, 12);
    HELIX_drawBandV(h, v.img);
    Picture hz(12, 16);
    HELIX_drawBandH(h, hz.img);
    for (std::int32_t i = 0; i < 16; ++i)
        for (std::int32_t j = 0; j < 12; ++j) {
            EXPECT_EQ(v.at(i, j), j == 6 ? h->colour : 0u);
            EXPECT_EQ(hz.at(j, i), j == 6 ? h->colour : 0u);
        }
    // Twists draw only where the strand moves.
    Picture t(16, 16);
    HELIX_drawTwistH(h, t.img);
    HELIX_drawTwistV(h, t.img);
    HELIX_drawTwistVBack(h, t.img);
    EXPECT_EQ(t.count(0), 256);
    h->amplitude = 40;
    h->phase = 0;
    h->step = 8;
    HELIX_drawTwistH(h, t.img);
    EXPECT_LT(t.count(0), 256);
    HELIX_free(&h);
}
