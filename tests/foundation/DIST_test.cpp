#include <gtest/gtest.h>

#include "foundation/DISTX.h"
#include "foundation/DISTY.h"

namespace {

// A w x h source whose pixel (x, y) is 0x010000 * (y + 1) + x + 1.
IMG* numbered(std::int32_t w, std::int32_t h)
{
    IMG* image = IMG_new();
    IMG_setSize(image, w, h);
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) image->pixels[y * w + x] = 0x010000u * static_cast<std::uint32_t>(y + 1) + static_cast<std::uint32_t>(x + 1);
    return image;
}

}  // namespace

TEST(DistxDraw, ZeroAmplitudeDrawsEveryRowUnshiftedAndWrapped)
{
    DISTX* d = DISTX_new();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->amplitude, 16);
    EXPECT_EQ(d->cursor.step, 16);
    EXPECT_EQ(d->cursor.length, 1024);
    IMG* target = IMG_new();
    IMG_setSize(target, 8, 8);
    d->image = numbered(4, 3);
    d->image->pixels[5] = 0;   // (1, 1) transparent
    d->amplitude = 0;
    d->x = -2;
    d->y = 1;
    DISTX_draw(d, target);
    for (std::int32_t r = 0; r < 3; ++r) {
        const std::int32_t cols[4] = {6, 7, 0, 1};
        for (std::int32_t c = 0; c < 4; ++c) {
            const std::uint32_t want = r == 1 && c == 1 ? 0u : d->image->pixels[r * 4 + c];
            EXPECT_EQ(IMG_getPixel(target, cols[c], 1 + r), want) << r << "," << c;
        }
        EXPECT_EQ(IMG_getPixel(target, 3, 1 + r), 0u);
    }
    EXPECT_EQ(d->cursor.offset, 48);   // one step per row
    IMG_free(&d->image);
    IMG_free(&target);
    DISTX_free(&d);
}

TEST(DistxDraw, RowsShiftBySineTimesAmplitude)
{
    DISTX* d = DISTX_new();
    IMG* target = IMG_new();
    IMG_setSize(target, 32, 4);
    d->image = numbered(1, 3);
    d->amplitude = 64;
    d->x = 10;
    // Rows read entries 16, 32, 48: 3212, 6393, 9512 times 64, >> 16.
    DISTX_draw(d, target);
    EXPECT_EQ(IMG_getPixel(target, 13, 0), 0x010001u);
    EXPECT_EQ(IMG_getPixel(target, 16, 1), 0x020001u);
    EXPECT_EQ(IMG_getPixel(target, 19, 2), 0x030001u);
    // Half a turn on, the entries are negative and the shift rounds down.
    IMG_clear(target, 0);
    d->cursor.speed = 512;
    DISTX_advance(d);
    EXPECT_EQ(d->cursor.base, 512);
    DISTX_draw(d, target);
    EXPECT_EQ(IMG_getPixel(target, 6, 0), 0x010001u);
    EXPECT_EQ(IMG_getPixel(target, 3, 1), 0x020001u);
    EXPECT_EQ(IMG_getPixel(target, 0, 2), 0x030001u);
    // Rows below the target are skipped; the wave still steps for them.
    d->y = 2;
    DISTX_draw(d, target);
    EXPECT_EQ(IMG_getPixel(target, 6, 2), 0x010001u);
    EXPECT_EQ(IMG_getPixel(target, 3, 3), 0x020001u);
    EXPECT_EQ(d->cursor.offset, 48);
    IMG_free(&d->image);
    IMG_free(&target);
    DISTX_free(&d);
    EXPECT_EQ(d, nullptr);
}

TEST(DistyDraw, ColumnsShiftAndWrapVertically)
{
    DISTY* d = DISTY_new();
    ASSERT_NE(d, nullptr);
    IMG* target = IMG_new();
    IMG_setSize(target, 3, 8);
    d->image = numbered(4, 2);   // column 3 lands outside the target
    d->amplitude = 64;
    d->y = 6;
    DISTY_draw(d, target);
    // Column 0: shift 3, rows 9 and 10 wrap to 1 and 2; column 1: shift 6.
    EXPECT_EQ(IMG_getPixel(target, 0, 1), 0x010001u);
    EXPECT_EQ(IMG_getPixel(target, 0, 2), 0x020001u);
    EXPECT_EQ(IMG_getPixel(target, 1, 4), 0x010002u);
    EXPECT_EQ(IMG_getPixel(target, 1, 5), 0x020002u);
    EXPECT_EQ(IMG_getPixel(target, 2, 7), 0x010003u);   // shift 9: row 15 wraps to 7
    EXPECT_EQ(IMG_getPixel(target, 2, 0), 0x020003u);
    EXPECT_EQ(d->cursor.offset, 64);
    DISTY_draw(nullptr, target);
    IMG_free(&d->image);
    IMG_free(&target);
    DISTY_free(&d);
}
