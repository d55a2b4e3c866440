#include <gtest/gtest.h>

#include <climits>

#include "foundation/VEC2D.h"
#include "support/support.h"

TEST(Vec2dRotate, QuarterAndHalfTurnsRoundDown)
{
    VEC2D v{100, 0, 0xFFFFFF};
    VEC2D_rotate(&v, 0);
    EXPECT_EQ(v.x, 100);
    EXPECT_EQ(v.y, 0);
    VEC2D_rotate(&v, 256);
    EXPECT_EQ(v.x, 0);
    EXPECT_EQ(v.y, 99);
    VEC2D w{100, 0, 0};
    VEC2D_rotate(&w, 512);   // cosine -32766: -99.99 rounds to -100
    EXPECT_EQ(w.x, -100);
    EXPECT_EQ(w.y, 0);
    VEC2D_rotate(&w, -256 + 1024 * 3);   // the angle is taken modulo 1024
    EXPECT_EQ(w.x, 0);
    EXPECT_EQ(w.y, 99);
}

TEST(Vec2dArithmetic, WhichArgumentChanges)
{
    VEC2D* a = VEC2D_new();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->x, 0);
    EXPECT_EQ(a->y, 0);
    EXPECT_EQ(a->colour, 0xFFFFFFu);
    VEC2D b{3, 4, 0};
    a->x = 10;
    a->y = 20;
    VEC2D_add(a, &b);   // the second changes
    EXPECT_EQ(b.x, 13);
    EXPECT_EQ(b.y, 24);
    EXPECT_EQ(a->x, 10);
    VEC2D_sub(a, &b);   // the first changes
    EXPECT_EQ(a->x, -3);
    EXPECT_EQ(a->y, -4);
    EXPECT_EQ(VEC2D_lengthSquared(a), 25);
    EXPECT_EQ(VEC2D_dx(&b, a), 16);
    EXPECT_EQ(VEC2D_dy(&b, a), 28);
    VEC2D_multiply(a, -3);
    VEC2D_divide(a, 2);   // (9, 12) / 2 truncates
    EXPECT_EQ(a->x, 4);
    EXPECT_EQ(a->y, 6);
    VEC2D_negate(a);
    VEC2D_divide(a, 4);   // toward zero, not down
    EXPECT_EQ(a->x, -1);
    EXPECT_EQ(a->y, -1);
    VEC2D k{2, -3, 0};
    VEC2D_scale(a, &k);
    EXPECT_EQ(a->x, -2);
    EXPECT_EQ(a->y, 3);
    VEC2D* c = VEC2D_clone(a);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(VEC2D_equal(a, c));
    c->colour = 1;
    EXPECT_FALSE(VEC2D_equal(a, c));
    VEC2D_copy(a, c);
    EXPECT_TRUE(VEC2D_equal(a, c));
    VEC2D_free(&a);
    VEC2D_free(&c);
    EXPECT_EQ(a, nullptr);
}

TEST(Vec2dArithmetic, BadInputIsReportedAndOverflowWraps)
{
    VEC2D v{7, -7, 0};
    EXPECT_EQ(support::printed(VEC2D_debug, [&] {
                  VEC2D_divide(&v, 0);
                  EXPECT_EQ(VEC2D_lengthSquared(nullptr), -1);
                  VEC2D_add(nullptr, &v);
              }),
              "VEC2D error\nVEC2D error\nVEC2D error\n");
    EXPECT_EQ(v.x, 7);
    EXPECT_EQ(v.y, -7);
    VEC2D m{INT_MIN, INT_MAX, 0};
    VEC2D_divide(&m, -1);
    EXPECT_EQ(m.x, INT_MIN);
    EXPECT_EQ(m.y, -INT_MAX);
    VEC2D_multiply(&m, 2);
    EXPECT_EQ(m.x, 0);
    EXPECT_EQ(m.y, 2);
}

TEST(Vec2dPlot, RotatedCopyMovedByTheOffset)
{
    support::Picture picture(16, 16);
    IMG* image = picture.img;
    VEC2D v{10, 0, 0x123456};
    VEC2D offset{5, 5, 0};
    VEC2D_plotRotated(&v, 256, &offset, image);   // (0, 9) + (5, 5)
    EXPECT_EQ(IMG_getPixel(image, 5, 14), 0x123456u);
    EXPECT_EQ(v.x, 10);
    EXPECT_EQ(v.y, 0);
    VEC2D_plot(&v, image);
    EXPECT_EQ(IMG_getPixel(image, 10, 0), 0x123456u);
    VEC2D far{-1, 16, 0xFF};
    VEC2D_plot(&far, image);   // clipped
    std::int32_t lit = 0;
    for (std::int32_t i = 0; i < 256; ++i) lit += image->pixels[i] != 0;
    EXPECT_EQ(lit, 2);
}
