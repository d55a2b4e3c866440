#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "raster/IMG.h"
#include "vector/SEG2D.h"
#include "support/support.h"

namespace {

using Ends = std::array<std::int32_t, 4>;

SEG2D* place(SEG2D* s, const Ends& e)
{
    s->start->x = e[0];
    s->start->y = e[1];
    s->end->x = e[2];
    s->end->y = e[3];
    return s;
}

Ends ends(const SEG2D* s) { return {s->start->x, s->start->y, s->end->x, s->end->y}; }

}  // namespace

TEST(Seg2dRecord, CloneTransformsAndNullArguments)
{
    SEG2D* s = place(SEG2D_new(), {10, 0, 0, 10});
    SEG2D* c = SEG2D_clone(s);
    EXPECT_TRUE(SEG2D_equal(s, c));
    c->end->colour = 0x123457;
    EXPECT_FALSE(SEG2D_equal(s, c));
    SEG2D_rotate(s, 256);   // a quarter turn: sine 32766, cosine 0; the shift floors 9.99 and -9.99
    EXPECT_EQ(ends(s), (Ends{0, 9, -10, 0}));
    VEC2D v{3, -4, 0};
    SEG2D_translate(s, &v);
    EXPECT_EQ(ends(s), (Ends{3, 5, -7, -4}));
    SEG2D_multiply(s, -2);
    VEC2D f{2, 3, 0};
    SEG2D_scale(s, &f);
    EXPECT_EQ(ends(s), (Ends{-12, -30, 28, 24}));

    EXPECT_EQ(support::printed(SEG2D_debug, [&] {
        EXPECT_EQ(SEG2D_clone(nullptr), nullptr);
        EXPECT_EQ(SEG2D_intersects(s, nullptr), 0);
        SEG2D_draw(s, nullptr);
    }), "SEG2D error\nSEG2D error\nSEG2D error\n");
    SEG2D_free(&c);
    SEG2D_free(&s);
}

TEST(Seg2dDraw, PlotsRotatedAddAndAverage)
{
    support::Picture image(8, 8);
    SEG2D* s = place(SEG2D_new(), {1, 2, 4, 2});
    s->start->colour = 0xFF0000;
    s->end->colour = 0x0000FF;
    SEG2D_plot(s, image.img);
    EXPECT_EQ(image.at(1, 2), 0xFF0000u);
    EXPECT_EQ(image.at(4, 2), 0x0000FFu);
    EXPECT_EQ(image.at(2, 2), 0u);

    // Rotated copy: (1, 2)-(4, 2) turned a quarter becomes (-2, 0)-(-2, 3), then moved by (5, 1).
    IMG_clear(image.img, 0);
    VEC2D offset{5, 1, 0};
    SEG2D_drawRotated(s, 256, &offset, image.img);
    for (int y = 1; y <= 4; ++y) EXPECT_EQ(image.at(3, y), 0xFF0000u) << y;
    EXPECT_EQ(image.count(0xFF0000), 4);

    // Add and average go through the line effects, which mix the middle of an even length twice.
    IMG_clear(image.img, 0);
    place(s, {0, 0, 2, 0});
    s->start->colour = 0x101010;
    SEG2D_drawAdd(s, image.img);
    EXPECT_EQ(image.at(1, 0), 0x202020u);
    s->start->colour = 0x808080;
    SEG2D_drawAverage(s, image.img);
    EXPECT_EQ(image.at(0, 0), (0x101010u + 0x808080u) / 2);
    EXPECT_EQ(image.at(3, 0), 0u);
    SEG2D_free(&s);
}

TEST(Seg2dTests, BoxesRangesAndCrossings)
{
    SEG2D* a = SEG2D_new();
    SEG2D* b = SEG2D_new();
    struct Box { Ends a, b; std::int32_t overlap; };
    const Box boxes[] = {
        {{5, 5, 0, 0}, {5, 9, 9, 5}, 1},    // reversed ends sort into 0..5; only the corner (5, 5) shared
        {{5, 5, 0, 0}, {6, 0, 9, 5}, 0},    // one column right of a
        {{5, 5, 0, 0}, {-9, 6, -1, 9}, 0},  // left and below
        {{5, 5, 0, 0}, {2, -3, 3, 9}, 1},   // crosses a vertically
    };
    for (const Box& r : boxes) {
        place(a, r.a);
        place(b, r.b);
        EXPECT_EQ(SEG2D_boxesOverlap(a, b), r.overlap) << r.b[0] << "," << r.b[1];
        EXPECT_EQ(SEG2D_rangesOverlap(a, b), r.overlap) << r.b[0] << "," << r.b[1];
    }

    struct Cross { Ends a, b; std::int32_t meets; const char* what; };
    const Cross crossings[] = {
        {{0, 0, 10, 10}, {0, 10, 10, 0}, 1, "cross at x = 5"},
        {{0, 0, 4, 4}, {6, 4, 10, 0}, 0, "lines meet at x = 5, outside a"},
        {{0, 0, 10, 10}, {-5, 5, 5, -5}, 1, "at a's end, left to right: inclusive"},
        {{10, 10, 0, 0}, {-5, 5, 5, -5}, 0, "at a's end, right to left: exclusive"},
        {{5, 0, 5, 10}, {0, 5, 10, 5}, 1, "a vertical segment counts its run as 1"},
        {{0, 0, 4, 4}, {0, 1, 4, 5}, 0, "equal slopes, different offsets"},
        {{0, 0, 4, 4}, {4, 4, 8, 8}, 1, "the same line, ranges touching"},
        {{0, 0, 4, 4}, {5, 5, 8, 8}, 0, "the same line, ranges apart"},
    };
    for (const Cross& r : crossings) {
        place(a, r.a);
        place(b, r.b);
        EXPECT_EQ(SEG2D_intersects(a, b), r.meets) << r.what;
    }

    // Extreme coordinates wrap without undefined behaviour.
    place(a, {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    (void)SEG2D_intersects(a, place(b, {INT_MAX, INT_MIN, INT_MIN + 1, INT_MAX}));
    (void)SEG2D_intersects(a, place(b, {0, INT_MIN, -1, 0}));
    SEG2D_free(&a);
    SEG2D_free(&b);
}
