// Rectangle scenes: the RECTANGLES MOVE rules and wrap-around drawing, and
// the absorbing bubbles of RECTANGLE BUBBLES UP.
#include <gtest/gtest.h>

#include <cstdint>

#include "driver/QORN7316.h"
#include "foundation/LIST.h"
#include "foundation/RANDOM.h"
#include "platform/FPS.h"
#include "raster/IMG.h"
#include "raster/RECT.h"

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

// Draws the rectangle wrapped at alpha 256 on white and checks every pixel:
// the rectangle's colour exactly inside the given column and row sets.
void expectWrapped(Corners c, bool (*inColumns)(std::int32_t), bool (*inRows)(std::int32_t))
{
    IMG* image = IMG_new();
    IMG_setSize(image, 256, 256);
    IMG_clear(image, 0xFFFFFFu);
    RECT* r = makeRect(c);
    QORN7316_drawWrapped(r, image, 256);
    std::int32_t wrong = 0;
    for (std::int32_t y = 0; y < 256; ++y) {
        for (std::int32_t x = 0; x < 256; ++x) {
            const std::uint32_t want = inColumns(x) && inRows(y) ? 0x123456u : 0xFFFFFFu;
            if (IMG_getPixel(image, x, y) != want) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0) << "rectangle " << c.x0 << "," << c.y0 << " - " << c.x1 << "," << c.y1;
    RECT_free(&r);
    IMG_free(&image);
}

}  // namespace

TEST(RectanglesMoveDraw, InsideIsOneRectangleWithInclusiveCorners)
{
    expectWrapped({10, 20, 30, 40}, [](std::int32_t x) { return inSpan(x, 10, 30); },
                  [](std::int32_t y) { return inSpan(y, 20, 40); });
    expectWrapped({0, 0, 255, 8}, [](std::int32_t) { return true; }, [](std::int32_t y) { return inSpan(y, 0, 8); });
}

TEST(RectanglesMoveDraw, LeavingOneSideReappearsOnTheOther)
{
    // Right edge past the frame: the part beyond column 255 comes back at the left.
    expectWrapped({250, 10, 270, 30}, [](std::int32_t x) { return inSpan(x, 250, 255) || inSpan(x, 0, 14); },
                  [](std::int32_t y) { return inSpan(y, 10, 30); });
    // Left of the frame.
    expectWrapped({-5, 100, 20, 120}, [](std::int32_t x) { return inSpan(x, 251, 255) || inSpan(x, 0, 20); },
                  [](std::int32_t y) { return inSpan(y, 100, 120); });
    // Through the bottom edge.
    expectWrapped({40, 240, 60, 265}, [](std::int32_t x) { return inSpan(x, 40, 60); },
                  [](std::int32_t y) { return inSpan(y, 240, 255) || inSpan(y, 0, 9); });
}

TEST(RectanglesMoveDraw, ACornerLeavingBothSidesIsDrawnInFourPieces)
{
    expectWrapped({-10, -20, 30, 5}, [](std::int32_t x) { return inSpan(x, 246, 255) || inSpan(x, 0, 30); },
                  [](std::int32_t y) { return inSpan(y, 236, 255) || inSpan(y, 0, 5); });
    expectWrapped({200, 250, 300, 260}, [](std::int32_t x) { return inSpan(x, 200, 255) || inSpan(x, 0, 44); },
                  [](std::int32_t y) { return inSpan(y, 250, 255) || inSpan(y, 0, 4); });
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

TEST(RectangleBubblesUp, ABubbleGrownTo25IsRecycledAtOnce)
{
    // The small bubble (last in the list) rises into the big one, which grows
    // to 25 and goes back to the bottom with it; then the big one takes its
    // own rise step from the bottom edge.
    LIST* list = LIST_new();
    RECT* big = makeRect({100, 100, 123, 123});
    RECT* small = makeRect({110, 118, 111, 119});
    LIST_push(list, big);
    LIST_push(list, small);
    RANDOM_srand(12345);
    QORN7316_riseBubbles(list);
    const Corners b = corners(big);
    EXPECT_EQ(b.x1 - b.x0, 1);
    EXPECT_EQ(b.y1 - b.y0, 1);
    EXPECT_TRUE(inSpan(b.y0, 251, 253)) << b.y0;
    EXPECT_EQ(corners(small).y0, 256);
    EXPECT_EQ(corners(small).y1, 257);
    RECT_free(&big);
    RECT_free(&small);
    LIST_free(&list);
}

TEST(RectangleBubblesUp, A23PixelBubbleGrowsAndIsRecycledOnItsOwnStep)
{
    LIST* list = LIST_new();
    RECT* big = makeRect({100, 100, 121, 121});
    RECT* small = makeRect({110, 118, 111, 119});
    LIST_push(list, big);
    LIST_push(list, small);
    RANDOM_srand(12345);
    QORN7316_riseBubbles(list);
    // Grown to 23 it stays for the absorption, then its own step finds it 17
    // or more wide and recycles it without rising.
    EXPECT_EQ(corners(big).y0, 256);
    EXPECT_EQ(corners(small).y0, 256);
    RECT_free(&big);
    RECT_free(&small);
    LIST_free(&list);
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
