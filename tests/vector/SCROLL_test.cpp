#include <gtest/gtest.h>

#include <cstdint>

#include "vector/SCROLL.h"
#include "support/support.h"
#include "support/vector.h"

namespace {

// Cells cw x 1; cell n is the colour n + 1 in its first column only: one pixel at the pen.
FONT* penFont(std::int32_t cw)
{
    FONT* f = FONT_new();
    f->glyphWidth = cw;
    f->glyphHeight = 1;
    f->glyphs = IMG_new();
    IMG_setSize(f->glyphs, 128 * cw, 1);
    for (std::int32_t n = 0; n < 128; ++n) f->glyphs->pixels[n * cw] = static_cast<std::uint32_t>(n + 1);
    return f;
}

}  // namespace

TEST(ScrollStep, WholeCellsMoveTheCursor)
{
    support::Picture target(512, 64);
    FONT* f = penFont(32);
    SCROLL* s = SCROLL_new();
    SCROLL_set(s, "ABCDEFGH", f, target.img);
    EXPECT_EQ(s->height, 1);   // the cell height

    // In order, each step from where the last left the cursor; offset -1 keeps the offset.
    struct Row { std::int32_t speed, offset, offsetAfter, indexAfter; };
    const Row rows[] = {
        {2, 30, 0, 1},     // exactly one cell on
        {-5, 2, 29, 0},
        {-5, -1, 24, 0},   // no character passes
        {70, 0, 6, 2},
        {-38, -1, 0, 1},   // exactly one cell backwards is one character
        {-64, -1, 0, 7},   // two cells back, over the start
    };
    for (const Row& r : rows) {
        s->speed = r.speed;
        if (r.offset >= 0) s->offset = r.offset;
        SCROLL_step(s);
        EXPECT_EQ(s->offset, r.offsetAfter) << r.speed;
        EXPECT_EQ(s->cursor->index, r.indexAfter) << r.speed;
    }
    SCROLL_free(&s);
    FONT_free(&f);
}

TEST(ScrollDraw, WindowOfCharactersAndNothingBeforeSet)
{
    support::Picture target(512, 1);
    FONT* f = penFont(32);
    SCROLL* s = SCROLL_new();
    SCROLL_set(s, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", f, target.img);
    s->offset = 5;
    s->cursor->index = 3;
    SCROLL_draw(s);
    // 512 / 32 + 2 = 18 characters from 5 pixels left of x.
    EXPECT_EQ(f->x, -5 + 18 * 32);
    EXPECT_EQ(target.at(27, 0), static_cast<std::uint32_t>('E' + 1));
    EXPECT_EQ(target.at(27 + 15 * 32, 0), static_cast<std::uint32_t>('T' + 1));
    SCROLL_free(&s);
    FONT_free(&f);

    support::Picture narrow(10, 1);
    FONT* one = penFont(1);
    SCROLL* r = SCROLL_new();
    SCROLL_set(r, "a\xE9" "c", one, narrow.img);   // a negative code draws nothing and does not advance
    SCROLL_drawOpaque(r);
    EXPECT_EQ(support::row(narrow.img, 0, 1), "acacacac..");
    SCROLL_free(&r);
    FONT_free(&one);

    s = SCROLL_new();
    EXPECT_EQ(support::printed(SCROLL_debug, [&] {
        SCROLL_draw(s);
        SCROLL_step(s);   // no font: no cell width
        SCROLL_set(s, "", nullptr, narrow.img);
    }), "SCROLL error\nSCROLL error\nSCROLL error\n");
    EXPECT_EQ(s->text, nullptr);
    EXPECT_EQ(s->offset, 0);
    SCROLL_free(&s);
}
