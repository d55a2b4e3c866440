#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "raster/IMG.h"
#include "raster/RECT.h"
#include "support/support.h"

namespace {

IMG* blackImage(std::int32_t w, std::int32_t h)
{
    IMG* image = IMG_new();
    IMG_setSize(image, w, h);
    return image;
}

void corners(RECT* r, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    r->corners->start->x = x0;
    r->corners->start->y = y0;
    r->corners->end->x = x1;
    r->corners->end->y = y1;
}

std::int32_t countNonZero(const IMG* image)
{
    std::int32_t n = 0;
    for (std::int32_t i = 0; i < image->width * image->height; ++i) n += image->pixels[i] != 0 ? 1 : 0;
    return n;
}

}  // namespace

TEST(RectRecord, DefaultsCopyCloneAndNull)
{
    RECT* r = RECT_new();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->corners->start->x, 0);
    EXPECT_EQ(r->corners->start->y, 0);
    EXPECT_EQ(r->corners->end->x, 255);
    EXPECT_EQ(r->corners->end->y, 255);
    EXPECT_EQ(r->colour, 0xFFFFFFu);

    corners(r, 3, 4, 5, 6);
    r->colour = 0x102030;
    RECT* c = RECT_clone(r);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(RECT_equal(r, c));
    c->colour = 0x102031;
    EXPECT_FALSE(RECT_equal(r, c));
    RECT_copy(r, c);
    EXPECT_TRUE(RECT_equal(r, c));

    EXPECT_EQ(support::printed(RECT_debug, [&] {
                  RECT_draw(nullptr, nullptr);
                  RECT_hSpan(nullptr, 0, 0, 0, 0);
                  EXPECT_FALSE(RECT_overlap(r, nullptr));
              }),
              "RECT error\nRECT error\nRECT error\n");

    RECT_free(&c);
    RECT_free(&r);
    EXPECT_EQ(r, nullptr);
}

TEST(RectDraw, ReversedCornersFlipOntoTheStartCorner)
{
    IMG* image = blackImage(16, 16);
    RECT* r = RECT_new();
    corners(r, 10, 10, 5, 5);   // width and height 5 - 10 + 1 = -4: columns and rows 6..9
    r->colour = 0x00FF00;
    RECT_draw(r, image);
    EXPECT_EQ(countNonZero(image), 12);
    for (int k = 6; k <= 9; ++k) {
        EXPECT_EQ(IMG_getPixel(image, k, 6), 0x00FF00u) << k;
        EXPECT_EQ(IMG_getPixel(image, k, 9), 0x00FF00u) << k;
        EXPECT_EQ(IMG_getPixel(image, 6, k), 0x00FF00u) << k;
        EXPECT_EQ(IMG_getPixel(image, 9, k), 0x00FF00u) << k;
    }
    IMG_clear(image, 0);
    RECT_fill(r, image);
    EXPECT_EQ(countNonZero(image), 16);
    EXPECT_EQ(IMG_getPixel(image, 7, 8), 0x00FF00u);
    EXPECT_EQ(IMG_getPixel(image, 10, 10), 0u);
    RECT_free(&r);
    IMG_free(&image);
}

TEST(RectDraw, OutlineClippedAtTheTopLeftLosesThoseSides)
{
    IMG* image = blackImage(256, 256);
    RECT* r = RECT_new();
    corners(r, -1, -1, 8, 8);   // IMG_drawRect (-1, -1, 10, 10)
    RECT_draw(r, image);
    EXPECT_EQ(countNonZero(image), 17);
    for (int k = 0; k <= 8; ++k) {
        EXPECT_EQ(IMG_getPixel(image, k, 8), 0xFFFFFFu) << k;
        EXPECT_EQ(IMG_getPixel(image, 8, k), 0xFFFFFFu) << k;
    }
    // Corners at the ends of the 32-bit range: sizes wrap, nothing undefined.
    corners(r, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    RECT_fill(r, image);
    RECT_fillBlend(r, image, 128);
    RECT_free(&r);
    IMG_free(&image);
}

TEST(RectDraw, FillBlendHalvesWhiteOverBlack)
{
    IMG* image = blackImage(8, 8);
    RECT* r = RECT_new();
    corners(r, 6, 1, 2, 3);   // width -3 flips to columns 3..5
    RECT_fillBlend(r, image, 128);
    EXPECT_EQ(countNonZero(image), 9);
    EXPECT_EQ(IMG_getPixel(image, 3, 1), 0x7F7F7Fu);
    EXPECT_EQ(IMG_getPixel(image, 5, 3), 0x7F7F7Fu);
    EXPECT_EQ(IMG_getPixel(image, 6, 3), 0u);
    RECT_free(&r);
    IMG_free(&image);
}

TEST(RectShape, NormalizeAndOverlap)
{
    RECT* a = RECT_new();
    RECT* b = RECT_new();
    corners(a, 9, 2, 1, 7);
    RECT_normalize(a);
    EXPECT_EQ(a->corners->start->x, 1);
    EXPECT_EQ(a->corners->end->x, 9);
    EXPECT_EQ(a->corners->start->y, 2);
    EXPECT_EQ(a->corners->end->y, 7);
    corners(b, 9, 7, 12, 12);   // touches a's corner
    EXPECT_TRUE(RECT_overlap(a, b));
    corners(b, 10, 7, 12, 12);
    EXPECT_FALSE(RECT_overlap(a, b));
    RECT_free(&a);
    RECT_free(&b);
}

TEST(RectSpan, ClippedWithoutSwapping)
{
    IMG* image = blackImage(6, 4);
    RECT_hSpan(image, 0x111111, 1, 4, 2);   // x0 > x1: nothing
    RECT_hSpan(image, 0x111111, -1, 0, 5);  // row outside: nothing
    RECT_hSpan(image, 0x111111, 4, 0, 5);
    EXPECT_EQ(countNonZero(image), 0);
    RECT_hSpan(image, 0x111111, 1, -7, 100);
    EXPECT_EQ(countNonZero(image), 6);
    EXPECT_EQ(IMG_getPixel(image, 0, 1), 0x111111u);
    EXPECT_EQ(IMG_getPixel(image, 5, 1), 0x111111u);

    RECT_vSpan(image, 0x222222, 5, -3, 2);
    RECT_vSpan(image, 0x222222, 6, 0, 3);   // column outside
    EXPECT_EQ(IMG_getPixel(image, 5, 0), 0x222222u);
    EXPECT_EQ(IMG_getPixel(image, 5, 2), 0x222222u);
    EXPECT_EQ(IMG_getPixel(image, 5, 3), 0u);
    EXPECT_EQ(countNonZero(image), 8);

    // old 0x111111 with 0xFF0000 at alpha 64: red (0x11 * 192 + 0xFF * 64) >> 8 = 0x4C, others 0x0C.
    RECT_blendHSpan(image, 0xFF0000, 1, 1, 2, 64);
    EXPECT_EQ(IMG_getPixel(image, 1, 1), 0x4C0C0Cu);
    EXPECT_EQ(IMG_getPixel(image, 2, 1), 0x4C0C0Cu);
    EXPECT_EQ(IMG_getPixel(image, 0, 1), 0x111111u);
    EXPECT_EQ(IMG_getPixel(image, 3, 1), 0x111111u);
    IMG_free(&image);
}
