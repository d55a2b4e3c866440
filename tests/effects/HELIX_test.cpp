#include <gtest/gtest.h>

#include <vector>

#include "effects/HELIX.h"
#include "foundation/RANDOM.h"
#include "support/support.h"

using support::Picture;

TEST(HelixRecord, DrawsInOrderAndAdvanceWraps)
{
    RANDOM_srand(7u);
    HELIX* h = HELIX_new();   // phase, speed, step, amplitude, offset, colour; the shade is half the colour
    EXPECT_EQ((std::vector<std::int64_t>{h->phase, h->speed, h->step, h->amplitude, h->offset, h->colour, h->shade}),
              (std::vector<std::int64_t>{14, 8, 5, 46, 115, 0xE9EEF9, 0x74777C}));
    // Advancing wraps both ways.
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
