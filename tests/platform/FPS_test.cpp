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

TEST(FpsPacing, ThirtyMillisecondsOfWorkAtFiftyDoesNotSleep)
{
    HOST_reset();
    FPS* fps = FPS_new();
    fps->targetRate = 50;
    EXPECT_EQ(frameOf(fps, 30), 0u);
    EXPECT_EQ(fps->waitMicros, -10000);
    EXPECT_EQ(fps->achievedRate, 33);
    EXPECT_EQ(fps->measuredRate, 33);
    FPS_free(&fps);
}

TEST(FpsPacing, StartAndEndInOneTick)
{
    HOST_reset();
    FPS* fps = FPS_new();
    fps->targetRate = 50;
    EXPECT_EQ(frameOf(fps, 0), 19u);   // 19 999 microseconds left: whole milliseconds only
    EXPECT_EQ(fps->elapsed, 1.0);
    EXPECT_EQ(fps->measuredRate, 1000000);
    EXPECT_EQ(fps->waitMicros, 19999);
    EXPECT_EQ(fps->achievedRate, 50);
    FPS_free(&fps);
}

TEST(FpsPacing, TargetOfHundredHasATenMillisecondSlot)
{
    HOST_reset();
    FPS* fps = FPS_new();
    fps->targetRate = 100;
    EXPECT_EQ(frameOf(fps, 4), 6u);
    EXPECT_EQ(fps->waitMicros, 6000);
    EXPECT_EQ(frameOf(fps, 10), 0u);   // exactly used up: no time to spare
    EXPECT_EQ(fps->waitMicros, 0);
    EXPECT_EQ(fps->achievedRate, 100);
    EXPECT_EQ(fps->frames, 2u);
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
