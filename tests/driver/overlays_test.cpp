// The overlays the golden runs never show: the title (from frame 512 on) and
// the fps readout (key 8).
#include <gtest/gtest.h>

#include <cstdint>

#include "support/driver.h"
#include "support/support.h"
#include "vector/LFONT.h"

namespace {

void setUp()
{
    support::setUpDriver();
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

}  // namespace

TEST(TitleOverlay, ShowsExactlyWhileBitNineIsSetAsMultiLineText)
{
    setUp();
    titleText = "AB\n C";
    for (std::uint32_t f : {0x000u, 0x1FFu, 0x200u, 0x3FFu, 0x400u, 0x5FFu, 0x600u}) {
        const bool on = (f & 0x200u) != 0;
        pacer->frames = f;
        IMG_clear(frame, 0);
        QORN7316_updateTitle();
        EXPECT_EQ(titleOn, on ? 1 : 0) << f;
        EXPECT_EQ(countLit(frame, 0, 0, 16, 16) > 0, on) << f;     // A
        EXPECT_EQ(countLit(frame, 16, 0, 32, 16) > 0, on) << f;    // B
        EXPECT_EQ(countLit(frame, 16, 16, 32, 32) > 0, on) << f;   // C on the second line, after the blank
        EXPECT_EQ(countLit(frame, 0, 16, 16, 32) + countLit(frame, 32, 0, 256, 256), 0) << f;
    }
    titleText = "";
}

// Exactly the line font's "32fps" at (0, 0) and the counter at (128, 0), in
// the colour the glyphs hold; over white the letters stand on a black shadow.
TEST(FpsOverlay, ShowsTheRateInHexThenFpsAndTheFrameCounter)
{
    setUp();
    pacer->achievedRate = 50;
    pacer->frames = 0x1234ABCDu;
    support::Picture expected(256, 256);
    LFONT_setColor(lineFont, 0xFFFFFF);
    lineFont->target = expected.img;
    lineFont->position->x = lineFont->position->y = 0;
    LFONT_drawLine(lineFont, "32fps");
    lineFont->position->x = 128;
    LFONT_drawLine(lineFont, "1234ABCD");
    fpsInfoOn = 1;
    QORN7316_drawFpsInfo();
    EXPECT_TRUE(IMG_equal(frame, expected.img));
    IMG_clear(frame, 0xFFFFFF);
    QORN7316_drawFpsInfo();
    EXPECT_GT(256 * 17 - countLit(frame, 0, 0, 256, 17), 50);
    fpsInfoOn = 0;
}
