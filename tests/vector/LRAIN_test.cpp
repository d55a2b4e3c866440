#include <gtest/gtest.h>

#include <cstdint>

#include "vector/LRAIN.h"

TEST(LrainDrops, FallWrapAndDraw)
{
    LRAIN* rain = LRAIN_new();
    ASSERT_NE(rain, nullptr);
    ASSERT_EQ(rain->count, 16);
    for (std::int32_t i = 0; i < 16; ++i) {
        EXPECT_EQ(rain->drops[2 * i] & 0xffff, 0);
        EXPECT_LT(rain->drops[2 * i] >> 16, 256);
        EXPECT_LT(rain->drops[2 * i + 1] >> 16, 256);
    }
    LRAIN_setCount(rain, 1);
    rain->drops[0] = 10 << 16;
    rain->drops[1] = 254 << 16;
    LRAIN_step(rain);
    EXPECT_EQ(rain->drops[1], 255 << 16);
    LRAIN_step(rain);   // 256 is still inside the area grown by one pixel
    EXPECT_EQ(rain->drops[1], 256 << 16);
    LRAIN_step(rain);   // 257 leaves it: over to the top, one pixel above
    EXPECT_EQ(rain->drops[1], -(1 << 16));
    LRAIN_step(rain);
    EXPECT_EQ(rain->drops[1], 0);

    IMG* target = IMG_new();
    IMG_setSize(target, 32, 32);
    rain->drops[1] = 20 << 16;
    LRAIN_plot(rain, target);
    EXPECT_EQ(IMG_getPixel(target, 10, 20), 0xffffffu);
    LRAIN_drawStreaks(rain, target);
    EXPECT_EQ(IMG_getPixel(target, 10, 18), 0xffffffu);
    EXPECT_EQ(IMG_getPixel(target, 10, 17), 0u);

    FONT* font = FONT_new();
    font->glyphWidth = 2;
    font->glyphHeight = 2;
    font->glyphs = IMG_new();
    IMG_setSize(font->glyphs, 128, 2);
    font->glyphs->pixels[40] = 0x123456;   // cell 20, top-left pixel
    LRAIN_drawChars(rain, font, target);   // code (20 & 63) centred on (10, 20)
    EXPECT_EQ(IMG_getPixel(target, 9, 19), 0x123456u);
    EXPECT_EQ(font->target, target);
    FONT_free(&font);
    IMG_free(&target);
    LRAIN_free(&rain);
    EXPECT_EQ(rain, nullptr);
}
