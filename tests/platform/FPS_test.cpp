#include <gtest/gtest.h>

#include "platform/FPS.h"
#include "platform/HOST.h"

// Frames in a row on one pacer, on the virtual clock: the slot is
// 1 000 000 / target microseconds, slept in whole milliseconds; a start and
// end in one tick count as 1 us; a tick counter that wraps during the frame
// lands on that rule too, and without a target nothing sleeps.
TEST(FpsPacing, SlotsByTargetAndWork)
{
    struct Frame { std::int32_t target; std::uint32_t startTick, workMs, slept; std::int32_t wait, achieved, measured; };
    const Frame frames[] = {
        {50, 1000, 5, 15, 15000, 50, 200},
        {50, 0, 30, 0, -10000, 33, 33},              // over the slot: no sleep
        {50, 0, 0, 19, 19999, 50, 1000000},          // 19 999 us left: whole milliseconds only
        {100, 0, 4, 6, 6000, 100, 250},
        {100, 0, 10, 0, 0, 100, 100},                // exactly used up: no time to spare
        {0, 0xFFFFFFFEu, 5, 0, -1, 1000000, 1000000}, // wrapped to 3 ticks
    };
    HOST_reset();
    FPS* fps = FPS_new();
    ASSERT_NE(fps, nullptr);
    std::uint32_t count = 0;
    for (const Frame& f : frames) {
        fps->targetRate = f.target;
        if (f.startTick != 0) HOST_setTicks(f.startTick);
        FPS_start(fps);
        HOST_setTicks(HOST_ticks() + f.workMs);
        FPS_end(fps);
        const std::uint32_t before = HOST_ticks();
        FPS_wait(fps);
        EXPECT_EQ(HOST_ticks() - before, f.slept) << count;
        EXPECT_EQ(fps->waitMicros, f.wait) << count;
        EXPECT_EQ(fps->achievedRate, f.achieved) << count;
        EXPECT_EQ(fps->measuredRate, f.measured) << count;
        EXPECT_EQ(fps->frames, ++count);
    }
    FPS_free(&fps);
    // A null record is no frame: nothing is measured and nothing sleeps.
    FPS_start(nullptr);
    FPS_end(nullptr);
    FPS_wait(nullptr);
    EXPECT_EQ(HOST_ticks(), 3u);
    FPS_free(nullptr);
}
