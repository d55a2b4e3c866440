#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "foundation/RANDOM.h"
#include "vector/LOGOFLY.h"
#include "vector/OBJ2D.h"
#include "support/support.h"

namespace {

// Glyph n is a dot at its origin; cells 2 wide.
LFONT* dotFont(IMG* target)
{
    LFONT* f = LFONT_new();
    f->size->x = 2;
    f->glyphs = LIST_new();
    for (std::int32_t n = 0; n < 128; ++n) {
        OBJ2D* o = OBJ2D_new();
        SEG2D* s = SEG2D_new();
        s->end->x = s->end->y = 0;
        OBJ2D_addSegment(o, s);
        LIST_push(f->glyphs, o);
    }
    f->target = target;
    return f;
}

std::int32_t lit(const IMG* img)
{
    std::int32_t n = 0;
    for (std::int32_t i = 0; i < img->width * img->height; ++i) n += img->pixels[i] != 0;
    return n;
}

}  // namespace

TEST(LogoflyState, RandomSettingsAndPhases)
{
    RANDOM_srand(5);
    const std::int32_t r1 = RANDOM_random30();
    const std::int32_t r2 = RANDOM_random30();
    const std::int32_t r3 = RANDOM_random30();
    RANDOM_srand(5);
    LOGOFLY* logo = LOGOFLY_new();
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->speed, r1 % 24 + 8);
    EXPECT_EQ(logo->step, (r2 & 7) + 1);
    EXPECT_EQ(logo->amplitude, r3 % 100 + 16);
    EXPECT_STREQ(logo->text, "QORN");
    EXPECT_EQ(logo->color, 0xffffffu);

    logo->phase = 500;
    logo->speed = 20;
    LOGOFLY_update(logo);
    EXPECT_EQ(logo->phase, 8);
    logo->phase = 1000;
    LOGOFLY_stepFull(logo);
    EXPECT_EQ(logo->phase, (1020) & 1023);
    logo->phase = 1010;
    LOGOFLY_stepFull(logo);
    EXPECT_EQ(logo->phase, 6);

    LOGOFLY* copy = LOGOFLY_clone(logo);
    EXPECT_TRUE(LOGOFLY_equal(logo, copy));
    copy->amplitude += 1;
    EXPECT_FALSE(LOGOFLY_equal(logo, copy));
    LOGOFLY_copy(logo, copy);
    EXPECT_TRUE(LOGOFLY_equal(logo, copy));
    LOGOFLY_free(&copy);
    LOGOFLY_free(&logo);
    EXPECT_EQ(logo, nullptr);
}

TEST(LogoflyDraw, FortyLettersOnTheWave)
{
    IMG* target = IMG_new();
    IMG_setSize(target, 128, 64);
    LFONT* f = dotFont(target);
    LOGOFLY* logo = LOGOFLY_new();
    logo->font = f;
    logo->target = target;
    logo->y = 40;
    logo->amplitude = 32;
    logo->step = 128;   // letters at phases 0, 128, 256, 384, 0, ...
    const std::string text(41, 'W');
    logo->text = text.c_str();
    logo->color = 0x00ff00;
    LOGOFLY_draw(logo);
    EXPECT_EQ(lit(target), 40);
    EXPECT_EQ(f->position->x, 80);
    EXPECT_EQ(IMG_getPixel(target, 0, 40), 0x00ff00u);    // sine 0: on the base line
    EXPECT_EQ(IMG_getPixel(target, 2, 40 - 22), 0x00ff00u);   // 23169 * 32 >> 15 = 22
    EXPECT_EQ(IMG_getPixel(target, 4, 40 - 31), 0x00ff00u);   // 32766 * 32 >> 15 = 31

    IMG_clear(target, 0);
    logo->text = "";
    LOGOFLY_draw(logo);
    EXPECT_EQ(lit(target), 0);

    EXPECT_EQ(support::printed(LOGOFLY_debug, [&] {
        logo->target = nullptr;
        LOGOFLY_draw(logo);
    }), "LOGOFLY error\n");
    LOGOFLY_free(&logo);
    LFONT_free(&f);
    IMG_free(&target);
}
