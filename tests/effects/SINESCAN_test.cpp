#include <gtest/gtest.h>

#include "effects/SINESCAN.h"
#include "foundation/RANDOM.h"
#include "support/support.h"

namespace {

struct Scan {
    SINESCAN* s = SINESCAN_new();
    Scan() = default;
    ~Scan() { SINESCAN_free(&s); }
    Scan(const Scan&) = delete;
    Scan& operator=(const Scan&) = delete;
    SINESCAN* operator->() { return s; }
};

// All three waves at a quarter turn with amplitude 256.0 and no step.
void peak(SINESCAN* s)
{
    for (SINESCAN_WAVE& w : s->wave) w = {256 << 16, w.speed, 0, 0x1000000};
}

}  // namespace

TEST(SinescanRandomize, PaletteRampsAndRanges)
{
    RANDOM_srand(31u);
    Scan s;
    ASSERT_NE(s.s, nullptr);
    EXPECT_EQ(s->values->count, 256);
    ASSERT_EQ(s->palette->count, 2048);
    const std::int32_t* p = s->palette->values;
    EXPECT_EQ(p[1023], 0);
    EXPECT_EQ(p[1024], 0);
    EXPECT_EQ(p[1100], 76);
    EXPECT_EQ(p[1280], 0xFF);
    EXPECT_EQ(p[1535], 0xFFFF);
    EXPECT_EQ(p[1537], 0x1FFFF);
    EXPECT_EQ(p[2047], 0xFFFFFF);
    EXPECT_EQ(s->x, 0);
    EXPECT_GE(s->y, 0);
    EXPECT_LT(s->y, 256);
    for (const SINESCAN_WAVE& w : s->wave) {
        EXPECT_GE(w.speed, 0x10000 - 0x100000);
        EXPECT_LE(w.speed, 32767 + 0x10000 - 0x100000);
        EXPECT_EQ(w.amplitude, 0x1000000);
        EXPECT_LT(w.phase, 0x8000);
    }
}

TEST(SinescanDraw, FullPeakShadesBy127AndReadsThePaletteTop)
{
    Scan s;
    peak(s.s);
    s->wave[0].speed = -0x20000;
    s->colour = 0x000010u;
    s->y = 3;
    SINESCAN_compute(s.s);
    EXPECT_EQ(s->values->values[0], 32766 * 256 * 3);
    EXPECT_EQ(s->values->values[255], 32766 * 256 * 3);
    EXPECT_EQ(s->wave[0].phase, 254 << 16);
    support::Picture a(256, 8);
    SINESCAN_drawShade(s.s, a.img);
    // d = 3 * 256.0 >> 15 = 1536; 25164288 / 1536 = 16383; >> 7 = 127.
    EXPECT_EQ(IMG_getPixel(a.img, 0, 3), 0x7F7F8Fu);
    EXPECT_EQ(IMG_getPixel(a.img, 255, 3), 0x7F7F8Fu);
    EXPECT_EQ(IMG_getPixel(a.img, 0, 2), 0u);
    SINESCAN_drawPalette(s.s, a.img);
    EXPECT_EQ(IMG_getPixel(a.img, 100, 3), 0xFFFFFFu);   // 1024 + (16383 * 1024 >> 14) = 2047
}

TEST(SinescanDraw, ZeroAmplitudeSumDrawsNothing)
{
    Scan s;
    for (SINESCAN_WAVE& w : s->wave) w.amplitude = 0;
    SINESCAN_compute(s.s);
    support::Picture a(256, 256);
    SINESCAN_drawShade(s.s, a.img);
    SINESCAN_drawPalette(s.s, a.img);
    for (std::int32_t i = 0; i < 256 * 256; ++i) ASSERT_EQ(a.img->pixels[i], 0u);
}

TEST(SinescanCopy, EqualCopyAndClone)
{
    Scan a, b;
    EXPECT_FALSE(SINESCAN_equal(a.s, b.s));
    SINESCAN_copy(a.s, b.s);
    EXPECT_TRUE(SINESCAN_equal(a.s, b.s));
    EXPECT_EQ(b->y, a->y);
    SINESCAN* c = SINESCAN_clone(a.s);
    EXPECT_TRUE(SINESCAN_equal(a.s, c));
    c->wave[2].step += 1;
    EXPECT_FALSE(SINESCAN_equal(a.s, c));
    SINESCAN_free(&c);
    EXPECT_EQ(support::printed(SINESCAN_debug, [] { SINESCAN_compute(nullptr); }), "SINESCAN error\n");
}
