#include <gtest/gtest.h>

#include <string>

#include "support/driver.h"

using support::press;
using support::setUpDriver;
using support::shown;

namespace {

int entered, framesRun, keysRun, left;
const char* titleAtEnter;
const char* titleAtLeave;

void countEnter() { ++entered, titleAtEnter = titleText; }
bool countFrame(std::int32_t) { return ++framesRun > 0; }
void countKeys() { ++keysRun; }
void countLeave() { ++left, titleAtLeave = titleText; }
bool stopAtThird(std::int32_t n) { return countFrame(n) && framesRun < 3; }

}  // namespace

// A space ends the scene after its frame, which is neither ended nor waited for; a frame is 20 ms of the
// virtual clock. The title comes after the scene's enter and goes after its leave.
TEST(FrameLoop, RunsUpToNFramesUntilASkipOrTheFrameStepEnds)
{
    const struct { std::uint32_t space; bool paced; bool (*frame)(std::int32_t); int framesRun; std::uint32_t ended, ticks; } cases[] = {
        {0, true, countFrame, 501, 501, 501 * 20},
        {501, true, countFrame, 501, 500, 500 * 20 + 1},
        {10, false, countFrame, 10, 9, 1 + 9 * 20},
        {0, true, stopAtThird, 3, 2, 2 * 20},   // the third frame ends the scene unpresented
    };
    for (const auto& c : cases) {
        setUpDriver();
        titleText = "old";
        entered = framesRun = keysRun = left = 0;
        const HOST_SCRIPTED_KEY space[] = {{c.space, ' '}};
        if (c.space != 0) HOST_scriptKeys(space);
        const QORN7316_SCENE scene{"E", 501, countEnter, c.frame, countKeys, countLeave, false, c.paced};
        QORN7316_runLoop(&scene);
        EXPECT_EQ(entered + left, 2);
        EXPECT_EQ(std::string(titleAtEnter) + titleAtLeave + titleText, "oldE");
        EXPECT_EQ(framesRun, c.framesRun) << c.space;
        EXPECT_EQ(keysRun, c.framesRun - (c.frame == stopAtThird ? 1 : 0));
        EXPECT_EQ(pacer->frames, c.ended) << c.space;
        EXPECT_EQ(HOST_ticks(), c.ticks) << c.space;
    }
    const QORN7316_SCENE bare{"B", 1, nullptr, countFrame, nullptr, nullptr, false, false};
    QORN7316_runLoop(&bare);
    EXPECT_STREQ(titleText, "");   // with no leave step too
}

// Each toggle flips its switch (8 only bit 0); a key is read once.
TEST(KeyHandler, TogglesAndReadsTheKeyOnce)
{
    setUpDriver();
    fpsInfoOn = 6;
    const struct { char key; std::uint8_t* flag; std::uint8_t before; } toggles[] = {
        {'1', &scrollerOn, 1}, {'4', &rasterOn, 1}, {'8', &fpsInfoOn, 6}, {'0', &musicOff, 0}, {'B', &blurOn, 0},
        {'G', &glowOn, 0}, {'F', &trailFade, 1}, {'S', &statsOn, 1}, {'W', &keepFrame, 0},
    };
    for (const auto& t : toggles) {
        press(t.key);
        EXPECT_EQ(*t.flag, t.before ^ 1) << t.key;
        QORN7316_handleKey(keyboard);
        press(t.key);
        EXPECT_EQ(*t.flag, t.before) << t.key;
    }
    press(' ');
    EXPECT_EQ(demoFlags, QORN7316_SKIP);
}

// Rate in 1..100, counts in 0..40 and 0..50; Q: black to white, white to random, any other to black.
TEST(KeyHandler, RatesCountsAndBackgroundStayInTheirRanges)
{
    setUpDriver();
    const struct { char key; int times; std::int32_t rate, circles, rectangles; } rows[] = {
        {'6', 3, 100, 8, 8}, {'5', 200, 1, 8, 8}, {'+', 45, 1, 40, 50}, {'-', 45, 1, 0, 5}, {'-', 10, 1, 0, 0},
    };
    pacer->targetRate = 97;
    for (const auto& r : rows) {
        for (int i = 0; i < r.times; ++i) press(r.key);
        EXPECT_EQ(pacer->targetRate * 10000 + circleCount * 100 + rectangleCount, r.rate * 10000 + r.circles * 100 + r.rectangles) << r.key;
    }
    press('Q');
    EXPECT_EQ(backgroundColour, 0xFFFFFFu);
    RANDOM_srand(0x10531751u);
    const std::uint32_t r = static_cast<std::uint32_t>(RANDOM_random30()) & 0xFFFFFFu;
    RANDOM_srand(0x10531751u);
    press('Q');
    EXPECT_EQ(backgroundColour, r);
    press('Q');
    EXPECT_EQ(backgroundColour, 0u);
}

// A paused demo draws nothing; P ends it, a space is kept for after it and Escape still quits.
TEST(PauseDeathTest, PKeyEntersAndLeavesSpaceIsKeptEscapeQuits)
{
    setUpDriver();
    const HOST_SCRIPTED_KEY keys[] = {{700, ' '}, {900, 'P'}, {950, 'G'}};
    HOST_scriptKeys(keys);
    press('P');
    EXPECT_EQ(paused + glowOn, 0);
    EXPECT_EQ(demoFlags & QORN7316_SKIP, QORN7316_SKIP);
    EXPECT_EQ(HOST_presentedFrames(), 0u);
    EXPECT_GT(HOST_ticks(), 0u);
    const HOST_SCRIPTED_KEY escape[] = {{5, 27}};
    HOST_scriptKeys(escape);
    EXPECT_EXIT({ press('P'); std::exit(3); }, testing::ExitedWithCode(0), "");
}

// Shown, then kept: kept frames fade toward black, toward white on exactly white; not without F, not
// with keep 2 (the clear to the background and the capped fade are in the golden frames).
TEST(Presentation, KeepAndFadeTheNextFrame)
{
    setUpDriver();
    fadeColour = 0x030303u;
    const struct { std::uint32_t clear, background; std::uint8_t fade, keep; std::uint32_t after; } rows[] = {
        {0x808080u, 0x102030u, 1, 1, 0x7D7D7Du}, {0x808080u, 0xFFFFFFu, 1, 1, 0x838383u},
        {0x808080u, 0xFFFFFEu, 1, 1, 0x7D7D7Du}, {0x808080u, 0xFFFFFFu, 0, 1, 0x808080u},
        {0x808080u, 0xFFFFFFu, 1, 2, 0x808080u},
    };
    for (const auto& r : rows) {
        IMG_clear(frame, r.clear);
        backgroundColour = r.background;
        trailFade = r.fade;
        keepFrame = r.keep;
        QORN7316_present();
        EXPECT_EQ(shown(5, 5), r.clear);
        EXPECT_EQ(IMG_getPixel(frame, 5, 5), r.after) << std::hex << r.background << " keep " << +r.keep;
    }
}

TEST(Presentation, GlowAndBlurShowAFilteredCopy)
{
    setUpDriver();
    keepFrame = 2;
    IMG_clear(frame, 0);
    IMG_putPixel(frame, 100, 50, 0xFFFFFFu);
    const struct { std::uint8_t glow, blur; std::uint32_t at[6]; } rows[] = {   // columns 98 to 103
        {1, 0, {0u, 0x1F1F1Fu, 0xFFFFFFu, 0x1F1F1Fu, 0u, 0u}},
        {0, 1, {0x1F1F1Fu, 0x1F1F1Fu, 0x7F7F7Fu, 0x1F1F1Fu, 0x1F1F1Fu, 0u}},
        {0, 0, {0u, 0u, 0xFFFFFFu, 0u, 0u, 0u}},
    };
    for (const auto& r : rows) {
        glowOn = r.glow;
        blurOn = r.blur;
        QORN7316_present();
        for (std::int32_t x = 98; x < 104; ++x) EXPECT_EQ(shown(x, 50), r.at[x - 98]) << x << " glow " << +r.glow;
        EXPECT_EQ(IMG_getPixel(frame, 101, 50), 0u);   // the frame itself is never filtered
    }
}
