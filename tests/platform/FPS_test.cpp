#include <gtest/gtest.h>

#include "platform/FPS.h"
#include "platform/HOST.h"

namespace {

// One frame of the given work on the virtual clock; returns the ticks slept.
std::uint32_t frameOf(FPS* fps, std::uint32_t workMs)
{
    FPS_start(fps);
    HOST_setTicks(HOST_ticks() + workMs);
    FPS_end(fps);
    const std::uint32_t before = HOST_ticks();
    FPS_wait(fps);
    return HOST_ticks() - before;
}

}  // namespace

TEST(FpsPacing, FiveMillisecondsOfWorkAtFifty)
{
    HOST_reset();
    HOST_setTicks(1000);
    FPS* fps = FPS_new();
    ASSERT_NE(fps, nullptr);
    fps->targetRate = 50;
    EXPECT_EQ(frameOf(fps, 5), 15u);
    EXPECT_EQ(fps->elapsed, 5000.0);
    EXPECT_EQ(fps->measuredRate, 200);
    EXPECT_EQ(fps->waitMicros, 15000);
    EXPECT_EQ(fps->achievedRate, 50);
    EXPECT_EQ(fps->startTime, 1000000.0);
    EXPECT_EQ(fps->endTime, 1005000.0);
    EXPECT_EQ(fps->frames, 1u);
    FPS_free(&fps);
    EXPECT_EQ(fps, nullptr);
}

// Frames in a row on one pacer: the slot is 1 000 000 / target microseconds,
// slept in whole milliseconds; a start and end in one tick count as 1 us.
TEST(FpsPacing, SlotsByTargetAndWork)
{
    struct Frame { std::int32_t target; std::uint32_t workMs, slept; std::int32_t wait, achieved, measured; };
    const Frame frames[] = {
        {50, 30, 0, -10000, 33, 33},             // over the slot: no sleep
        {50, 0, 19, 19999, 50, 1000000},         // 19 999 us left: whole milliseconds only
        {100, 4, 6, 6000, 100, 250},
        {100, 10, 0, 0, 100, 100},               // exactly used up: no time to spare
    };
    HOST_reset();
    FPS* fps = FPS_new();
    std::uint32_t count = 0;
    for (const Frame& f : frames) {
        fps->targetRate = f.target;
        EXPECT_EQ(frameOf(fps, f.workMs), f.slept) << count;
        EXPECT_EQ(fps->waitMicros, f.wait) << count;
        EXPECT_EQ(fps->achievedRate, f.achieved) << count;
        EXPECT_EQ(fps->measuredRate, f.measured) << count;
        EXPECT_EQ(fps->frames, ++count);
    }
    FPS_free(&fps);
}

TEST(FpsPacing, WrappedTickCountAndZeroTargetStayDefined)
{
    HOST_reset();
    FPS* fps = FPS_new();
    fps->targetRate = 0;
    HOST_setTicks(0xFFFFFFFEu);
    FPS_start(fps);
    HOST_setTicks(3);   // the tick counter wrapped during the frame
    FPS_end(fps);
    EXPECT_EQ(fps->elapsed, 1.0);
    FPS_wait(fps);      // no slot without a target: no sleep, no division by zero
    EXPECT_EQ(HOST_ticks(), 3u);
    EXPECT_EQ(fps->achievedRate, 1000000);
    FPS_free(&fps);
}

// A null record is no frame: nothing is measured and nothing sleeps.
TEST(FpsPacing, NullRecordDoesNothing)
{
    HOST_reset();
    HOST_setTicks(100);
    FPS_start(nullptr);
    HOST_setTicks(150);
    FPS_end(nullptr);
    FPS_wait(nullptr);
    EXPECT_EQ(HOST_ticks(), 150u);
    FPS_free(nullptr);
    FPS* none = nullptr;
    FPS_free(&none);
    EXPECT_EQ(none, nullptr);
}
