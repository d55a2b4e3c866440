#include <gtest/gtest.h>

#include "effects/SINESCAN.h"
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

}  // namespace

TEST(SinescanRecord, PaletteRampsAmplitudesAndCopies)
{
    Scan s;
    EXPECT_EQ(s->values->count, 256);
    ASSERT_EQ(s->palette->count, 2048);
    const std::pair<int, std::int32_t> entries[] = {{1023, 0},      {1024, 0},       {1100, 76},      {1280, 0xFF},
                                                    {1535, 0xFFFF}, {1537, 0x1FFFF}, {2047, 0xFFFFFF}};
    for (auto [i, want] : entries) EXPECT_EQ(s->palette->values[i], want) << i;
    for (const SINESCAN_WAVE& w : s->wave) EXPECT_EQ(w.amplitude, 0x1000000);
    // Copies: two new records differ until one is copied to the other.
    Scan b;
    EXPECT_FALSE(SINESCAN_equal(s.s, b.s));
    SINESCAN_copy(s.s, b.s);
    EXPECT_TRUE(SINESCAN_equal(s.s, b.s));
    SINESCAN* c = SINESCAN_clone(s.s);
    EXPECT_TRUE(SINESCAN_equal(s.s, c));
    c->wave[2].step += 1;
    EXPECT_FALSE(SINESCAN_equal(s.s, c));
    SINESCAN_free(&c);
    EXPECT_EQ(support::printed(SINESCAN_debug, [] { SINESCAN_compute(nullptr); }), "SINESCAN error\n");
}

TEST(SinescanDraw, FullPeakShadesBy127AndZeroAmplitudeDrawsNothing)
{
    Scan s;
    for (SINESCAN_WAVE& w : s->wave) w = {256 << 16, w.speed, 0, 0x1000000};   // a quarter turn, no step
    s->wave[0].speed = -0x20000;
    s->colour = 0x000010u;
    s->y = 3;
    SINESCAN_compute(s.s);
    EXPECT_EQ(s->values->values[0], 32766 * 256 * 3);
    EXPECT_EQ(s->wave[0].phase, 254 << 16);
    support::Picture a(256, 8);
    SINESCAN_drawShade(s.s, a.img);
    // d = 3 * 256.0 >> 15 = 1536; 25164288 / 1536 = 16383; >> 7 = 127.
    EXPECT_EQ(a.at(0, 3), 0x7F7F8Fu);
    EXPECT_EQ(a.count(0x7F7F8Fu), 256);
    SINESCAN_drawPalette(s.s, a.img);
    EXPECT_EQ(a.at(100, 3), 0xFFFFFFu);   // 1024 + (16383 * 1024 >> 14) = 2047

    support::Picture none(256, 256);
    for (SINESCAN_WAVE& w : s->wave) w.amplitude = 0;
    SINESCAN_compute(s.s);
    SINESCAN_drawShade(s.s, none.img);
    SINESCAN_drawPalette(s.s, none.img);
    EXPECT_EQ(none.count(0), 256 * 256);
}
