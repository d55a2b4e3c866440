// Circle scenes: the benchmark count and the title font both benchmark scenes recolour.
#include <gtest/gtest.h>

#include <cstdint>

#include "driver/QORN7316_state.h"
#include "vector/FONT.h"

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

// The recoloured sheet at enter is in the golden frames; leave puts back the sheet exactly.
TEST(BenchmarkScenes, TitleFontColoursAreRestoredAtLeave)
{
    if (colourWheel == nullptr) QORN7316_makeColourWheel();
    if (titleFont == nullptr) QORN7316_makeFonts();
    const std::uint8_t music = musicOff;
    musicOff = 1;
    IMG* original = IMG_clone(titleFont->glyphs);
    for (const QORN7316_SCENE* loop : {&QORN7316_circlesBenchmarkScene, &QORN7316_rectanglesBenchmarkScene}) {
        QORN7316_enterScene(loop);
        EXPECT_FALSE(IMG_equal(titleFont->glyphs, original)) << loop->title;
        QORN7316_leaveScene(loop);
        EXPECT_TRUE(IMG_equal(titleFont->glyphs, original)) << loop->title;
    }
    IMG_free(&original);
    musicOff = music;
}
