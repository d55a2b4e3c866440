// Rectangle scenes: the RECTANGLES MOVE rules and wrap-around drawing, and
// the absorbing bubbles of RECTANGLE BUBBLES UP.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "driver/QORN7316_state.h"
#include "foundation/LIST.h"
#include "raster/RECT.h"
#include "support/support.h"

namespace {

struct Corners {
    std::int32_t x0, y0, x1, y1;
    bool operator==(const Corners&) const = default;
};

RECT* makeRect(Corners c)
{
    RECT* r = RECT_new();
    r->corners->start->x = c.x0;
    r->corners->start->y = c.y0;
    r->corners->end->x = c.x1;
    r->corners->end->y = c.y1;
    r->colour = 0x123456u;
    return r;
}

Corners corners(const RECT* r) { return {r->corners->start->x, r->corners->start->y, r->corners->end->x, r->corners->end->y}; }

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
        {{0, 0, 255, 8}, {0, 255}, {0, 8}},
        {{-1, 10, -1, 12}, {255, 255}, {10, 12}},   // one column, wholly beyond the left edge
        {{250, 10, 270, 30}, {250, 255, 0, 14}, {10, 30}},
        {{40, 240, 60, 265}, {40, 60}, {240, 255, 0, 9}},
        {{-10, -20, 30, 5}, {246, 255, 0, 30}, {236, 255, 0, 5}},     // four pieces
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

// Rules 0-15 move edges by one pixel; 16 and 18 pulse by the sine of the frame
// counter (frame 12: -4 and -3, frame 4: +3; at frame 107 the remainder by
// 1023 gives -3 and -2 where an AND would give -2 and -1); 21 and above hold still.
TEST(RectanglesMoveRules, TheFixedRulesMoveEdgesByOnePixel)
{
    const struct { std::int32_t rule; std::uint32_t frame; Corners after; } rows[] = {
        {0, 0, {100, 99, 120, 119}}, {1, 0, {100, 101, 120, 121}}, {2, 0, {99, 100, 119, 120}}, {3, 0, {101, 100, 121, 120}},
        {4, 0, {100, 99, 120, 121}}, {5, 0, {100, 101, 120, 119}}, {6, 0, {101, 100, 119, 120}}, {7, 0, {99, 100, 121, 120}},
        {8, 0, {100, 99, 120, 120}}, {9, 0, {100, 100, 120, 121}}, {10, 0, {99, 100, 120, 120}}, {11, 0, {100, 100, 121, 120}},
        {12, 0, {100, 100, 120, 119}}, {13, 0, {100, 101, 120, 120}}, {14, 0, {100, 100, 119, 120}}, {15, 0, {101, 100, 120, 120}},
        {18, 12, {97, 96, 123, 124}}, {16, 4, {100, 103, 120, 117}}, {18, 107, {98, 97, 122, 123}}, {21, 0, {100, 100, 120, 120}},
    };
    FPS* saved = pacer;
    FPS counter{};
    pacer = &counter;
    for (const auto& r : rows) {
        counter.frames = r.frame;
        RECT* rect = makeRect({100, 100, 120, 120});
        QORN7316_applyRule(r.rule, rect);
        EXPECT_TRUE(corners(rect) == r.after) << "rule " << r.rule;
        RECT_free(&rect);
    }
    pacer = saved;
    RANDOM_srand(99);
    for (int n = 0; n < 200; ++n) {   // the jitter stays within 8 pixels
        RECT* rect = makeRect({100, 100, 120, 120});
        QORN7316_applyRule(19, rect);
        const Corners c = corners(rect);
        EXPECT_TRUE(inSpan(c.x0, 92, 108) && inSpan(c.y0, 92, 108) && inSpan(c.x1, 112, 128) && inSpan(c.y1, 112, 128));
        RECT_free(&rect);
    }
}

// The small bubble rises into the big one, which grows by two. Grown to 25 (either way) it goes back to
// the bottom with the small one, and takes its own rise step from there unless that came first; grown to 17
// wide its own step recycles it without rising; grown to 16 it rises 3 to 5 pixels.
TEST(RectangleBubblesUp, AbsorbingBubblesAreRecycled)
{
    const struct { std::int32_t w, h, smallTop; bool bigLast; std::int32_t side, top, lowest; } rows[] = {
        {23, 10, 105, false, 1, 251, 253}, {10, 23, 121, true, 1, 256, 256},
        {15, 15, 110, false, 1, 256, 256}, {14, 14, 109, false, 16, 94, 96}};
    for (const auto& r : rows) {
        LIST* list = LIST_new();
        RECT* big = makeRect({100, 100, 100 + r.w, 100 + r.h});
        RECT* small = makeRect({110, r.smallTop, 111, r.smallTop + 1});
        LIST_push(list, r.bigLast ? small : big);
        LIST_push(list, r.bigLast ? big : small);
        RANDOM_srand(12345);
        QORN7316_riseBubbles(list);
        const Corners b = corners(big);
        EXPECT_TRUE(b.x1 - b.x0 == r.side && b.y1 - b.y0 == r.side && inSpan(b.y0, r.top, r.lowest)) << r.h << ": " << b.y0;
        EXPECT_EQ(std::pair(corners(small).y0, corners(small).y1), std::pair(256, 257)) << r.h;
        RECT_free(&big);
        RECT_free(&small);
        LIST_free(&list);
    }
}
