#include <gtest/gtest.h>

#include <cstdint>

#include "audio/SAMPLE.h"
#include "foundation/RANDOM.h"
#include "vector/LRADIAL.h"
#include "support/support.h"

namespace {

std::int32_t lit(const IMG* img)
{
    std::int32_t n = 0;
    for (std::int32_t i = 0; i < img->width * img->height; ++i) n += img->pixels[i] != 0;
    return n;
}

}  // namespace

TEST(LradialWheel, CornersOfTheCircle)
{
    LRADIAL* s = LRADIAL_new();
    ASSERT_NE(LRADIAL_wheel, nullptr);
    ASSERT_EQ(LRADIAL_wheel->count, 1536);
    const std::int32_t* w = LRADIAL_wheel->values;
    EXPECT_EQ(w[0], 0x00FF00);
    EXPECT_EQ(w[255], 0x00FFFF);
    EXPECT_EQ(w[256], 0x00FFFF);
    EXPECT_EQ(w[511], 0x0000FF);
    EXPECT_EQ(w[512], 0x0000FF);
    EXPECT_EQ(w[768], 0xFF00FF);
    EXPECT_EQ(w[1024], 0xFF0000);
    EXPECT_EQ(w[1280], 0xFFFF00);
    EXPECT_EQ(w[1535], 0x00FF00);
    SAMPLE* first = LRADIAL_wheel;
    LRADIAL* t = LRADIAL_new();   // built once
    EXPECT_EQ(LRADIAL_wheel, first);
    LRADIAL_free(&s);
    LRADIAL_free(&t);
}

TEST(LradialRays, SettingsAndRayEnds)
{
    RANDOM_srand(11);
    const std::int32_t speed = RANDOM_rand15();
    const std::int32_t radius = RANDOM_rand15();
    const std::int32_t colour = RANDOM_rand15();
    RANDOM_srand(11);
    LRADIAL* s = LRADIAL_new();
    EXPECT_EQ(s->centerX, 128);
    EXPECT_EQ(s->speed, speed + 32768);
    EXPECT_EQ(s->radius, radius % 128 + 32);
    EXPECT_EQ(s->color, (static_cast<std::uint32_t>(colour) & 0x7f7f7fu) + 0x808080u);
    EXPECT_EQ(s->rays, 16);
    EXPECT_EQ(s->step, 4194304);

    EXPECT_EQ(support::printed(LRADIAL_debug, [&] {
        LRADIAL_setRays(s, 0);
    }), "LRADIAL error\n");
    EXPECT_EQ(s->rays, 16);
    EXPECT_EQ(s->step, 4194304);

    support::Picture targetPicture(256, 256);

    IMG* target = targetPicture.img;
    LRADIAL_setRays(s, 4);
    s->phase = 0;
    s->radius = 100;
    s->color = 0xffffff;
    LRADIAL_plot(s, target);
    EXPECT_EQ(lit(target), 4);
    EXPECT_EQ(IMG_getPixel(target, 128, 227), 0xffffffu);
    EXPECT_EQ(IMG_getPixel(target, 227, 128), 0xffffffu);
    EXPECT_EQ(IMG_getPixel(target, 128, 28), 0xffffffu);
    EXPECT_EQ(IMG_getPixel(target, 28, 128), 0xffffffu);

    IMG_clear(target, 0);
    s->target = target;
    LRADIAL_drawCircles(s, 0);
    EXPECT_EQ(lit(target), 0);
    LRADIAL_drawSpokes(s, target);
    EXPECT_EQ(IMG_getPixel(target, 128, 200), 0xffffffu);
    EXPECT_EQ(IMG_getPixel(target, 60, 128), 0xffffffu);

    // The pulse sets the radius from the phase before it moves.
    s->pulsePhase = 256 << 16;
    s->pulseSpeed = 512 << 16;
    s->pulseAmplitude = 100;
    s->speed = 3 << 16;
    LRADIAL_update(s);
    EXPECT_EQ(s->radius, 99);
    EXPECT_EQ(s->pulsePhase, 768 << 16);
    EXPECT_EQ(s->phase, 3 << 16);
    LRADIAL_update(s);
    EXPECT_EQ(s->radius, -100);
    EXPECT_EQ(s->pulsePhase, 256 << 16);   // wrapped by the mask
    s->phase = LRADIAL_MASK;
    LRADIAL_rotate(s);
    EXPECT_EQ(s->phase, (3 << 16) - 1);
    LRADIAL_free(&s);
}
