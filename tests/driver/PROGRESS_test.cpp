#include <gtest/gtest.h>

#include <string>

#include "driver/PROGRESS.h"

TEST(ProgressLine, FramesBarRateAndTimeLeft)
{
    const struct {
        std::uint32_t done, total;
        double seconds;
        const char* line;
    } cases[] = {
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

TEST(ProgressLine, OnlyLongHeadlessRunsOnATerminal)
{
    OPTIONS o{};
    o.headless = true;
    o.frames = 1000;
    o.dump = true;
    EXPECT_TRUE(PROGRESS_wanted(&o, true));
    EXPECT_FALSE(PROGRESS_wanted(&o, false));   // not a terminal: nothing
    o.dump = false;
    EXPECT_FALSE(PROGRESS_wanted(&o, true));    // nothing written
    o.audioFile = "a.wav";
    EXPECT_TRUE(PROGRESS_wanted(&o, true));
    o.frames = 0;
    EXPECT_FALSE(PROGRESS_wanted(&o, true));    // no end to count to
    o.frames = 10;
    o.headless = false;
    EXPECT_FALSE(PROGRESS_wanted(&o, true));
    EXPECT_FALSE(PROGRESS_wanted(nullptr, true));
}
