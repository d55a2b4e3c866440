#include <gtest/gtest.h>

#include <vector>

#include "effects/BALL3D.h"
#include "foundation/RANDOM.h"
#include "support/support.h"

namespace {

using support::Picture;

// A ball drawn from a record of its own; the draw reads only these fields.
void drawBall(IMG* img, std::int32_t x, std::int32_t y, std::int32_t r, std::uint32_t c, BALL3D_XYZ light)
{
    BALL3D ball{x, y, 0, 256, 256, 256, r, c, 0, img, 0, light};
    BALL3D_draw(&ball);
}

constexpr std::uint32_t back = 0x123456u;

}  // namespace

TEST(Ball3dNew, DrawsCentreRadiusAndColourInOrder)
{
    RANDOM_srand(99u);
    BALL3D* b = BALL3D_new();
    EXPECT_EQ((std::vector<std::int64_t>{b->x, b->y, b->z, b->radius, b->colour}),
              (std::vector<std::int64_t>{195, 65, 159, 21, 0x0D14AE01}));
    BALL3D_free(&b);
}

TEST(Ball3dDraw, UnlitDiscAndRadiusZero)
{
    Picture dot(16, 16, back);
    drawBall(dot.img, 5, 9, 0, 0x404040u, {10, 10, 10});
    EXPECT_EQ(dot.at(5, 9), 0x404040u);
    EXPECT_EQ(dot.count(back), 255);
    // No light: the plain colour on every point (the disc's shape and its
    // clipping at the edges are pinned by the 3D balls golden frames).
    Picture p(64, 64, back);
    drawBall(p.img, 32, 32, 20, 0x336699u, {0, 0, 0});
    EXPECT_EQ(p.count(back) + p.count(0x336699u), 64 * 64);
    EXPECT_EQ(p.at(32, 32), 0x336699u);
}

TEST(Ball3dDraw, DiagnosticOnlyWhenTheLastBrightnessPassesFullScale)
{
    Picture p(8, 8);
    EXPECT_EQ(support::printed(BALL3D_debug, [&] { drawBall(p.img, 4, 4, 50, 0x202020u, {10, 10, 10}); }), "");
    // Light (0, 10, 0), radius 255: dy runs from -255 to 254, so the
    // brightness from -2550 / 9 to 2540 / 9, and the last point has -283.
    EXPECT_EQ(support::printed(BALL3D_debug, [&] { drawBall(p.img, 4, 4, 255, 0x202020u, {0, 10, 0}); }), "min=-283 max=282\n");
    EXPECT_EQ(support::printed(BALL3D_debug, [] { BALL3D_draw(nullptr); BALL3D_free(nullptr); }), "BALL3D error\nBALL3D error\n");
}
