// Rectangle scenes: the RECTANGLES MOVE rules and wrap-around drawing, and
// the absorbing bubbles of RECTANGLE BUBBLES UP.
#include <gtest/gtest.h>

#include <cstdint>

#include "driver/QORN7316_state.h"
#include "foundation/LIST.h"
#include "foundation/RANDOM.h"
#include "platform/FPS.h"
#include "raster/IMG.h"
#include "raster/RECT.h"
#include "support/support.h"

namespace {

struct Corners {
    std::int32_t x0, y0, x1, y1;
};

RECT* makeRect(Corners c, std::uint32_t colour = 0x123456u)
{
    RECT* r = RECT_new();
    r->corners->start->x = c.x0;
    r->corners->start->y = c.y0;
    r->corners->end->x = c.x1;
    r->corners->end->y = c.y1;
    r->colour = colour;
    return r;
}

Corners corners(const RECT* r)
{
    return {r->corners->start->x, r->corners->start->y, r->corners->end->x, r->corners->end->y};
}

bool inSpan(std::int32_t v, std::int32_t from, std::int32_t to) { return v >= from && v <= to; }

// Up to two inclusive runs of columns or rows; an empty run is {1, 0}.
struct Runs {
    std::int32_t from0, to0, from1 = 1, to1 = 0;
    bool has(std::int32_t v) const { return inSpan(v, from0, to0) || inSpan(v, from1, to1); }
};

}  // namespace

// Drawn wrapped at alpha 256 on white: the rectangle's colour exactly on the
// given columns and rows, corners inclusive, the parts beyond an edge back
// at the opposite one.
TEST(RectanglesMoveDraw, WrapsRoundEveryEdge)
{
    const struct { Corners c; Runs columns, rows; } cases[] = {
        {{10, 20, 30, 40}, {10, 30}, {20, 40}},
        {{0, 0, 255, 8}, {0, 255}, {0, 8}},
        {{250, 10, 270, 30}, {250, 255, 0, 14}, {10, 30}},
        {{-5, 100, 20, 120}, {251, 255, 0, 20}, {100, 120}},
        {{40, 240, 60, 265}, {40, 60}, {240, 255, 0, 9}},
        {{-10, -20, 30, 5}, {246, 255, 0, 30}, {236, 255, 0, 5}},     // four pieces
        {{200, 250, 300, 260}, {200, 255, 0, 44}, {250, 255, 0, 4}},
    };
    for (const auto& t : cases) {
        support::Picture image(256, 256, 0xFFFFFFu);
        RECT* r = makeRect(t.c);
        QORN7316_drawWrapped(r, image.img, 256);
        std::int32_t wrong = 0;
        for (std::int32_t y = 0; y < 256; ++y)
            for (std::int32_t x = 0; x < 256; ++x)
                wrong += image.at(x, y) != (t.columns.has(x) && t.rows.has(y) ? 0x123456u : 0xFFFFFFu) ? 1 : 0;
        EXPECT_EQ(wrong, 0) << "rectangle " << t.c.x0 << "," << t.c.y0 << " - " << t.c.x1 << "," << t.c.y1;
        RECT_free(&r);
    }
}

TEST(RectanglesMoveRules, TheFixedRulesMoveEdgesByOnePixel)
{
    const Corners expected[16] = {
        {100, 99, 120, 119}, {100, 101, 120, 121}, {99, 100, 119, 120}, {101, 100, 121, 120},
        {100, 99, 120, 121}, {100, 101, 120, 119}, {101, 100, 119, 120}, {99, 100, 121, 120},
        {100, 99, 120, 120}, {100, 100, 120, 121}, {99, 100, 120, 120}, {100, 100, 121, 120},
        {100, 100, 120, 119}, {100, 101, 120, 120}, {100, 100, 119, 120}, {101, 100, 120, 120},
    };
    for (std::int32_t rule = 0; rule < 16; ++rule) {
        RECT* r = makeRect({100, 100, 120, 120});
        QORN7316_applyRule(rule, r);
        const Corners c = corners(r);
        const Corners& e = expected[rule];
        EXPECT_TRUE(c.x0 == e.x0 && c.y0 == e.y0 && c.x1 == e.x1 && c.y1 == e.y1) << "rule " << rule;
        RECT_free(&r);
    }
    RECT* still = makeRect({100, 100, 120, 120});
    QORN7316_applyRule(21, still);
    EXPECT_EQ(corners(still).x0, 100);
    EXPECT_EQ(corners(still).y1, 120);
    RECT_free(&still);
}

TEST(RectanglesMoveRules, PulsesFollowTheFrameCounter)
{
    FPS* saved = pacer;
    FPS counter{};
    pacer = &counter;
    // Frame 12: vertical index 756 (sine -32675, shifted -4), horizontal index 636 (-22594, -3).
    counter.frames = 12;
    RECT* r = makeRect({100, 100, 120, 120});
    QORN7316_applyRule(18, r);
    const Corners c = corners(r);
    EXPECT_TRUE(c.x0 == 97 && c.x1 == 123 && c.y0 == 96 && c.y1 == 124);
    // Frame 4: indices 252 and 212, both near the crest: +3 each.
    counter.frames = 4;
    RECT* v = makeRect({100, 100, 120, 120});
    QORN7316_applyRule(16, v);
    EXPECT_TRUE(corners(v).y0 == 103 && corners(v).y1 == 117 && corners(v).x0 == 100);
    pacer = saved;
    RECT_free(&r);
    RECT_free(&v);
}

TEST(RectanglesMoveRules, JitterAndWalkStayInTheirRanges)
{
    RANDOM_srand(99);
    for (int n = 0; n < 200; ++n) {
        RECT* r = makeRect({100, 100, 120, 120});
        QORN7316_applyRule(19, r);
        const Corners c = corners(r);
        EXPECT_TRUE(inSpan(c.x0, 92, 108) && inSpan(c.y0, 92, 108) && inSpan(c.x1, 112, 128) && inSpan(c.y1, 112, 128));
        QORN7316_applyRule(20, r);
        RECT_free(&r);
    }
}

// The small bubble (last in the list) rises into the big one, which grows by
// two. Grown to 25 it goes back to the bottom with the small one and takes its
// own rise step from there; grown to 23 its own step finds it 17 or more wide
// and recycles it without rising.
TEST(RectangleBubblesUp, AbsorbingBubblesAreRecycled)
{
    for (const std::int32_t side : {23, 21}) {
        LIST* list = LIST_new();
        RECT* big = makeRect({100, 100, 100 + side, 100 + side});
        RECT* small = makeRect({110, 118, 111, 119});
        LIST_push(list, big);
        LIST_push(list, small);
        RANDOM_srand(12345);
        QORN7316_riseBubbles(list);
        const Corners b = corners(big);
        if (side == 23) {
            EXPECT_EQ(b.x1 - b.x0, 1);
            EXPECT_EQ(b.y1 - b.y0, 1);
            EXPECT_TRUE(inSpan(b.y0, 251, 253)) << b.y0;
        } else {
            EXPECT_EQ(b.y0, 256);
        }
        EXPECT_EQ(corners(small).y0, 256) << side;
        EXPECT_EQ(corners(small).y1, 257) << side;
        RECT_free(&big);
        RECT_free(&small);
        LIST_free(&list);
    }
}

TEST(RectangleBubblesUp, RisesThreeToFivePixelsWithAWobble)
{
    LIST* list = LIST_new();
    RECT* a = makeRect({10, 100, 11, 101});
    RECT* b = makeRect({200, 50, 201, 51});
    LIST_push(list, a);
    LIST_push(list, b);
    RANDOM_srand(7);
    for (int n = 0; n < 10; ++n) {
        const Corners before = corners(a);
        QORN7316_riseBubbles(list);
        const Corners after = corners(a);
        EXPECT_TRUE(inSpan(after.x0 - before.x0, -1, 1) && inSpan(after.y0 - before.y0, -5, -3));
        EXPECT_EQ(after.x1 - after.x0, 1);
    }
    RECT_free(&a);
    RECT_free(&b);
    LIST_free(&list);
}
