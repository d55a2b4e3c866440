#include <gtest/gtest.h>

#include <cstring>

#include "platform/HOST.h"

namespace {

void presentFrames(int n)
{
    static const std::uint8_t rows[3] = {};
    for (int i = 0; i < n; ++i) HOST_present(rows, 1, 1);
}

}  // namespace

TEST(HostKeyNames, CharactersAndWords)
{
    struct Case { const char* name; std::int32_t key; };
    for (const Case& c : {Case{"G", 'G'}, {"g", 'G'}, {"0", '0'}, {"+", '+'}, {"<", '<'}, {"space", ' '}, {"Escape", 27}, {"ESC", 27},
                          {"plus", '+'}, {"greater", '>'}, {"", 0}, {"*", 0}, {"spacebar", 0}, {"spac", 0}})
        EXPECT_EQ(HOST_keyFromName(c.name, std::strlen(c.name)), c.key) << c.name;
    EXPECT_EQ(HOST_keyFromName("spaceX", 5), ' ');   // only the given length counts
}

TEST(HostScript, KeysArriveBeforeTheirFramesPresentAndPointerStatesHold)
{
    HOST_reset();
    const HOST_SCRIPTED_KEY keys[] = {{3, 'B'}, {1, 'A'}, {3, 'C'}};
    HOST_scriptKeys(keys);
    const HOST_SCRIPTED_POINTER states[] = {{2, 10, 20, 1}, {4, -5, 300, 0}};
    HOST_scriptPointer(states);
    struct Step { std::int32_t keys[2], x, y, buttons; };   // after 0, 1, 2, 3 presents; -32: resting outside the frame
    const Step steps[] = {{{'A', 0}, -32, -32, 0}, {{0, 0}, 10, 20, 1}, {{'B', 'C'}, 10, 20, 1}, {{0, 0}, -5, 300, 0}};
    for (const Step& s : steps) {
        HOST_EVENT ev[8];
        const std::int32_t n = HOST_takeEvents(ev, 8);
        ASSERT_EQ(n, s.keys[1] != 0 ? 2 : s.keys[0] != 0 ? 1 : 0) << (&s - steps);
        for (std::int32_t i = 0; i < n; ++i) EXPECT_EQ(ev[i].kind == HOST_KEY ? ev[i].key : -1, s.keys[i]);   // script order kept
        HOST_POINTER p{};
        ASSERT_TRUE(HOST_readPointer(&p));
        EXPECT_EQ(p.screenX, s.x) << (&s - steps);
        EXPECT_EQ(p.screenY, s.y) << (&s - steps);
        EXPECT_EQ(p.buttons, s.buttons) << (&s - steps);
        presentFrames(1);
    }
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

// The virtual clock: 1 ms of drawing per frame, at least one slot per frame.
TEST(HostVirtualClock, EveryFrameLastsOneSlot)
{
    HOST_reset();
    struct Op { char what; std::uint32_t ms, ticks; };   // present, sleep or frame start; the clock after it
    const Op ops[] = {
        {'p', 0, 1},                  // shown at once, drawn in 1 ms
        {'p', 0, 21},                 // unpaced: waits for the first frame's slot
        {'f', 20, 40},                // a paced frame after it starts when that slot ends
        {'p', 0, 41}, {'s', 19, 60},  // 1 ms drawn: the pacer sleeps the other 19
        {'f', 20, 60}, {'s', 0, 60},  // nothing to complete; a sleep of 0 is none
        {'p', 0, 61}, {'s', 39, 100}, {'f', 40, 100}, {'p', 0, 101},   // 25 frames per second: a 40 ms slot
        {'f', 40, 140},               // unpaced at that rate: 40 ms a frame
    };
    for (const Op& op : ops) {
        if (op.what == 'p') presentFrames(1);
        if (op.what == 's') HOST_sleep(op.ms);
        if (op.what == 'f') HOST_frameStart(op.ms);
        EXPECT_EQ(HOST_ticks(), op.ticks) << (&op - ops);
    }
    HOST_useHeadless(HOST_CLOCK::REAL);
    HOST_frameStart(20);              // only the virtual clock is charged
    HOST_useHeadless(HOST_CLOCK::VIRTUAL);
    EXPECT_EQ(HOST_ticks(), 140u);
    HOST_setTicks(0xFFFFFFF0u);
    HOST_sleep(0x20);
    EXPECT_EQ(HOST_ticks(), 0x10u);   // wraps like a tick counter
    HOST_reset();
}
