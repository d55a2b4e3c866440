#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "raster/IMG.h"
#include "raster/RECT.h"
#include "support/support.h"

namespace {

std::vector<std::int32_t> cornersOf(const RECT* r)
{
    return {r->corners->start->x, r->corners->start->y, r->corners->end->x, r->corners->end->y};
}

void corners(RECT* r, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    r->corners->start->x = x0;
    r->corners->start->y = y0;
    r->corners->end->x = x1;
    r->corners->end->y = y1;
}

// The box around the non-black pixels, their count and their one colour:
// "x0,y0 x1,y1 n RRGGBB" ("mixed" for more than one colour, "none" if all black).
std::string lit(const IMG* image)
{
    int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN, n = 0;
    std::set<std::uint32_t> colours;
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            if (IMG_getPixel(image, x, y) == 0) continue;
            colours.insert(IMG_getPixel(image, x, y));
            ++n;
            x0 = std::min(x0, x);
            y0 = std::min(y0, y);
            x1 = std::max(x1, x);
            y1 = std::max(y1, y);
        }
    }
    if (colours.size() != 1) return colours.empty() ? "none" : "mixed";
    char text[64];
    std::snprintf(text, sizeof text, "%d,%d %d,%d %d %06X", x0, y0, x1, y1, n, *colours.begin());
    return text;
}

}  // namespace

TEST(RectRecord, DefaultsCloneAndNull)
{
    RECT* r = RECT_new();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(cornersOf(r), (std::vector{0, 0, 255, 255}));
    EXPECT_EQ(r->colour, 0xFFFFFFu);

    corners(r, 3, 4, 5, 6);
    r->colour = 0x102030;
    RECT* c = RECT_clone(r);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(RECT_equal(r, c));
    c->colour = 0x102031;
    EXPECT_FALSE(RECT_equal(r, c));

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

// Reversed corners flip onto the start corner: width and height 5 - 10 + 1
// = -4 cover columns and rows 6..9; a clipped outline loses those sides.
TEST(RectDraw, CornersToFramesClipsAndBlends)
{
    struct Case {
        const char* name;
        std::int32_t x0, y0, x1, y1;
        std::function<void(const RECT*, IMG*)> draw;
        const char* lit;
    };
    const Case cases[] = {
        {"outline", 10, 10, 5, 5, RECT_draw, "6,6 9,9 12 FFFFFF"},
        {"fill", 10, 10, 5, 5, RECT_fill, "6,6 9,9 16 FFFFFF"},
        {"outline clipped at the top left", -1, -1, 8, 8, RECT_draw, "0,0 8,8 17 FFFFFF"},
        {"blend: width -3 flips to columns 3..5", 6, 1, 2, 3, [](const RECT* r, IMG* i) { RECT_fillBlend(r, i, 128); },
         "3,1 5,3 9 7F7F7F"},
    };
    RECT* r = RECT_new();
    for (const Case& c : cases) {
        support::Picture image(16, 16);
        corners(r, c.x0, c.y0, c.x1, c.y1);
        c.draw(r, image.img);
        EXPECT_EQ(lit(image.img), c.lit) << c.name;
    }
    // Corners at the ends of the 32-bit range: sizes wrap, nothing undefined.
    support::Picture image(256, 256);
    corners(r, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    RECT_fill(r, image.img);
    RECT_fillBlend(r, image.img, 128);
    RECT_free(&r);
}

TEST(RectShape, NormalizeAndOverlap)
{
    RECT* a = RECT_new();
    RECT* b = RECT_new();
    corners(a, 9, 7, 1, 2);
    RECT_normalize(a);
    EXPECT_EQ(cornersOf(a), (std::vector{1, 2, 9, 7}));
    corners(b, 10, 7, 12, 12);   // one column right of a; touching is SEG2D_boxesOverlap's rule
    EXPECT_FALSE(RECT_overlap(a, b));
    RECT_free(&a);
    RECT_free(&b);
}

TEST(RectSpan, ClippedWithoutSwapping)
{
    support::Picture image(6, 4);
    RECT_hSpan(image.img, 0x111111, 1, 4, 2);   // x0 > x1: nothing
    RECT_hSpan(image.img, 0x111111, -1, 0, 5);  // row outside: nothing
    RECT_hSpan(image.img, 0x111111, 4, 0, 5);
    EXPECT_EQ(lit(image.img), "none");
    RECT_hSpan(image.img, 0x111111, 1, -7, 100);
    EXPECT_EQ(lit(image.img), "0,1 5,1 6 111111");
    IMG_clear(image.img, 0);
    RECT_vSpan(image.img, 0x222222, 5, -3, 2);
    RECT_vSpan(image.img, 0x222222, 6, 0, 3);   // column outside
    EXPECT_EQ(lit(image.img), "5,0 5,2 3 222222");
    IMG_clear(image.img, 0);
    RECT_blendHSpan(image.img, 0xFF0000, 1, -1, 2, 64);   // 0xFF * 64 >> 8 = 0x3F
    EXPECT_EQ(lit(image.img), "0,1 2,1 3 3F0000");
}
