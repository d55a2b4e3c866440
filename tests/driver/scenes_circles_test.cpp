// Circle scenes: the benchmark count and the text colours of both benchmark scenes.
#include <gtest/gtest.h>

#include <cstdint>

#include "driver/QORN7316_state.h"
#include "support/support.h"
#include "vector/FONT.h"

// A count of zero draws nothing and draws no numbers (the discs themselves are in the golden frames).
TEST(BlendedCircles, CountZeroDrawsNothing)
{
    if (colourWheel == nullptr) QORN7316_makeColourWheel();
    support::Picture image(256, 256, 0x808080u);
    RANDOM_srand(77);
    QORN7316_blendedCirclesDraw(image.img, 0, 32);
    EXPECT_EQ(RANDOM_seed, 77u);
    EXPECT_EQ(image.count(0x808080u), 256 * 256);
}

// One more circle while the frame leaves time to spare, one fewer otherwise, never below zero.
TEST(CirclesBenchmark, CountFollowsTheSpareTimeAndNeverGoesBelowZero)
{
    FPS* saved = pacer;
    FPS timing{};
    timing.targetRate = 50;
    pacer = &timing;
    const struct { std::int32_t wait, count, next; } rows[] = {
        {15000, 0, 1}, {15000, 41, 42}, {1, 7, 8}, {0, 7, 6}, {-10000, 1, 0}, {-10000, 0, 0},
    };
    for (const auto& r : rows) {
        timing.waitMicros = r.wait;
        EXPECT_EQ(QORN7316_adaptCount(r.count), r.next) << r.wait << " " << r.count;
    }
    pacer = saved;
}

TEST(BenchmarkScenes, TitleFontColoursAreRestoredAtLeave)
{
    if (colourWheel == nullptr) QORN7316_makeColourWheel();
    if (titleFont == nullptr) QORN7316_makeFonts();
    const std::uint8_t music = musicOff;
    musicOff = 1;
    IMG* original = IMG_clone(titleFont->glyphs);
    const struct { const QORN7316_SCENE* loop; std::uint32_t paper; } scenes[] = {
        {&QORN7316_circlesBenchmarkScene, 0x004444u}, {&QORN7316_rectanglesBenchmarkScene, 0x442244u}};
    for (const auto& [loop, paper] : scenes) {
        QORN7316_enterScene(loop);
        std::int32_t greyOrWhite = 0, papered = 0;
        for (std::int32_t i = 0; i < original->width * original->height; ++i) {
            const std::uint32_t c = titleFont->glyphs->pixels[i];
            greyOrWhite += c == 0x7F7F7Fu || c == 0xFFFFFFu ? 1 : 0;
            papered += original->pixels[i] == 0xFFFFFFu && c == paper ? 1 : 0;
        }
        EXPECT_TRUE(greyOrWhite == 0 && papered > 0) << greyOrWhite << " " << papered;
        QORN7316_leaveScene(loop);
        EXPECT_TRUE(IMG_equal(titleFont->glyphs, original));
    }
    IMG_free(&original);
    musicOff = music;
}
