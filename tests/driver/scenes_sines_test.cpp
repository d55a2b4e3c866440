#include <gtest/gtest.h>

#include <array>

#include "driver/QORN7316.h"
#include "effects/SINELINE.h"
#include "platform/HOST.h"
#include "platform/WINMAIN.h"

namespace {

// The part of start-up these scenes need, on the headless back end.
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
    keepFrame = 0;
    trailFade = 1;
    glowOn = blurOn = 0;
    fpsInfoOn = musicOff = paused = 0;
    if (colourWheel == nullptr) QORN7316_makeColourWheel();
}

// The shown frame's pixels, top row first, from the presented bottom-up rows.
std::array<std::uint32_t, 256 * 256> shown()
{
    std::array<std::uint32_t, 256 * 256> out{};
    std::int32_t w = 0, h = 0;
    const std::uint8_t* rows = HOST_lastFrame(&w, &h);
    if (rows == nullptr || w != 256 || h != 256) return out;
    for (std::int32_t y = 0; y < 256; ++y)
        for (std::int32_t x = 0; x < 256; ++x) {
            const std::uint8_t* p = rows + (static_cast<std::size_t>(255 - y) * 256u + static_cast<std::size_t>(x)) * 3u;
            out[static_cast<std::size_t>(y) * 256u + static_cast<std::size_t>(x)] =
                static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
        }
    return out;
}

std::int32_t count(const std::array<std::uint32_t, 256 * 256>& pixels, std::uint32_t colour)
{
    std::int32_t n = 0;
    for (std::uint32_t p : pixels) n += p == colour;
    return n;
}

}  // namespace

TEST(SineLinesSetUp, BandStepsAreDescendingMultiplesOfThreeDraws)
{
    QORN7316_initSineLines();   // the record exists from here on
    RANDOM_srand(0x2468ACEu);
    std::array<std::int32_t, 9> r{};
    for (auto& v : r) v = RANDOM_random30();
    RANDOM_srand(0x2468ACEu);
    QORN7316_initSineLines();
    const SINELINE* s = QORN7316_sineLineRecord();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->count, 256);
    EXPECT_EQ(s->height, 64);
    EXPECT_EQ(s->colour, 0xFFFFFFu);
    const std::int32_t speeds[3] = {(r[0] & 15) + 16, (r[1] % 24) + 24, (r[2] & 31) + 32};
    for (std::int32_t k = 0; k < 3; ++k) EXPECT_EQ(s->speed[k].y, (r[3 + k] & 1) == 1 ? -speeds[k] : speeds[k]);
    const std::int32_t a = (r[6] & 7) + 1, b = (r[7] & 7) + 1, c = (r[8] & 7) + 1;
    const std::int32_t* steps = QORN7316_sineLineBandSteps();
    for (std::int32_t k = 0; k < 8; ++k) {
        EXPECT_EQ(steps[3 * k], (7 - k) * c) << k;
        EXPECT_EQ(steps[3 * k + 1], (7 - k) * b) << k;
        EXPECT_EQ(steps[3 * k + 2], (7 - k) * a) << k;
    }
}

TEST(SineLinesScene, SkippedAfterOneFrameStillFadesToWhiteIn128Presents)
{
    setUpDriver();
    const HOST_SCRIPTED_KEY space[] = {{1, ' '}};
    HOST_scriptKeys(space);
    QORN7316_sineLines();
    EXPECT_EQ(HOST_presentedFrames(), 1u + 128u);
    EXPECT_EQ(count(shown(), 0xFFFFFFu), 256 * 256);
    EXPECT_STREQ(titleText, "");
    EXPECT_EQ(demoFlags & QORN7316_SKIP, 0);
}

TEST(HeightFieldScene, FirstFrameDrawsTheDefaultSegmentsLaterRunsTheLastGeometry)
{
    setUpDriver();
    // The flying logo flies over this scene; whatever an earlier test left of it
    // is kept out of this frame count.
    LOGOFLY* logo = flyingLogo;
    flyingLogo = nullptr;
    IMG_clear(frame, 0x336699u);
    // The fade-out takes 32 presents; the key after the first scene frame skips.
    const HOST_SCRIPTED_KEY space[] = {{33, ' '}, {66, ' '}};
    HOST_scriptKeys(space);
    QORN7316_heightField();
    EXPECT_EQ(HOST_presentedFrames(), 33u);
    // The default segments, (0, 0)-(1, 1) mirrored and moved to (512, -64),
    // lie outside the frame: the faded frame stays black.
    EXPECT_EQ(count(shown(), 0u), 256 * 256);
    EXPECT_EQ(backgroundColour, 0xFFFFFFu);
    QORN7316_heightField();
    EXPECT_EQ(HOST_presentedFrames(), 66u);
    // Now the first frame draws the grid of the previous run's update.
    EXPECT_GT(256 * 256 - count(shown(), 0u), 10000);
    flyingLogo = logo;
}
