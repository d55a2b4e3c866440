#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "vector/SCROLL.h"
#include "support/support.h"

namespace {

// A w x h picture the caller (or a font) owns.
IMG* image(std::int32_t w, std::int32_t h)
{
    IMG* img = IMG_new();
    IMG_setSize(img, w, h);
    return img;
}

// Cells cw x 1 on one sheet row; cell n has the colour n + 1 in its first
// column only, so each drawn character leaves one pixel at the pen.
FONT* penFont(std::int32_t cw)
{
    FONT* f = FONT_new();
    f->glyphWidth = cw;
    f->glyphHeight = 1;
    f->glyphs = image(128 * cw, 1);
    for (std::int32_t n = 0; n < 128; ++n) f->glyphs->pixels[n * cw] = static_cast<std::uint32_t>(n + 1);
    return f;
}

std::string row(const IMG* img, std::int32_t step)
{
    std::string s;
    for (std::int32_t x = 0; x < img->width; x += step) {
        const std::uint32_t p = IMG_getPixel(img, x, 0);
        s += p == 0 ? '.' : static_cast<char>(p - 1);
    }
    return s;
}

}  // namespace

TEST(ScrollStep, WholeCellsMoveTheCursor)
{
    support::Picture targetPicture(512, 64);
    IMG* target = targetPicture.img;
    FONT* f = penFont(32);
    SCROLL* s = SCROLL_new();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->cursor->length, 25);
    EXPECT_EQ(s->speed, 1);
    SCROLL_set(s, "ABCDEFGH", f, target);
    EXPECT_EQ(s->width, 512);
    EXPECT_EQ(s->height, 1);

    s->speed = 5;
    s->offset = 30;
    SCROLL_step(s);
    EXPECT_EQ(s->offset, 3);
    EXPECT_EQ(s->cursor->index, 1);

    s->speed = -5;
    s->offset = 2;
    SCROLL_step(s);
    EXPECT_EQ(s->offset, 29);
    EXPECT_EQ(s->cursor->index, 0);
    SCROLL_step(s);   // 24: no character passes
    EXPECT_EQ(s->offset, 24);
    EXPECT_EQ(s->cursor->index, 0);

    s->speed = 70;
    s->offset = 0;
    SCROLL_step(s);
    EXPECT_EQ(s->offset, 6);
    EXPECT_EQ(s->cursor->index, 2);

    // Exactly one cell backwards is one character, and the offset stays in range.
    s->speed = -38;
    SCROLL_step(s);
    EXPECT_EQ(s->offset, 0);
    EXPECT_EQ(s->cursor->index, 1);
    s->speed = -64;
    SCROLL_step(s);
    EXPECT_EQ(s->offset, 0);
    EXPECT_EQ(s->cursor->index, 7);

    SCROLL_free(&s);
    EXPECT_EQ(s, nullptr);
    FONT_free(&f);
}

TEST(ScrollDraw, WindowOfCharacters)
{
    support::Picture targetPicture(512, 1);
    IMG* target = targetPicture.img;
    FONT* f = penFont(32);
    SCROLL* s = SCROLL_new();
    SCROLL_set(s, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", f, target);
    s->offset = 5;
    s->cursor->index = 3;
    SCROLL_draw(s);
    // 512 / 32 + 2 = 18 characters from 5 pixels left of x.
    EXPECT_EQ(f->x, -5 + 18 * 32);
    EXPECT_EQ(IMG_getPixel(target, 27, 0), static_cast<std::uint32_t>('E' + 1));
    EXPECT_EQ(IMG_getPixel(target, 27 + 15 * 32, 0), static_cast<std::uint32_t>('T' + 1));
    EXPECT_EQ(s->cursor->index, 3);   // restored
    SCROLL_free(&s);
    FONT_free(&f);

    support::Picture narrowPicture(10, 1);

    IMG* narrow = narrowPicture.img;
    FONT* one = penFont(1);
    SCROLL* r = SCROLL_new();
    SCROLL_set(r, "abc", one, narrow);
    SCROLL_draw(r);
    EXPECT_EQ(row(narrow, 1), "abcabcabca");
    IMG_clear(narrow, 0);
    SCROLL_set(r, "a\xE9" "c", one, narrow);   // a negative code draws nothing and does not advance
    SCROLL_drawOpaque(r);
    EXPECT_EQ(row(narrow, 1), "acacacac..");
    SCROLL_free(&r);
    FONT_free(&one);
}

TEST(ScrollDraw, NothingBeforeSet)
{
    support::Picture targetPicture(8, 1);
    IMG* target = targetPicture.img;
    SCROLL* s = SCROLL_new();
    EXPECT_EQ(support::printed(SCROLL_debug, [&] {
        SCROLL_draw(s);
        SCROLL_step(s);   // no font: no cell width
        SCROLL_set(s, "", nullptr, target);
    }), "SCROLL error\nSCROLL error\nSCROLL error\n");
    EXPECT_EQ(s->text, nullptr);
    EXPECT_EQ(s->offset, 0);
    SCROLL_free(&s);
}
