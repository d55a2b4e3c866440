#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "effects/BALL3D.h"
#include "foundation/RANDOM.h"
#include "support/support.h"

namespace {

using support::Picture;

struct Ball {
    BALL3D* ball = BALL3D_new();
    Ball(IMG* img, std::int32_t x, std::int32_t y, std::int32_t r, std::uint32_t c, BALL3D_XYZ light)
    {
        ball->image = img;
        ball->x = x;
        ball->y = y;
        ball->radius = r;
        ball->colour = c;
        ball->light = light;
    }
    ~Ball() { BALL3D_free(&ball); }
    Ball(const Ball&) = delete;
    Ball& operator=(const Ball&) = delete;
};

constexpr std::uint32_t back = 0x123456u;

}  // namespace

TEST(Ball3dNew, DrawsCentreRadiusAndColourInOrder)
{
    RANDOM_srand(99u);
    std::int32_t r[6];
    for (auto& v : r) v = RANDOM_random30();
    RANDOM_srand(99u);
    BALL3D* b = BALL3D_new();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->x, r[0] & 255);
    EXPECT_EQ(b->y, r[1] & 255);
    EXPECT_EQ(b->radius, r[3] & 255);
    EXPECT_EQ(b->colour, static_cast<std::uint32_t>(r[4]));
    EXPECT_EQ(b->width, 256);
    EXPECT_EQ(b->image, nullptr);
    EXPECT_EQ(b->light.x, 0);
    BALL3D_free(&b);
}

TEST(Ball3dDraw, RadiusZeroPlotsOnlyTheCentre)
{
    Picture p(16, 16, back);
    Ball b(p.img, 5, 9, 0, 0x404040u, {10, 10, 10});
    BALL3D_draw(b.ball);
    for (std::int32_t y = 0; y < 16; ++y)
        for (std::int32_t x = 0; x < 16; ++x) EXPECT_EQ(p.at(x, y), x == 5 && y == 9 ? 0x404040u : back);
}

TEST(Ball3dDraw, NoLightGivesTheColourEverywhere)
{
    Picture p(64, 64, back);
    Ball b(p.img, 32, 32, 20, 0x336699u, {0, 0, 0});
    BALL3D_draw(b.ball);
    std::int32_t lit = 0;
    for (std::int32_t y = 0; y < 64; ++y)
        for (std::int32_t x = 0; x < 64; ++x) {
            const std::uint32_t c = p.at(x, y);
            EXPECT_TRUE(c == back || c == 0x336699u);
            lit += c != back;
            const std::int32_t dx = x - 32, dy = y - 32;
            if (dx * dx + dy * dy <= 18 * 18) { EXPECT_EQ(c, 0x336699u) << x << "," << y; }
            if (dx * dx + dy * dy > 21 * 21) { EXPECT_EQ(c, back) << x << "," << y; }
        }
    EXPECT_GT(lit, 1000);
}

TEST(Ball3dDraw, LightBrightensTowardItAndStaysWithinTwiceTheRadius)
{
    Picture p(128, 128, back);
    Ball b(p.img, 64, 64, 40, 0x808080u, {10, 10, 10});
    BALL3D_draw(b.ball);
    // (84, 84): dx = dy = 20, dz about 28: +68 * 10 / 9 = 75; (44, 44): -12 * 10 / 9 = -13.
    const std::uint32_t bright = p.at(84, 84);
    const std::uint32_t dark = p.at(44, 44);
    EXPECT_GT(bright & 0xFF, 0x80u + 60);
    EXPECT_LT(dark & 0xFF, 0x80u);
    EXPECT_GT(dark & 0xFF, 0x80u - 25);
    for (std::int32_t i = 0; i < 128 * 128; ++i) {
        const std::uint32_t c = p.img->pixels[i];
        if (c == back) continue;
        EXPECT_EQ(c >> 16, c & 0xFF);
        EXPECT_LT(std::abs(static_cast<int>(c & 0xFF) - 0x80), 2 * 40);
    }
}

TEST(Ball3dDraw, HalfOutsideDrawsItsInsidePart)
{
    Picture p(32, 32, back);
    Ball b(p.img, 0, 31, 12, 0x00FF00u, {0, 0, 0});
    BALL3D_draw(b.ball);
    EXPECT_EQ(p.at(0, 31), 0x00FF00u);
    EXPECT_EQ(p.at(8, 25), 0x00FF00u);
    EXPECT_EQ(p.at(13, 31), back);
    EXPECT_EQ(p.at(0, 17), back);
}

TEST(Ball3dDraw, DiagnosticOnlyWhenTheLastBrightnessPassesFullScale)
{
    Picture p(8, 8);
    testing::internal::CaptureStdout();
    Ball quiet(p.img, 4, 4, 50, 0x202020u, {10, 10, 10});
    BALL3D_draw(quiet.ball);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    // Light (0, 10, 0), radius 255: dy runs from -255 to 254, so the
    // brightness from -2550 / 9 to 2540 / 9, and the last point has -283.
    testing::internal::CaptureStdout();
    Ball loud(p.img, 4, 4, 255, 0x202020u, {0, 10, 0});
    BALL3D_draw(loud.ball);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "min=-283 max=282\n");
}

TEST(Ball3dErrors, NullBallReports)
{
    EXPECT_EQ(support::printed(BALL3D_debug, [] {
                  BALL3D_draw(nullptr);
                  BALL3D_free(nullptr);
              }),
              "BALL3D error\nBALL3D error\n");
}
