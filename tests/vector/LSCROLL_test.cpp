#include <gtest/gtest.h>

#include <cstdint>

#include "vector/LSCROLL.h"
#include "vector/OBJ2D.h"
#include "support/support.h"
#include "support/vector.h"

TEST(LscrollDraw, RepeatsSkipsOffTargetAndSpirals)
{
    support::Picture target(40, 8);
    LFONT* f = support::dotFont();
    LSCROLL* s = LSCROLL_new();
    LSCROLL_set(s, "xyz", f, target.img);
    EXPECT_EQ(s->height, 4);
    s->offset = 2;
    s->y = 3;
    LSCROLL_draw(s);
    EXPECT_EQ(support::row(target.img, 3, 1), "..y...z...x...y...z...x...y...z...x...y.");
    EXPECT_EQ(f->position->x, -2 + 12 * 4);   // 40 / 4 + 2 characters

    IMG_clear(target.img, 0);
    s->x = 41;   // beyond the target's width
    LSCROLL_draw(s);
    s->x = -80;  // x + width < 0
    LSCROLL_draw(s);
    EXPECT_EQ(target.count(0), 40 * 8);
    LSCROLL_drawColored(s, 0x00ff00);   // no outside test, every glyph green
    EXPECT_EQ(static_cast<OBJ2D*>(f->glyphs->items['x'])->color, 0x00ff00u);

    f->scale->x = 0;
    EXPECT_EQ(support::printed(LSCROLL_debug, [&] {
        LSCROLL_draw(s);
        LSCROLL_step(s);
    }), "LSCROLL error\nLSCROLL error\n");
    LSCROLL_free(&s);

    support::Picture big(256, 256);
    f->scale->x = 1;
    s = LSCROLL_new();
    LSCROLL_set(s, "a", f, big.img);
    LSCROLL_drawSpiral(s, 0);
    // The innermost character, drawn last: (128 + (sine[16] >> 14), 128 + (sine[272] >> 14)).
    EXPECT_EQ(big.at(128, 129), 0x00ff00u);   // still green
    EXPECT_GT(big.count(0x00ff00), 50);
    // Angle of the last character: (1024 - 4 * 4 - 0 + 512) & 1023.
    EXPECT_EQ(f->angle, 496);
    LSCROLL_free(&s);
    LFONT_free(&f);
}
