// The shared overlays and the start-up objects they draw with: colour wheel,
// title blinking, the fps readout, the logo wave and the scroller colouring.
#include <gtest/gtest.h>

#include <cstdint>

#include "audio/SAMPLE.h"
#include "driver/QORN7316_state.h"
#include "vector/FONT.h"
#include "vector/LFONT.h"

namespace {

// The start-up objects the overlays need, made once for all tests here.
void setUp()
{
    if (frame == nullptr) {
        frame = IMG_new();
        IMG_setSize(frame, screenWidth, screenHeight);
    }
    if (pacer == nullptr) pacer = FPS_new();
    if (colourWheel == nullptr) QORN7316_makeColourWheel();
    if (titleFont == nullptr) QORN7316_makeFonts();
    if (lineFont == nullptr) QORN7316_makeLineFont();
    IMG_clear(frame, 0);
}

int countLit(const IMG* img, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    int n = 0;
    for (std::int32_t y = y0; y < y1; ++y)
        for (std::int32_t x = x0; x < x1; ++x) n += IMG_getPixel(img, x, y) != 0;
    return n;
}

// First row in the column band [x0, x0 + 16) holding a lit pixel, or -1.
std::int32_t topRow(const IMG* img, std::int32_t x0)
{
    for (std::int32_t y = 0; y < img->height; ++y)
        for (std::int32_t x = x0; x < x0 + 16; ++x)
            if (IMG_getPixel(img, x, y) != 0) return y;
    return -1;
}

}  // namespace

TEST(ColourWheel, RepeatsItsCornerColours)
{
    setUp();
    ASSERT_EQ(colourWheel->count, 1536);
    // Each corner colour is held for two entries; the last entry is the first's.
    const struct { std::int32_t index, colour; } corners[] = {
        {0, 0x00FF00}, {255, 0x00FFFF}, {256, 0x00FFFF}, {511, 0x0000FF}, {512, 0x0000FF}, {767, 0xFF00FF},
        {768, 0xFF00FF}, {1023, 0xFF0000}, {1024, 0xFF0000}, {1279, 0xFFFF00}, {1280, 0xFFFF00}, {1535, 0x00FF00},
    };
    for (const auto& c : corners) EXPECT_EQ(colourWheel->values[c.index], c.colour) << c.index;
    EXPECT_EQ(QORN7316_wheel(1536 + 256), 0x00FFFFu);
}

TEST(TitleOverlay, ShowsExactlyWhileBitNineIsSetAsMultiLineText)
{
    setUp();
    titleText = "AB\n C";
    for (std::uint32_t f : {0x000u, 0x1FFu, 0x400u, 0x5FFu}) {
        pacer->frames = f;
        IMG_clear(frame, 0);
        QORN7316_updateTitle();
        EXPECT_EQ(titleOn, 0) << f;
        EXPECT_EQ(countLit(frame, 0, 0, 256, 256), 0) << f;
    }
    for (std::uint32_t f : {0x200u, 0x3FFu, 0x600u}) {
        pacer->frames = f;
        IMG_clear(frame, 0);
        QORN7316_updateTitle();
        EXPECT_EQ(titleOn, 1) << f;
        EXPECT_GT(countLit(frame, 0, 0, 16, 16), 0);    // A
        EXPECT_GT(countLit(frame, 16, 0, 32, 16), 0);   // B
        EXPECT_GT(countLit(frame, 16, 16, 32, 32), 0);  // C on the second line, after the blank
        EXPECT_EQ(countLit(frame, 0, 16, 16, 32), 0);
        EXPECT_EQ(countLit(frame, 32, 0, 256, 256), 0);
    }
    titleText = "";
}

TEST(FpsOverlay, ShowsTheRateInHexThenFpsAndTheFrameCounter)
{
    setUp();
    pacer->achievedRate = 50;
    pacer->frames = 0x1234ABCDu;
    fpsInfoOn = 0;
    QORN7316_drawFpsInfo();
    EXPECT_EQ(countLit(frame, 0, 0, 256, 256), 0);   // off: nothing

    // The letters are exactly the line font's "32fps" at (0, 0) and the
    // counter at (128, 0), in the colour the glyphs hold.
    LFONT_setColor(lineFont, 0xFFFFFF);
    IMG* expected = IMG_new();
    IMG_setSize(expected, 256, 256);
    lineFont->target = expected;
    lineFont->position->x = 0;
    lineFont->position->y = 0;
    LFONT_drawLine(lineFont, "32fps");
    lineFont->position->x = 128;
    LFONT_drawLine(lineFont, "1234ABCD");
    lineFont->target = frame;
    fpsInfoOn = 1;
    QORN7316_drawFpsInfo();
    EXPECT_TRUE(IMG_equal(frame, expected));
    EXPECT_GT(countLit(frame, 0, 0, 80, 16), 0);
    EXPECT_EQ(countLit(frame, 0, 17, 256, 256), 0);

    // Over white the white letters stand on a black shadow.
    IMG_clear(frame, 0xFFFFFF);
    QORN7316_drawFpsInfo();
    EXPECT_GT(256 * 17 - countLit(frame, 0, 0, 256, 17), 50);
    IMG_free(&expected);
    fpsInfoOn = 0;
}

TEST(LogoWave, LettersHopByTheSineOfTheirPhase)
{
    setUp();
    // At f = 0 the letters' phases are 96, 64, 32 and 0: sine >> 10 gives
    // 17, 12, 6 and 0 pixels above the base line 240; glyph tops are 1 lower.
    pacer->frames = 0;
    QORN7316_drawLogoWave();
    EXPECT_EQ(topRow(frame, 176), 240 - 17 + 1);
    EXPECT_EQ(topRow(frame, 192), 240 - 12 + 1);
    EXPECT_EQ(topRow(frame, 208), 240 - 6 + 1);
    EXPECT_EQ(topRow(frame, 224), 240 + 1);
    EXPECT_EQ(countLit(frame, 0, 0, 176, 256), 0);
    // Every glyph has the colour of the last letter: wheel(192 - 3 * 64) = wheel(0).
    EXPECT_EQ(IMG_getPixel(frame, 225, 241), 0x00FF00u);

    // At f = 16 the phase of letter 3 is 17 * 16 = 272 AND 511: the wave's top.
    IMG_clear(frame, 0);
    pacer->frames = 16;
    QORN7316_drawLogoWave();
    EXPECT_EQ(topRow(frame, 224), 240 - 31 + 1);
}

TEST(Scroller, ColoursOnlyTheMidGreyTextPixels)
{
    setUp();
    QORN7316_initRasterBars();
    QORN7316_initScroller();
    scrollerOn = 1;
    rasterOn = 0;     // no bars yet: the colour image is black, the bodies drop out
    QORN7316_drawScroller();
    int greys = 0, colours = 0;
    for (std::int32_t i = 0; i < 256 * 256; ++i) {
        std::uint32_t c = frame->pixels[i];
        ASSERT_NE(c, 0x7F7F7Fu);
        bool grey = c != 0 && ((c >> 16) & 255) == (c & 255) && ((c >> 8) & 255) == (c & 255);
        greys += grey;
        colours += c != 0 && !grey;
    }
    EXPECT_GT(greys, 100);     // outlines and rims stay
    EXPECT_EQ(colours, 0);

    rasterOn = 1;
    IMG_clear(frame, 0);
    QORN7316_drawRasterBars();
    QORN7316_drawScroller();
    colours = 0;
    for (std::int32_t i = 0; i < 256 * 256; ++i) {
        std::uint32_t c = frame->pixels[i];
        ASSERT_NE(c, 0x7F7F7Fu);
        bool grey = ((c >> 16) & 255) == (c & 255) && ((c >> 8) & 255) == (c & 255);
        colours += !grey;
    }
    EXPECT_GT(colours, 100);   // bodies in the bar colours
    // The scroller lies in its band: rows 160 +- 32 up to 64 rows below.
    EXPECT_EQ(countLit(frame, 0, 0, 256, 120), 0);
}
