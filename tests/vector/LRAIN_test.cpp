#include <gtest/gtest.h>

#include <cstdint>

#include "vector/LRAIN.h"
#include "support/support.h"

TEST(LrainDrops, FallWrapAndDraw)
{
    LRAIN* rain = LRAIN_new();
    ASSERT_EQ(rain->count, 16);
    for (std::int32_t i = 0; i < 16; ++i) {
        EXPECT_EQ(rain->drops[2 * i] & 0xffff, 0);
        EXPECT_LT(rain->drops[2 * i] >> 16, 256);
        EXPECT_LT(rain->drops[2 * i + 1] >> 16, 256);
    }
    LRAIN_setCount(rain, 1);
    rain->drops[0] = 10 << 16;
    rain->drops[1] = 254 << 16;
    // 256 is still inside the area grown by one pixel; 257 leaves it: over to the top, one pixel above.
    for (const std::int32_t y : {255, 256, -1, 0}) {
        LRAIN_step(rain);
        EXPECT_EQ(rain->drops[1], y * 65536) << y;
    }

    support::Picture picture(32, 32);
    IMG* target = picture.img;
    rain->drops[1] = 20 << 16;
    LRAIN_plot(rain, target);
    EXPECT_EQ(picture.at(10, 20), 0xffffffu);
    LRAIN_drawStreaks(rain, target);
    EXPECT_EQ(picture.at(10, 18), 0xffffffu);
    EXPECT_EQ(picture.at(10, 17), 0u);

    FONT* font = FONT_new();
    font->glyphWidth = 2;
    font->glyphHeight = 2;
    font->glyphs = IMG_new();
    IMG_setSize(font->glyphs, 128, 2);
    font->glyphs->pixels[40] = 0x123456;   // cell 20, top-left pixel
    LRAIN_drawChars(rain, font, target);   // code (20 & 63) centred on (10, 20)
    EXPECT_EQ(picture.at(9, 19), 0x123456u);
    FONT_free(&font);
    LRAIN_free(&rain);
}
