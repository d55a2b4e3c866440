#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <utility>

#include "raster/CIRCLE.h"
#include "raster/IMG.h"
#include "support/support.h"

namespace {

IMG* blackImage(std::int32_t w, std::int32_t h)
{
    IMG* image = IMG_new();
    IMG_setSize(image, w, h);
    return image;
}

}  // namespace

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

// Blending 0xFEFEFE at alpha 128 over black gives exactly 0x7F7F7F once; a
// second blend of the same row would give 0xBE. The blended pixels must be
// exactly the disc CIRCLE_fill paints, rows cy - r .. cy + r, for discs whole
// and clipped on every side, on both sides of the radius where the rows stop
// coming from a table and are walked for each disc.
TEST(CircleFillBlend, EveryRowOnceAndTheSameDiscAsTheFill)
{
    IMG* blended = blackImage(100, 100);
    IMG* filled = blackImage(100, 100);
    CIRCLE* c = CIRCLE_new();
    c->colour = 0xFEFEFE;
    for (std::int32_t r = 0; r <= 140; r += r < 48 ? 1 : 3) {
        for (const auto& [cx, cy] : {std::pair{50, 50}, std::pair{3, 50}, std::pair{50, 97}, std::pair{-20, -30}}) {
            IMG_clear(blended, 0);
            IMG_clear(filled, 0);
            c->centre->x = cx;
            c->centre->y = cy;
            c->radius = (r % 2 == 0) ? r : -r;
            CIRCLE_fillBlend(c, blended, 128);
            CIRCLE_fill(c, filled);
            std::int32_t covered = 0;
            for (std::int32_t i = 0; i < 100 * 100; ++i) {
                const std::uint32_t p = blended->pixels[i];
                ASSERT_TRUE(p == 0 || p == 0x7F7F7Fu) << "r " << r << " pixel " << i;
                if (r > 0) {
                    ASSERT_EQ(p != 0, filled->pixels[i] != 0) << "r " << r << " pixel " << i;
                }
                covered += p != 0 ? 1 : 0;
            }
            if (r == 0) {
                EXPECT_EQ(covered, 0);   // a radius of 0 blends nothing
                continue;
            }
            if (cx < 0) continue;
            for (std::int32_t y = std::max(cy - r, 0); y <= std::min(cy + r, 99); ++y) {
                EXPECT_EQ(IMG_getPixel(blended, cx, y), 0x7F7F7Fu) << "r " << r << " row " << y;
            }
            if (cy - r - 1 >= 0) { EXPECT_EQ(IMG_getPixel(blended, cx, cy - r - 1), 0u); }
            if (cy + r + 1 < 100) { EXPECT_EQ(IMG_getPixel(blended, cx, cy + r + 1), 0u); }
        }
    }
    CIRCLE_free(&c);
    IMG_free(&filled);
    IMG_free(&blended);
}

TEST(CircleFillBlend, RadiusOneIsAPlusAndHugeRadiiCoverTheImage)
{
    IMG* image = blackImage(5, 5);
    CIRCLE* c = CIRCLE_new();
    c->centre->x = 2;
    c->centre->y = 2;
    c->colour = 0xFEFEFE;
    CIRCLE_fillBlend(c, image, 128);
    const char* expected[5] = {".....", "..#..", ".###.", "..#..", "....."};
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(IMG_getPixel(image, x, y), expected[y][x] == '#' ? 0x7F7F7Fu : 0u) << x << "," << y;
        }
    }
    c->radius = 100000;
    IMG_clear(image, 0);
    CIRCLE_fillBlend(c, image, 256);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(image->pixels[i], 0xFEFEFEu);
    // Radii at the ends of the 32-bit range, without overflow: one disc just
    // misses the image, one just covers it.
    c->radius = INT_MAX;
    c->centre->x = INT_MIN;
    IMG_clear(image, 0);
    CIRCLE_fillBlend(c, image, 256);
    EXPECT_EQ(IMG_getPixel(image, 0, 2), 0u);
    c->radius = INT_MIN;
    c->centre->x = INT_MAX;
    CIRCLE_fillBlend(c, image, 256);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(image->pixels[i], 0xFEFEFEu);
    CIRCLE_free(&c);
    IMG_free(&image);
}

TEST(CircleDraw, SineOutlineNeedsAPositiveRadius)
{
    IMG* image = blackImage(32, 32);
    CIRCLE* c = CIRCLE_new();
    c->centre->x = 16;
    c->centre->y = 16;
    c->radius = 0;
    CIRCLE_drawSine(c, image);
    c->radius = -5;
    CIRCLE_drawSine(c, image);
    for (int i = 0; i < 32 * 32; ++i) ASSERT_EQ(image->pixels[i], 0u);
    c->radius = 5;
    CIRCLE_drawSine(c, image);
    // Angle 0: s = 0, c = 4 (5 * 32766 >> 15): the right point is shifted one left.
    EXPECT_EQ(IMG_getPixel(image, 16 + 4 - 1, 16), 0xFFFFFFu);
    EXPECT_EQ(IMG_getPixel(image, 16 - 4, 16), 0xFFFFFFu);
    CIRCLE_draw(c, image);
    EXPECT_EQ(IMG_getPixel(image, 21, 16), 0xFFFFFFu);
    EXPECT_EQ(IMG_getPixel(image, 16, 11), 0xFFFFFFu);
    CIRCLE_free(&c);
    IMG_free(&image);
}

TEST(CircleOverlap, TouchingCountsAndLargeValuesAreExact)
{
    CIRCLE* a = CIRCLE_new();
    CIRCLE* b = CIRCLE_new();
    a->radius = 3;
    b->radius = 2;
    b->centre->x = 3;
    b->centre->y = 4;   // distance 5 = 3 + 2
    EXPECT_TRUE(CIRCLE_overlap(a, b));
    b->centre->y = 5;
    EXPECT_FALSE(CIRCLE_overlap(a, b));
    // Radii and offsets near the 32-bit limits.
    a->radius = INT_MAX;
    b->radius = INT_MAX;
    a->centre->x = INT_MIN;
    b->centre->x = INT_MAX;
    b->centre->y = 0;
    EXPECT_FALSE(CIRCLE_overlap(a, b));   // 2^32 - 2 < 2^32 - 1
    b->radius = INT_MAX;
    a->centre->x = INT_MIN + 1;
    EXPECT_TRUE(CIRCLE_overlap(a, b));
    CIRCLE_free(&a);
    CIRCLE_free(&b);
}
