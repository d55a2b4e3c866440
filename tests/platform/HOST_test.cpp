#include <gtest/gtest.h>

#include <cstring>

#include "platform/HOST.h"

namespace {

std::int32_t key(const char* name)
{
    return HOST_keyFromName(name, std::strlen(name));
}

void presentFrames(int n)
{
    static const std::uint8_t rows[3] = {};
    for (int i = 0; i < n; ++i) HOST_present(rows, 1, 1);
}

}  // namespace

TEST(HostKeyNames, CharactersAndWords)
{
    EXPECT_EQ(key("G"), 'G');
    EXPECT_EQ(key("g"), 'G');
    EXPECT_EQ(key("0"), '0');
    EXPECT_EQ(key("+"), '+');
    EXPECT_EQ(key("<"), '<');
    EXPECT_EQ(key("space"), ' ');
    EXPECT_EQ(key("Escape"), 27);
    EXPECT_EQ(key("ESC"), 27);
    EXPECT_EQ(key("plus"), '+');
    EXPECT_EQ(key("greater"), '>');
    EXPECT_EQ(key(""), 0);
    EXPECT_EQ(key("*"), 0);
    EXPECT_EQ(key("spacebar"), 0);
    EXPECT_EQ(key("spac"), 0);
    EXPECT_EQ(HOST_keyFromName("spaceX", 5), ' ');   // only the given length counts
}

TEST(HostScript, KeyForFrameNArrivesBeforeTheNthPresent)
{
    HOST_reset();
    const HOST_SCRIPTED_KEY keys[] = {{3, 'B'}, {1, 'A'}, {3, 'C'}};
    HOST_scriptKeys(keys);
    HOST_EVENT ev[8];
    ASSERT_EQ(HOST_takeEvents(ev, 8), 1);
    EXPECT_EQ(ev[0].kind, HOST_KEY);
    EXPECT_EQ(ev[0].key, 'A');
    presentFrames(1);
    EXPECT_EQ(HOST_takeEvents(ev, 8), 0);
    presentFrames(1);
    ASSERT_EQ(HOST_takeEvents(ev, 8), 2);   // same frame: script order kept
    EXPECT_EQ(ev[0].key, 'B');
    EXPECT_EQ(ev[1].key, 'C');
    EXPECT_EQ(HOST_takeEvents(ev, 8), 0);
}

TEST(HostScript, PointerStateHoldsFromItsFrame)
{
    HOST_reset();
    const HOST_SCRIPTED_POINTER states[] = {{2, 10, 20, 1}, {4, -5, 300, 0}};
    HOST_scriptPointer(states);
    HOST_POINTER p{};
    ASSERT_TRUE(HOST_readPointer(&p));
    EXPECT_EQ(p.screenX, -32);   // resting outside the frame
    EXPECT_EQ(p.buttons, 0);
    presentFrames(1);
    ASSERT_TRUE(HOST_readPointer(&p));
    EXPECT_EQ(p.screenX, 10);
    EXPECT_EQ(p.screenY, 20);
    EXPECT_EQ(p.buttons, 1);
    presentFrames(2);
    ASSERT_TRUE(HOST_readPointer(&p));
    EXPECT_EQ(p.screenX, -5);
    EXPECT_EQ(p.screenY, 300);
    EXPECT_EQ(p.buttons, 0);
}

TEST(HostClock, VirtualTicksMoveOnlyBySleeping)
{
    HOST_reset();
    EXPECT_EQ(HOST_ticks(), 0u);
    HOST_sleep(19);
    HOST_sleep(0);
    EXPECT_EQ(HOST_ticks(), 19u);
    HOST_setTicks(0xFFFFFFF0u);
    HOST_sleep(0x20);
    EXPECT_EQ(HOST_ticks(), 0x10u);   // wraps like a tick counter
}

TEST(HostIdle, ReleasesTheNextScriptedKeyOnlyWhenNothingIsOnItsWay)
{
    HOST_reset();
    const HOST_SCRIPTED_KEY keys[] = {{100, 'P'}, {200, 'Q'}};
    HOST_scriptKeys(keys);
    HOST_EVENT ev[4];
    HOST_idle(true);   // a key waits to be read: nothing released
    EXPECT_EQ(HOST_takeEvents(ev, 4), 0);
    HOST_idle(false);
    ASSERT_EQ(HOST_takeEvents(ev, 4), 1);
    EXPECT_EQ(ev[0].key, 'P');
    EXPECT_EQ(HOST_takeEvents(ev, 4), 0);   // 'Q' stays on its frame
    EXPECT_EQ(HOST_ticks(), 20u);
}

TEST(HostIdleDeathTest, PauseWithoutScriptedKeysEndsTheRun)
{
    HOST_reset();
    EXPECT_EXIT(HOST_idle(false), testing::ExitedWithCode(1), "paused with no scripted key left");
}

TEST(HostFrameLimitDeathTest, EndsWithStatusZeroAtTheLimit)
{
    HOST_reset();
    HOST_setFrameLimit(3);
    presentFrames(2);
    EXPECT_EQ(HOST_presentedFrames(), 2u);
    EXPECT_EXIT(presentFrames(1), testing::ExitedWithCode(0), "");
}

// The virtual clock: 1 ms of drawing per frame, at least one slot per frame.
TEST(HostVirtualClock, EveryFrameLastsOneSlot)
{
    HOST_reset();
    std::uint8_t rows[3] = {};
    HOST_present(rows, 1, 1);                       // shown at once, drawn in 1 ms
    EXPECT_EQ(HOST_ticks(), 1u);
    HOST_present(rows, 1, 1);                       // unpaced: waits for the first frame's slot
    EXPECT_EQ(HOST_ticks(), 21u);
    HOST_frameStart(20);                            // a paced frame after it starts when that slot ends
    EXPECT_EQ(HOST_ticks(), 40u);
    HOST_present(rows, 1, 1);
    EXPECT_EQ(HOST_ticks(), 41u);                   // 1 ms drawn: the pacer sleeps the other 19
    HOST_sleep(19);
    HOST_frameStart(20);
    EXPECT_EQ(HOST_ticks(), 60u);                   // nothing to complete
    HOST_present(rows, 1, 1);
    HOST_sleep(39);                                 // 25 frames per second: a 40 ms slot
    HOST_frameStart(40);
    HOST_present(rows, 1, 1);
    EXPECT_EQ(HOST_ticks(), 101u);
    HOST_frameStart(40);                            // unpaced at that rate: 40 ms a frame
    EXPECT_EQ(HOST_ticks(), 140u);
    HOST_useHeadless(HOST_CLOCK::REAL);
    HOST_frameStart(20);                            // only the virtual clock is charged
    HOST_useHeadless(HOST_CLOCK::VIRTUAL);
    EXPECT_EQ(HOST_ticks(), 140u);
    HOST_reset();
}
