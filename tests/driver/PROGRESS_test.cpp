#include <gtest/gtest.h>

#include <string>

#include "driver/PROGRESS.h"

TEST(ProgressLine, FramesBarRateAndTimeLeft)
{
    const struct { std::uint32_t done, total; double seconds; const char* line; } cases[] = {
        {0, 1000, 0.0, "[....................] 0/1000 frames   0% - fps --:-- left"},
        {250, 1000, 2.5, "[#####...............] 250/1000 frames  25% 100 fps 0:08 left"},
        {999, 1000, 9.99, "[###################.] 999/1000 frames  99% 100 fps 0:00 left"},
        {1000, 1000, 4.0, "[####################] 1000/1000 frames 100% 250 fps 0:00 left"},
        {1, 100000, 1.0, "[....................] 1/100000 frames   0% 1 fps 27:46:39 left"},
        {7, 5, 1.0, "[####################] 5/5 frames 100% 5 fps 0:00 left"},   // clamped
    };
    for (const auto& c : cases) EXPECT_EQ(PROGRESS_line(c.done, c.total, c.seconds), c.line);
    EXPECT_LE(PROGRESS_line(1, 4294967295u, 1e-9).size(), 79u);
}

// Only long headless runs that write frames or sound, on a terminal.
TEST(ProgressLine, OnlyLongHeadlessRunsOnATerminal)
{
    const struct { bool headless; std::uint32_t frames; bool dump; const char* audio; bool terminal, wanted; } cases[] = {
        {true, 1000, true, "", true, true}, {true, 1000, true, "", false, false}, {true, 1000, false, "", true, false},
        {true, 1000, false, "a.wav", true, true}, {true, 0, false, "a.wav", true, false}, {false, 10, false, "a.wav", true, false},
    };
    for (const auto& c : cases) {
        OPTIONS o{};
        o.headless = c.headless;
        o.frames = c.frames;
        o.dump = c.dump;
        o.audioFile = c.audio;
        EXPECT_EQ(PROGRESS_wanted(&o, c.terminal), c.wanted) << c.frames << " " << c.dump << " " << c.audio;
    }
    EXPECT_FALSE(PROGRESS_wanted(nullptr, true));
}
