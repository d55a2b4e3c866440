#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "raster/IMG.h"
#include "vector/SEG2D.h"
#include "support/support.h"

namespace {

void place(SEG2D* s, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    s->start->x = x0;
    s->start->y = y0;
    s->end->x = x1;
    s->end->y = y1;
}

}  // namespace

TEST(Seg2dRecord, DefaultsCloneAndNullArguments)
{
    SEG2D* s = SEG2D_new();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->start->x, 0);
    EXPECT_EQ(s->end->x, 1);
    EXPECT_EQ(s->end->y, 1);
    EXPECT_EQ(s->end->colour, 0xFFFFFFu);
    place(s, -3, 4, 5, -6);
    SEG2D* c = SEG2D_clone(s);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(SEG2D_equal(s, c));
    c->end->colour = 0x123457;
    EXPECT_FALSE(SEG2D_equal(s, c));

    EXPECT_EQ(support::printed(SEG2D_debug, [&] {
        EXPECT_EQ(SEG2D_clone(nullptr), nullptr);
        EXPECT_EQ(SEG2D_intersects(s, nullptr), 0);
        SEG2D_draw(s, nullptr);
    }), "SEG2D error\nSEG2D error\nSEG2D error\n");
    SEG2D_free(&c);
    SEG2D_free(&s);
    EXPECT_EQ(s, nullptr);
}

TEST(Seg2dTransform, RotateTranslateMultiplyScale)
{
    SEG2D* s = SEG2D_new();
    place(s, 10, 0, 0, 10);
    SEG2D_rotate(s, 0);
    EXPECT_EQ(s->start->x, 10);
    // A quarter turn: sine 32766, cosine 0; the shift floors 9.99 and -9.99.
    SEG2D_rotate(s, 256);
    EXPECT_EQ(s->start->x, 0);
    EXPECT_EQ(s->start->y, 9);
    EXPECT_EQ(s->end->x, -10);
    EXPECT_EQ(s->end->y, 0);

    VEC2D v{3, -4, 0};
    SEG2D_translate(s, &v);
    EXPECT_EQ(s->start->x, 3);
    EXPECT_EQ(s->start->y, 5);
    EXPECT_EQ(s->end->x, -7);
    EXPECT_EQ(s->end->y, -4);
    SEG2D_multiply(s, -2);
    EXPECT_EQ(s->start->x, -6);
    EXPECT_EQ(s->end->y, 8);
    VEC2D f{2, 3, 0};
    SEG2D_scale(s, &f);
    EXPECT_EQ(s->start->x, -12);
    EXPECT_EQ(s->start->y, -30);
    EXPECT_EQ(s->end->x, 28);
    EXPECT_EQ(s->end->y, 24);

    // 32-bit wrap-around, defined.
    place(s, 0x40000000, INT_MAX, 0, 0);
    SEG2D_multiply(s, 4);
    EXPECT_EQ(s->start->x, 0);
    EXPECT_EQ(s->start->y, -4);
    VEC2D one{1, 1, 0};
    SEG2D_translate(s, &one);
    place(s, INT_MAX, 0, 0, 0);
    SEG2D_translate(s, &one);
    EXPECT_EQ(s->start->x, INT_MIN);
    SEG2D_free(&s);
}

TEST(Seg2dDraw, LinesUseTheStartColourAndPlotUsesBoth)
{
    support::Picture imagePicture(8, 8);
    IMG* image = imagePicture.img;
    SEG2D* s = SEG2D_new();
    place(s, 1, 2, 4, 2);
    s->start->colour = 0xFF0000;
    s->end->colour = 0x0000FF;
    SEG2D_draw(s, image);
    for (int x = 1; x <= 4; ++x) EXPECT_EQ(IMG_getPixel(image, x, 2), 0xFF0000u) << x;
    EXPECT_EQ(IMG_getPixel(image, 0, 2), 0u);
    EXPECT_EQ(IMG_getPixel(image, 5, 2), 0u);

    IMG_clear(image, 0);
    SEG2D_plot(s, image);
    EXPECT_EQ(IMG_getPixel(image, 1, 2), 0xFF0000u);
    EXPECT_EQ(IMG_getPixel(image, 4, 2), 0x0000FFu);
    EXPECT_EQ(IMG_getPixel(image, 2, 2), 0u);

    // Rotated copy: (1, 2)-(4, 2) turned a quarter becomes (-2, 0)-(-2, 3), then moved by (5, 1).
    IMG_clear(image, 0);
    VEC2D offset{5, 1, 0};
    SEG2D_drawRotated(s, 256, &offset, image);
    for (int y = 1; y <= 4; ++y) EXPECT_EQ(IMG_getPixel(image, 3, y), 0xFF0000u) << y;
    EXPECT_EQ(s->start->x, 1);   // unchanged
    EXPECT_EQ(s->end->x, 4);
    SEG2D_free(&s);
}

TEST(Seg2dDraw, AddAndAverageMixTheMiddleTwiceOnEvenLengths)
{
    support::Picture imagePicture(4, 1);
    IMG* image = imagePicture.img;
    SEG2D* s = SEG2D_new();
    place(s, 0, 0, 2, 0);
    s->start->colour = 0x101010;
    SEG2D_drawAdd(s, image);
    EXPECT_EQ(IMG_getPixel(image, 0, 0), 0x101010u);
    EXPECT_EQ(IMG_getPixel(image, 1, 0), 0x202020u);
    EXPECT_EQ(IMG_getPixel(image, 2, 0), 0x101010u);

    IMG_clear(image, 0);
    s->start->colour = 0x808080;
    SEG2D_drawAverage(s, image);
    EXPECT_EQ(IMG_getPixel(image, 0, 0), 0x404040u);
    EXPECT_EQ(IMG_getPixel(image, 1, 0), 0x606060u);
    EXPECT_EQ(IMG_getPixel(image, 3, 0), 0u);
    SEG2D_free(&s);
}

TEST(Seg2dTests, BoxesAndRangesTouchInclusively)
{
    SEG2D* a = SEG2D_new();
    SEG2D* b = SEG2D_new();
    place(a, 5, 5, 0, 0);       // reversed ends sort into the box 0..5
    place(b, 5, 9, 9, 5);       // shares only the corner (5, 5)
    EXPECT_EQ(SEG2D_boxesOverlap(a, b), 1);
    EXPECT_EQ(SEG2D_rangesOverlap(a, b), 1);
    place(b, 6, 0, 9, 5);       // one column right of a
    EXPECT_EQ(SEG2D_boxesOverlap(a, b), 0);
    EXPECT_EQ(SEG2D_rangesOverlap(a, b), 0);
    place(b, -9, 6, -1, 9);     // left and below
    EXPECT_EQ(SEG2D_boxesOverlap(a, b), 0);
    place(b, 2, -3, 3, 9);      // crosses a vertically
    EXPECT_EQ(SEG2D_boxesOverlap(a, b), 1);
    EXPECT_EQ(SEG2D_rangesOverlap(a, b), 1);
    SEG2D_free(&a);
    SEG2D_free(&b);
}

TEST(Seg2dTests, IntersectsInFixedPoint)
{
    SEG2D* a = SEG2D_new();
    SEG2D* b = SEG2D_new();
    place(a, 0, 0, 10, 10);
    place(b, 0, 10, 10, 0);
    EXPECT_EQ(SEG2D_intersects(a, b), 1);          // cross at x = 5
    place(a, 0, 0, 4, 4);
    place(b, 6, 4, 10, 0);
    EXPECT_EQ(SEG2D_intersects(a, b), 0);          // lines meet at x = 5, outside a

    // Crossing at x = 0, a's end: inclusive left to right, exclusive right to left.
    place(a, 0, 0, 10, 10);
    place(b, -5, 5, 5, -5);
    EXPECT_EQ(SEG2D_intersects(a, b), 1);
    place(a, 10, 10, 0, 0);
    EXPECT_EQ(SEG2D_intersects(a, b), 0);

    // A vertical segment counts its run as 1.
    place(a, 5, 0, 5, 10);
    place(b, 0, 5, 10, 5);
    EXPECT_EQ(SEG2D_intersects(a, b), 1);

    // Equal slopes: different offsets never meet; the same line meets where the ranges do.
    place(a, 0, 0, 4, 4);
    place(b, 0, 1, 4, 5);
    EXPECT_EQ(SEG2D_intersects(a, b), 0);
    place(b, 4, 4, 8, 8);
    EXPECT_EQ(SEG2D_intersects(a, b), 1);
    place(b, 5, 5, 8, 8);
    EXPECT_EQ(SEG2D_intersects(a, b), 0);

    // Extreme coordinates wrap without undefined behaviour.
    place(a, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    place(b, INT_MAX, INT_MIN, INT_MIN + 1, INT_MAX);
    (void)SEG2D_intersects(a, b);
    place(b, 0, INT_MIN, -1, 0);
    (void)SEG2D_intersects(a, b);
    SEG2D_free(&a);
    SEG2D_free(&b);
}
