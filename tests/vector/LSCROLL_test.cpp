#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "vector/LSCROLL.h"
#include "vector/OBJ2D.h"
#include "support/support.h"
#include "support/vector.h"

namespace {

using support::dotFont;
using support::row;

std::int32_t lit(const IMG* img)
{
    std::int32_t n = 0;
    for (std::int32_t i = 0; i < img->width * img->height; ++i) n += img->pixels[i] != 0;
    return n;
}

}  // namespace

TEST(LscrollDraw, RepeatsStepsAndSkipsOffTarget)
{
    support::Picture targetPicture(40, 8);
    IMG* target = targetPicture.img;
    LFONT* f = dotFont();
    LSCROLL* s = LSCROLL_new();
    LSCROLL_set(s, "xyz", f, target);
    EXPECT_EQ(s->height, 4);
    s->offset = 2;
    s->y = 3;
    LSCROLL_draw(s);
    EXPECT_EQ(row(target, 3, 4).substr(0, 1), ".");
    EXPECT_EQ(IMG_getPixel(target, 2, 3), static_cast<std::uint32_t>('y' + 1));
    EXPECT_EQ(f->position->x, -2 + 12 * 4);   // 40 / 4 + 2 characters

    s->speed = 9;
    LSCROLL_step(s);   // 11 = 2 cells and 3
    EXPECT_EQ(s->offset, 3);
    EXPECT_EQ(s->cursor->index, 2);

    IMG_clear(target, 0);
    s->x = 41;   // beyond the target's width
    LSCROLL_draw(s);
    s->x = -80;  // x + width < 0
    LSCROLL_draw(s);
    EXPECT_EQ(lit(target), 0);
    LSCROLL_drawColored(s, 0x00ff00);   // no outside test, every glyph green
    EXPECT_EQ(static_cast<OBJ2D*>(f->glyphs->items['x'])->color, 0x00ff00u);

    f->scale->x = 0;
    EXPECT_EQ(support::printed(LSCROLL_debug, [&] {
        LSCROLL_draw(s);
        LSCROLL_step(s);
    }), "LSCROLL error\nLSCROLL error\n");
    LSCROLL_free(&s);
    LFONT_free(&f);
}

TEST(LscrollDraw, SpiralDrawsFiveHundredTwelve)
{
    support::Picture targetPicture(256, 256);
    IMG* target = targetPicture.img;
    LFONT* f = dotFont();
    LSCROLL* s = LSCROLL_new();
    LSCROLL_set(s, "a", f, target);
    LSCROLL_drawSpiral(s, 0);
    // Innermost character, k = 1, drawn last: x 128 + (sine[16] >> 14) = 128,
    // y 128 + (sine[272] >> 14) = 129.
    EXPECT_EQ(IMG_getPixel(target, 128, 129), static_cast<std::uint32_t>('a' + 1));
    EXPECT_GT(lit(target), 50);
    // Angle of the last character: (1024 - 4 * 4 - 0 + 512) & 1023.
    EXPECT_EQ(f->angle, 496);
    LSCROLL_free(&s);
    LFONT_free(&f);
}
