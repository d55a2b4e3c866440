#include <gtest/gtest.h>

#include "driver/QORN7316.h"
#include "platform/HOST.h"
#include "platform/WINMAIN.h"

namespace {

// The part of start-up the frame loop needs, on the headless back end.
void setUpDriver()
{
    HOST_reset();
    WINMAIN_lastKey = 0;
    if (display != nullptr) WINDPY_free(&display);
    display = WINDPY_new();
    if (keyboard == nullptr) keyboard = WINKBD_new();
    keyboard->chars[0] = 0;
    for (IMG** img : {&frame, &glowImage, &blurImage}) {
        if (*img == nullptr) *img = IMG_new();
        IMG_setSize(*img, 256, 256);
    }
    if (pacer == nullptr) pacer = FPS_new();
    *pacer = FPS{};
    pacer->targetRate = 50;
    demoFlags = 0;
    titleText = "";
    backgroundColour = 0;
    fadeColour = 0x010101;
    trailFade = 1;
    keepFrame = 0;
    glowOn = blurOn = 0;
    scrollerOn = rasterOn = statsOn = 1;
    fpsInfoOn = musicOff = paused = 0;
    circleCount = rectangleCount = 8;
}

void press(char key)
{
    keyboard->chars[0] = static_cast<std::uint8_t>(key);
    QORN7316_handleKey(keyboard);
}

// The shown frame's pixel at (x, y), from the presented bottom-up rows.
std::uint32_t shown(std::int32_t x, std::int32_t y)
{
    std::int32_t w = 0, h = 0;
    const std::uint8_t* rows = HOST_lastFrame(&w, &h);
    if (rows == nullptr || x >= w || y >= h) return 0xDEADBEEFu;
    const std::uint8_t* p = rows + (static_cast<std::size_t>(h - 1 - y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)) * 3u;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
}

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

TEST(FrameLoop, RunsEnterEveryFrameAndLeave)
{
    setUpDriver();
    resetCounts();
    const QORN7316_LOOP loop{SCENE_E, countEnter, countFrame, countKeys, countLeave, false, true};
    QORN7316_runLoop(&loop);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(framesRun, 501);
    EXPECT_EQ(keysRun, 501);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(firstLeft, 501);
    EXPECT_EQ(lastLeft, 1);
    EXPECT_EQ(HOST_presentedFrames(), 501u);
    EXPECT_EQ(pacer->frames, 501u);
    EXPECT_EQ(HOST_ticks(), 501u * 20u);   // every frame draws 1 ms and sleeps 19 ms on the virtual clock
}

TEST(FrameLoop, SkipInTheLastFrameEndsWithoutWaiting)
{
    setUpDriver();
    resetCounts();
    const HOST_SCRIPTED_KEY space[] = {{501, ' '}};
    HOST_scriptKeys(space);
    const QORN7316_LOOP loop{SCENE_E, countEnter, countFrame, nullptr, countLeave, false, true};
    QORN7316_runLoop(&loop);
    EXPECT_EQ(framesRun, 501);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(pacer->frames, 500u);   // the skipped frame is neither ended nor waited for
    EXPECT_EQ(HOST_ticks(), 500u * 20u + 1u);   // the skipped frame was drawn (1 ms)
    EXPECT_EQ(demoFlags & QORN7316_SKIP, 0);
}

TEST(FrameLoop, SkipEarlyAndFrameFunctionEnd)
{
    setUpDriver();
    resetCounts();
    const HOST_SCRIPTED_KEY space[] = {{10, ' '}};
    HOST_scriptKeys(space);
    const QORN7316_LOOP skipped{SCENE_E, nullptr, countFrame, nullptr, countLeave, false, false};
    QORN7316_runLoop(&skipped);
    EXPECT_EQ(framesRun, 10);
    EXPECT_EQ(pacer->frames, 9u);
    EXPECT_EQ(HOST_ticks(), 1u + 9u * 20u);   // unpaced: never sleeps, each present waits for its 20 ms slot
    resetCounts();
    pacer->frames = 0;
    const QORN7316_LOOP ended{SCENE_E, nullptr, stopAtThird, nullptr, countLeave, false, true};
    QORN7316_runLoop(&ended);
    EXPECT_EQ(framesRun, 3);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(pacer->frames, 2u);   // the third frame ended the scene before it was presented
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
