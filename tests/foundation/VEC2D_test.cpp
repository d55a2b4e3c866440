#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "foundation/VEC2D.h"
#include "support/support.h"

namespace {

using XY = std::pair<std::int32_t, std::int32_t>;
XY xy(const VEC2D& v) { return {v.x, v.y}; }

}  // namespace

TEST(Vec2dRotate, QuarterAndHalfTurnsRoundDown)
{
    struct Case { std::int32_t angle; XY want; };
    for (const Case& c : {Case{0, {100, 0}}, {256, {0, 99}}, {512, {-100, 0}},   // cosine -32766: -99.99 rounds to -100
                         {-256 + 1024 * 3, {0, -100}}}) {                       // the angle is taken modulo 1024
        VEC2D v{100, 0, 0};
        VEC2D_rotate(&v, c.angle);
        EXPECT_EQ(xy(v), c.want) << c.angle;
    }
}

TEST(Vec2dArithmetic, WhichArgumentChangesAndHowItRounds)
{
    VEC2D* a = VEC2D_new(10, 20);
    ASSERT_NE(a, nullptr);
    VEC2D b{3, 4, 0};
    VEC2D_add(a, &b);   // the second changes
    EXPECT_EQ(xy(b), XY(13, 24));
    VEC2D_sub(a, &b);   // the first changes
    EXPECT_EQ(xy(*a), XY(-3, -4));
    EXPECT_EQ(VEC2D_lengthSquared(a), 25);
    EXPECT_EQ(VEC2D_dx(&b, a), 16);
    EXPECT_EQ(VEC2D_dy(&b, a), 28);
    VEC2D_multiply(a, -3);
    VEC2D_divide(a, 2);   // (9, 12) / 2 truncates
    EXPECT_EQ(xy(*a), XY(4, 6));
    VEC2D_negate(a);
    VEC2D_divide(a, 4);   // toward zero, not down
    EXPECT_EQ(xy(*a), XY(-1, -1));
    VEC2D k{2, -3, 0};
    VEC2D_scale(a, &k);
    EXPECT_EQ(xy(*a), XY(-2, 3));
    VEC2D* c = VEC2D_clone(a);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(VEC2D_equal(a, c));
    c->colour = 1;        // the colour counts
    EXPECT_FALSE(VEC2D_equal(a, c));
    VEC2D_copy(a, c);
    EXPECT_TRUE(VEC2D_equal(a, c));
    VEC2D_free(&a);
    VEC2D_free(&c);
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
    EXPECT_EQ(xy(v), XY(7, -7));
    VEC2D m{INT_MIN, INT_MAX, 0};
    VEC2D_divide(&m, -1);
    EXPECT_EQ(xy(m), XY(INT_MIN, -INT_MAX));
    VEC2D_multiply(&m, 2);
    EXPECT_EQ(xy(m), XY(0, 2));
}

TEST(Vec2dPlot, RotatedCopyMovedByTheOffsetAndClipped)
{
    support::Picture picture(16, 16);
    VEC2D v{10, 0, 0x123456};
    VEC2D offset{5, 5, 0};
    VEC2D_plotRotated(&v, 256, &offset, picture.img);   // (0, 9) + (5, 5)
    EXPECT_EQ(picture.at(5, 14), 0x123456u);
    EXPECT_EQ(v.x, 10);
    VEC2D_plot(&v, picture.img);
    EXPECT_EQ(picture.at(10, 0), 0x123456u);
    VEC2D far{-1, 16, 0xFF};
    VEC2D_plot(&far, picture.img);   // clipped
    EXPECT_EQ(picture.count(0), 256 - 2);
}
