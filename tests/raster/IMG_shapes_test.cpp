#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <set>
#include <utility>

#include "raster/IMG.h"
#include "support/support.h"

namespace {

using Points = std::set<std::pair<int, int>>;

// The non-black pixels, relative to (ox, oy).
Points lit(const IMG* image, int ox = 0, int oy = 0)
{
    Points out;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
            if (image->pixels[y * image->width + x] != 0) out.emplace(x - ox, y - oy);
    return out;
}

// The cells x0..x1, y0..y1 plus any further points.
Points box(int x0, int y0, int x1, int y1, Points more = {})
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) more.emplace(x, y);
    return more;
}

Points ring(int x0, int y0, int x1, int y1)
{
    Points out = box(x0, y0, x1, y1);
    for (const auto& p : box(x0 + 1, y0 + 1, x1 - 1, y1 - 1)) out.erase(p);
    return out;
}

}  // namespace

// Each shape alone on a black 256 x 256 frame, its lit pixels taken relative to (ox, oy).
TEST(ImgShapes, ExactPixelSets)
{
    struct Case {
        const char* name;
        std::function<void(IMG*)> draw;
        int ox, oy;
        Points pixels;
    };
    const Case cases[] = {
        {"outline, no width or height", [](IMG* i) { IMG_drawRect(i, 3, 3, 0, 5, 1); IMG_drawRect(i, 3, 3, 5, 0, 1); }, 0, 0, {}},
        {"fill clipped left", [](IMG* i) { IMG_fillRect(i, -5, 0, 10, 2, 1); }, 0, 0, box(0, 0, 4, 1)},
        {"fill flipped: columns 7..9, rows 18..19", [](IMG* i) { IMG_fillRect(i, 10, 20, -3, -2, 1); }, 0, 0, box(7, 18, 9, 19)},
        {"fill clipped bottom right", [](IMG* i) { IMG_fillRect(i, 255, 254, 5, 5, 1); }, 0, 0, box(255, 254, 255, 255)},
        {"fill outside", [](IMG* i) {
             IMG_fillRect(i, -5, 0, 5, 5, 1);   // x + w = 0
             IMG_fillRect(i, 256, 0, 5, 5, 1);
             IMG_fillRect(i, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, 1);
             IMG_fillRect(i, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, 1);
             IMG_fillRect(i, INT32_MIN, 0, INT32_MAX, 1, 1);   // ends at column -2
         }, 0, 0, {}},
        {"outline ending at the edges", [](IMG* i) { IMG_drawRect(i, 252, 252, 4, 4, 1); }, 0, 0, ring(252, 252, 255, 255)},
        {"outline, one wide", [](IMG* i) { IMG_drawRect(i, 10, 10, 1, 3, 1); }, 0, 0, box(10, 10, 10, 12)},
        {"circle 0", [](IMG* i) { IMG_drawCircle(i, 50, 60, 0, 1); }, 50, 60, {{0, 0}}},
        {"circle -1: the four neighbours only", [](IMG* i) { IMG_drawCircle(i, 50, 60, -1, 1); }, 50, 60, {{0, -1}, {-1, 0}, {1, 0}, {0, 1}}},
        {"circle 2: r stays 2 at i = 1, no diagonal corners", [](IMG* i) { IMG_drawCircle(i, 50, 60, 2, 1); }, 50, 60,
         {{0, -2}, {0, 2}, {-2, 0}, {2, 0}, {-1, -2}, {1, -2}, {-1, 2}, {1, 2}, {-2, -1}, {-2, 1}, {2, -1}, {2, 1}}},
        {"circle 3: r drops to 2 at i = 2", [](IMG* i) { IMG_drawCircle(i, 50, 60, 3, 1); }, 50, 60,
         {{0, -3}, {0, 3}, {-3, 0}, {3, 0}, {-1, -3}, {1, -3}, {-1, 3}, {1, 3},
          {-3, -1}, {-3, 1}, {3, -1}, {3, 1}, {-2, -2}, {2, -2}, {-2, 2}, {2, 2}}},
        {"disc 2", [](IMG* i) { IMG_fillCircle(i, 50, 60, 2, 1); }, 50, 60, box(-1, -2, 1, 2, box(-2, -1, 2, 1))},
        {"disc clipped at the corner", [](IMG* i) { IMG_fillCircle(i, 0, 0, 2, 1); }, 0, 0, box(0, 0, 2, 1, {{0, 2}, {1, 2}})},
        {"circles outside", [](IMG* i) {
             IMG_drawCircle(i, -3, 100, 2, 1);
             IMG_fillCircle(i, 100, 258, 2, 1);
             IMG_fillCircle(i, INT32_MIN, 0, INT32_MAX, 1);   // reaches column -1 only
         }, 0, 0, {}},
        {"sine circle 2", [](IMG* i) { IMG_drawCircleSine(i, 50, 60, 2, 1); }, 50, 60, box(-1, -1, 0, 1)},
        {"ellipse 2 x 1", [](IMG* i) { IMG_drawEllipse(i, 50, 60, 2, 1, 1); }, 50, 60, box(-1, -1, 1, -1, box(-1, 1, 1, 1, {{-2, 0}, {2, 0}}))},
        {"filled ellipse -2 x -1", [](IMG* i) { IMG_fillEllipse(i, 50, 60, -2, -1, 1); }, 50, 60, box(-1, -1, 1, 1, {{-2, 0}, {2, 0}})},
        {"ellipse 0 x 0", [](IMG* i) { IMG_drawEllipse(i, 50, 60, 0, 0, 1); }, 50, 60, {{0, 0}}},
    };
    support::Picture image(256, 256);
    for (const Case& c : cases) {
        IMG_clear(image.img, 0);
        c.draw(image.img);
        EXPECT_EQ(lit(image.img, c.ox, c.oy), c.pixels) << c.name;
    }
}

TEST(ImgShapes, LargeOutlinesKeepTheirSymmetryAndBounds)
{
    support::Picture image(256, 256);
    // r = 10: c peaks at (32766 * 10) >> 15 = 9, so columns -9..8 and rows -9..9.
    IMG_drawCircleSine(image.img, 50, 60, -10, 1);
    Points points = lit(image.img, 50, 60);
    int maxY = -99;
    for (const auto& [x, y] : points) {
        maxY = std::max(maxY, y);
        EXPECT_TRUE(points.count({-1 - x, y}) && points.count({x, -y})) << x << "," << y;   // mirrored about x = -0.5, y = 0
    }
    EXPECT_EQ(points.begin()->first, -9);
    EXPECT_EQ(points.rbegin()->first, 8);
    EXPECT_EQ(maxY, 9);
    EXPECT_EQ(points.count({0, 0}), 0u);

    // Equal radii: top and bottom at cy -+ r; 300 x 300 would overflow 32-bit error terms.
    IMG_clear(image.img, 0);
    IMG_drawEllipse(image.img, 128, 128, 300, 300, 1);
    IMG_drawEllipse(image.img, 128, 128, 20, 20, 1);
    points = lit(image.img, 128, 128);
    EXPECT_TRUE(points.count({0, -20}) && points.count({0, 20}) && points.count({-20, 0}));
    for (const auto& [x, y] : points) EXPECT_TRUE(x * x + y * y >= 19 * 19 && x * x + y * y <= 21 * 21) << x << "," << y;
    IMG_fillEllipse(image.img, 128, 128, 300, 300, 1);   // covers the frame
    EXPECT_EQ(image.count(0), 0);
}
