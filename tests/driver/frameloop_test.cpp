#include <gtest/gtest.h>

#include "support/driver.h"

using support::press;
using support::setUpDriver;
using support::shown;

namespace {

int entered, framesRun, keysRun, left;
std::int32_t firstLeft, lastLeft;

void countEnter() { ++entered; }
bool countFrame(std::int32_t n)
{
    if (framesRun++ == 0) firstLeft = n;
    lastLeft = n;
    return true;
}
void countKeys() { ++keysRun; }
void countLeave() { ++left; }
bool stopAtThird(std::int32_t n)
{
    countFrame(n);
    return framesRun < 3;
}

void resetCounts() { entered = framesRun = keysRun = left = 0; }

}  // namespace

// A space ends the scene after the frame it came in: that frame is neither
// ended nor waited for. Every frame draws 1 ms and sleeps the rest of its
// 20 ms slot on the virtual clock; unpaced, each present waits for its slot.
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
        resetCounts();
        const HOST_SCRIPTED_KEY space[] = {{c.space, ' '}};
        if (c.space != 0) HOST_scriptKeys(space);
        const QORN7316_SCENE scene{"E", 501, countEnter, c.frame, countKeys, countLeave, false, c.paced};
        QORN7316_runLoop(&scene);
        EXPECT_EQ(entered, 1);
        EXPECT_EQ(framesRun, c.framesRun) << c.space;
        EXPECT_EQ(keysRun, c.framesRun - (c.frame == stopAtThird ? 1 : 0));
        EXPECT_EQ(left, 1);
        EXPECT_EQ(firstLeft, 501);
        EXPECT_EQ(lastLeft, 501 - c.framesRun + 1);
        EXPECT_EQ(pacer->frames, c.ended) << c.space;
        EXPECT_EQ(HOST_ticks(), c.ticks) << c.space;
        EXPECT_EQ(demoFlags & QORN7316_SKIP, 0);
    }
}

TEST(KeyHandler, TogglesAndReadsTheKeyOnce)
{
    setUpDriver();
    struct Toggle { char key; std::uint8_t* flag; std::uint8_t before; };
    const Toggle toggles[] = {
        {'1', &scrollerOn, 1}, {'4', &rasterOn, 1}, {'8', &fpsInfoOn, 0}, {'0', &musicOff, 0}, {'B', &blurOn, 0},
        {'G', &glowOn, 0}, {'F', &trailFade, 1}, {'S', &statsOn, 1}, {'W', &keepFrame, 0},
    };
    for (const Toggle& t : toggles) {
        ASSERT_EQ(*t.flag, t.before) << t.key;
        press(t.key);
        EXPECT_EQ(*t.flag, t.before ^ 1) << t.key;
        press(t.key);
        EXPECT_EQ(*t.flag, t.before) << t.key;
    }
    keyboard->chars[0] = 'G';
    keyboard->code = 7;
    QORN7316_handleKey(keyboard);
    EXPECT_EQ(keyboard->chars[0], 0);
    EXPECT_EQ(keyboard->code, 0);
    QORN7316_handleKey(keyboard);   // read once: no second toggle
    EXPECT_EQ(glowOn, 1);
    press('X');                      // not a driver key
    press(' ');
    EXPECT_EQ(demoFlags, QORN7316_SKIP);
    fpsInfoOn = 6;
    press('8');
    EXPECT_EQ(fpsInfoOn, 7);         // bit 0 only
}

TEST(KeyHandler, RatesAndCountsStayInTheirRanges)
{
    setUpDriver();
    pacer->targetRate = 99;
    press('6');
    press('6');
    press('6');
    EXPECT_EQ(pacer->targetRate, 100);
    pacer->targetRate = 2;
    press('5');
    press('5');
    EXPECT_EQ(pacer->targetRate, 1);
    for (int i = 0; i < 45; ++i) press('+');
    EXPECT_EQ(circleCount, 40);
    EXPECT_EQ(rectangleCount, 50);
    for (int i = 0; i < 45; ++i) press('-');
    EXPECT_EQ(circleCount, 0);
    EXPECT_EQ(rectangleCount, 5);
    for (int i = 0; i < 10; ++i) press('-');
    EXPECT_EQ(rectangleCount, 0);
}

TEST(KeyHandler, BackgroundKeyHasThreeCases)
{
    setUpDriver();
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

TEST(KeyHandlerDeathTest, EscapeFadesOutAndEndsWithStatusZero)
{
    setUpDriver();
    EXPECT_EXIT({ press(27); std::exit(3); }, testing::ExitedWithCode(0), "");
}

TEST(Pause, PKeyEntersAndLeavesAndSpaceIsKept)
{
    setUpDriver();
    const HOST_SCRIPTED_KEY keys[] = {{700, ' '}, {900, 'P'}, {950, 'G'}};
    HOST_scriptKeys(keys);
    press('P');
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(demoFlags & QORN7316_SKIP, QORN7316_SKIP);   // the space waits for after the pause
    EXPECT_EQ(glowOn, 0);                                  // keys after the P stay on their frames
    EXPECT_EQ(HOST_presentedFrames(), 0u);                 // nothing drawn while paused
    EXPECT_GT(HOST_ticks(), 0u);
}

TEST(PauseDeathTest, EscapeStillQuits)
{
    setUpDriver();
    const HOST_SCRIPTED_KEY keys[] = {{5, 27}};
    HOST_scriptKeys(keys);
    EXPECT_EXIT({ press('P'); std::exit(3); }, testing::ExitedWithCode(0), "");
}

TEST(Presentation, ClearKeepAndFadeTheNextFrame)
{
    setUpDriver();
    backgroundColour = 0x102030u;
    IMG_clear(frame, 0x808080u);
    keepFrame = 0;
    QORN7316_present();
    EXPECT_EQ(shown(5, 5), 0x808080u);
    EXPECT_EQ(IMG_getPixel(frame, 5, 5), 0x102030u);

    IMG_clear(frame, 0x808080u);
    keepFrame = 1;
    trailFade = 1;
    fadeColour = 0x030303u;
    QORN7316_present();
    EXPECT_EQ(IMG_getPixel(frame, 0, 0), 0x7D7D7Du);   // any background but white: toward black
    backgroundColour = 0xFFFFFFu;
    QORN7316_present();
    EXPECT_EQ(IMG_getPixel(frame, 0, 0), 0x808080u);   // white background: toward white
    IMG_clear(frame, 0xFEFEFEu);
    QORN7316_present();
    EXPECT_EQ(IMG_getPixel(frame, 0, 0), 0xFFFFFFu);   // capped
    backgroundColour = 0xFFFFFEu;
    QORN7316_present();
    EXPECT_EQ(IMG_getPixel(frame, 0, 0), 0xFCFCFCu);   // only exactly white counts

    trailFade = 0;
    QORN7316_present();
    EXPECT_EQ(IMG_getPixel(frame, 0, 0), 0xFCFCFCu);
    keepFrame = 2;
    trailFade = 1;
    QORN7316_present();
    EXPECT_EQ(IMG_getPixel(frame, 0, 0), 0xFCFCFCu);
    EXPECT_EQ(HOST_presentedFrames(), 7u);
}

TEST(Presentation, GlowAndBlurShowAFilteredCopy)
{
    setUpDriver();
    keepFrame = 2;
    IMG_clear(frame, 0);
    IMG_putPixel(frame, 100, 50, 0xFFFFFFu);
    glowOn = 1;
    QORN7316_present();
    EXPECT_EQ(shown(99, 50), 0x1F1F1Fu);
    EXPECT_EQ(shown(100, 50), 0xFFFFFFu);
    EXPECT_EQ(shown(101, 50), 0x1F1F1Fu);
    EXPECT_EQ(shown(102, 50), 0u);
    EXPECT_EQ(IMG_getPixel(frame, 101, 50), 0u);   // the frame itself is never filtered
    glowOn = 0;
    blurOn = 1;
    QORN7316_present();
    EXPECT_EQ(shown(98, 50), 0x1F1F1Fu);
    EXPECT_EQ(shown(99, 50), 0x1F1F1Fu);
    EXPECT_EQ(shown(100, 50), 0x7F7F7Fu);
    EXPECT_EQ(shown(102, 50), 0x1F1F1Fu);
    EXPECT_EQ(shown(103, 50), 0u);
    blurOn = 0;
    QORN7316_present();
    EXPECT_EQ(shown(100, 50), 0xFFFFFFu);
    EXPECT_EQ(shown(101, 50), 0u);
}

TEST(Transitions, FadesPresentWithoutPacingOrKeys)
{
    setUpDriver();
    HOST_pushKey('G');
    IMG_clear(frame, 0xFFFFFFu);
    QORN7316_fadeOut();
    EXPECT_EQ(HOST_presentedFrames(), 32u);
    EXPECT_EQ(IMG_getPixel(frame, 0, 0), 0u);
    QORN7316_fadeToWhite();
    EXPECT_EQ(HOST_presentedFrames(), 160u);
    EXPECT_EQ(IMG_getPixel(frame, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(HOST_ticks(), 1u + 159u * 20u);   // one 20 ms slot per present
    EXPECT_EQ(WINMAIN_lastKey, 0);   // no message pumped
}
