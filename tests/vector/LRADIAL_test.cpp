#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <utility>

#include "audio/SAMPLE.h"
#include "foundation/RANDOM.h"
#include "vector/LRADIAL.h"
#include "support/support.h"

TEST(LradialRays, SettingsWheelAndRayEnds)
{
    RANDOM_srand(11);
    LRADIAL* s = LRADIAL_new();   // speed, radius and colour from the first three draws after seed 11
    EXPECT_EQ(std::tuple(s->speed, s->radius, s->color), std::tuple(32842, 32, 0x80D290u));
    ASSERT_EQ(LRADIAL_wheel->count, 1536);   // the colour wheel's corners
    const std::int32_t corners[][2] = {{0, 0x00FF00}, {255, 0x00FFFF}, {256, 0x00FFFF}, {511, 0x0000FF},
                                       {512, 0x0000FF}, {768, 0xFF00FF}, {1024, 0xFF0000}, {1280, 0xFFFF00},
                                       {1535, 0x00FF00}};
    for (const auto& [index, colour] : corners) EXPECT_EQ(LRADIAL_wheel->values[index], colour) << index;
    SAMPLE* first = LRADIAL_wheel;
    LRADIAL* t = LRADIAL_new();   // built once
    EXPECT_EQ(LRADIAL_wheel, first);
    LRADIAL_free(&t);
    EXPECT_EQ(support::printed(LRADIAL_debug, [&] { LRADIAL_setRays(s, 0); }), "LRADIAL error\n");
    EXPECT_EQ(std::pair(s->rays, s->step), std::pair(16, 4194304));   // refused: sixteen rays, a sixteenth of a turn apart

    support::Picture target(256, 256);
    LRADIAL_setRays(s, 4);
    s->phase = 0;
    s->radius = 100;
    s->color = 0xffffff;
    LRADIAL_plot(s, target.img);
    EXPECT_EQ(target.count(0xffffff), 4);
    for (const auto& [x, y] : {std::pair{128, 227}, {227, 128}, {128, 28}, {28, 128}})
        EXPECT_EQ(target.at(x, y), 0xffffffu) << x << "," << y;

    IMG_clear(target.img, 0);
    s->target = target.img;
    LRADIAL_drawCircles(s, 0);
    EXPECT_EQ(target.count(0), 256 * 256);
    LRADIAL_drawSpokes(s, target.img);
    EXPECT_EQ(std::pair(target.at(128, 200), target.at(60, 128)), std::pair(0xffffffu, 0xffffffu));

    // The pulse sets the radius from the phase before it moves.
    s->pulsePhase = 768 << 16;
    s->pulseSpeed = 512 << 16;
    s->pulseAmplitude = 100;
    s->speed = 3 << 16;
    LRADIAL_update(s);
    EXPECT_EQ(std::tuple(s->radius, s->pulsePhase, s->phase), std::tuple(-100, 256 << 16, 3 << 16));   // wrapped by the mask
    s->phase = LRADIAL_MASK;
    LRADIAL_rotate(s);
    EXPECT_EQ(s->phase, (3 << 16) - 1);
    LRADIAL_free(&s);
}
