#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "raster/CIRCLE.h"
#include "raster/IMG.h"
#include "support/support.h"

using support::Picture;

TEST(CircleRecord, DefaultsCloneAndNull)
{
    CIRCLE* c = CIRCLE_new();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->radius, 1);
    EXPECT_EQ(c->colour, 0xFFFFFFu);
    c->radius = -4;
    CIRCLE* d = CIRCLE_clone(c);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(CIRCLE_equal(c, d));
    d->radius = 4;
    EXPECT_FALSE(CIRCLE_equal(c, d));
    EXPECT_EQ(support::printed(CIRCLE_debug, [&] { CIRCLE_fillBlend(c, nullptr, 64); }), "CIRCLE error\n");
    CIRCLE_free(&d);
    CIRCLE_free(&c);
    EXPECT_EQ(c, nullptr);
}

// 0xFEFEFE at alpha 128 over black gives 0x7F7F7F once (twice: 0xBE), over the disc CIRCLE_fill
// paints, whole and clipped on every side, either side of the radius where the row table ends.
TEST(CircleFillBlend, EveryRowOnceAndTheSameDiscAsTheFill)
{
    Picture blended(100, 100);
    Picture filled(100, 100);
    CIRCLE* c = CIRCLE_new();
    c->colour = 0xFEFEFE;
    for (std::int32_t r = 0; r <= 140; r += r < 48 ? 1 : 3) {
        for (const auto& [cx, cy] : {std::pair{50, 50}, std::pair{3, 50}, std::pair{50, 97}, std::pair{-20, -30}}) {
            IMG_clear(blended.img, 0);
            IMG_clear(filled.img, 0);
            c->centre->x = cx;
            c->centre->y = cy;
            c->radius = (r % 2 == 0) ? r : -r;
            CIRCLE_fillBlend(c, blended.img, 128);
            if (r > 0) CIRCLE_fill(c, filled.img);
            for (std::int32_t i = 0; i < 100 * 100; ++i)
                ASSERT_EQ(blended.img->pixels[i], filled.img->pixels[i] != 0 ? 0x7F7F7Fu : 0u) << "r " << r << " pixel " << i;
        }
    }
    CIRCLE_free(&c);
}

// A disc reaching only the image's first column; radii at the ends of the 32-bit
// range, without overflow: one disc just misses the image, one just covers it.
TEST(CircleFillBlend, HugeRadiiCoverTheImage)
{
    Picture image(5, 5);
    CIRCLE* c = CIRCLE_new();
    c->centre->y = 2;
    struct Case {
        std::int32_t centreX, radius, covered;
    };
    for (const Case& k : {Case{-3, 3, 3}, Case{2, 100000, 25}, Case{INT_MIN, INT_MAX, 0}, Case{INT_MAX, INT_MIN, 25}}) {
        IMG_clear(image.img, 0);
        c->centre->x = k.centreX;
        c->radius = k.radius;
        CIRCLE_fillBlend(c, image.img, 256);
        EXPECT_EQ(image.count(0xFFFFFF), k.covered) << k.centreX << " " << k.radius;
    }
    CIRCLE_free(&c);
}

// The outlines are the image's; the sine one needs a radius of 1 or more.
TEST(CircleDraw, OutlinesAtTheCentreAndTheSineNeedsAPositiveRadius)
{
    Picture image(32, 32);
    CIRCLE* c = CIRCLE_new();
    c->centre->x = 16;
    c->centre->y = 12;
    c->radius = 0;
    CIRCLE_drawSine(c, image.img);
    EXPECT_EQ(image.count(0), 32 * 32);
    c->radius = 5;
    CIRCLE_drawSine(c, image.img);
    EXPECT_EQ(image.at(16 + 4 - 1, 12), 0xFFFFFFu);   // 5 * 32766 >> 15 = 4, the right point one left
    CIRCLE_draw(c, image.img);
    EXPECT_EQ(image.at(16, 7), 0xFFFFFFu);
    CIRCLE_free(&c);
}

TEST(CircleOverlap, TouchingCountsAndLargeValuesAreExact)
{
    struct Case {
        std::int32_t ax, ar, bx, by, br;
        bool overlap;
    };
    const Case cases[] = {
        {0, 3, 3, 4, 2, true},    // distance 5 = 3 + 2
        {0, 3, 3, 5, 2, false},
        {INT_MIN, INT_MAX, INT_MAX, 0, INT_MAX, false},   // 2^32 - 1 > 2^32 - 2
        {INT_MIN + 1, INT_MAX, INT_MAX, 0, INT_MAX, true},
    };
    CIRCLE* a = CIRCLE_new();
    CIRCLE* b = CIRCLE_new();
    for (const Case& c : cases) {
        a->centre->x = c.ax;
        a->radius = c.ar;
        b->centre->x = c.bx;
        b->centre->y = c.by;
        b->radius = c.br;
        EXPECT_EQ(CIRCLE_overlap(a, b), c.overlap) << c.ax << " " << c.bx << "," << c.by;
    }
    CIRCLE_free(&a);
    CIRCLE_free(&b);
}
