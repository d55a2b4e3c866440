#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "foundation/RANDOM.h"
#include "vector/LSCRLXYZ.h"
#include "vector/LSCROLL.h"
#include "vector/OBJ2D.h"

namespace {

// Glyph n is a dot at its origin in colour n + 1; cells 4 x 4.
LFONT* dotFont()
{
    LFONT* f = LFONT_new();
    f->size->x = 4;
    f->size->y = 4;
    f->glyphs = LIST_new();
    for (std::int32_t n = 0; n < 128; ++n) {
        OBJ2D* o = OBJ2D_new();
        SEG2D* s = SEG2D_new();
        s->end->x = s->end->y = 0;
        OBJ2D_addSegment(o, s);
        OBJ2D_setColor(o, static_cast<std::uint32_t>(n + 1));
        LIST_push(f->glyphs, o);
    }
    return f;
}

IMG* image(std::int32_t w, std::int32_t h)
{
    IMG* img = IMG_new();
    IMG_setSize(img, w, h);
    return img;
}

std::string row(const IMG* img, std::int32_t y, std::int32_t step)
{
    std::string s;
    for (std::int32_t x = 0; x < img->width; x += step) {
        const std::uint32_t p = IMG_getPixel(img, x, y);
        s += p == 0 ? '.' : static_cast<char>(p - 1);
    }
    return s;
}

std::int32_t lit(const IMG* img)
{
    std::int32_t n = 0;
    for (std::int32_t i = 0; i < img->width * img->height; ++i) n += img->pixels[i] != 0;
    return n;
}

}  // namespace

TEST(LscrollDraw, RepeatsStepsAndSkipsOffTarget)
{
    IMG* target = image(40, 8);
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
    LSCROLL_debug = 1;
    testing::internal::CaptureStdout();
    LSCROLL_draw(s);
    LSCROLL_step(s);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "LSCROLL error\nLSCROLL error\n");
    LSCROLL_debug = 0;
    LSCROLL_free(&s);
    LFONT_free(&f);
    IMG_free(&target);
}

TEST(LscrollDraw, SpiralDrawsFiveHundredTwelve)
{
    IMG* target = image(256, 256);
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
    IMG_free(&target);
}

TEST(LscrlxyzWaves, NewStepAndDraw)
{
    RANDOM_srand(99);
    std::int32_t r[9];
    for (std::int32_t& v : r) v = RANDOM_rand15();
    RANDOM_srand(99);
    LSCRLXYZ* s = LSCRLXYZ_new();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->xSpeed, (r[0] & 31) + 16);
    EXPECT_EQ(s->xAmplitude, (r[2] & 63) + 16);
    EXPECT_EQ(s->yAmplitude, (r[5] & 31) + 64);
    EXPECT_EQ(s->scaleAmplitude, (r[8] & 7) + 1);
    EXPECT_EQ(s->xPhase, 0);

    IMG* target = image(40, 40);
    LFONT* f = dotFont();
    LSCRLXYZ_set(s, "pq", f, target);
    s->xSpeed = 10;
    s->xStep = 100;
    s->speed = 1;
    LSCRLXYZ_step(s);   // no character passes: speed only
    EXPECT_EQ(s->xPhase, 10);
    s->speed = 4;
    LSCRLXYZ_step(s);   // one character passes: step, then speed
    EXPECT_EQ(s->xPhase, 120);
    EXPECT_EQ(s->cursor->index, 1);
    s->xPhase = 1020;
    s->speed = -4;
    LSCRLXYZ_step(s);   // backwards: the phase shrinks by the step
    EXPECT_EQ(s->xPhase, 930);

    // With no amplitudes the wave draw is the plain draw.
    s->xAmplitude = s->yAmplitude = s->scaleAmplitude = 0;
    s->offset = 0;
    s->y = 5;
    f->scale->x = 1;
    LSCRLXYZ_drawWave(s);
    EXPECT_EQ(row(target, 5, 4), "pqpqpqpqpq");
    s->scaleAmplitude = 8;
    s->scalePhase = 256;
    LSCRLXYZ_drawWave(s);
    EXPECT_EQ(f->scale->x, 1);   // restored after the pulse
    EXPECT_EQ(f->scale->y, 1);
    LSCRLXYZ_free(&s);
    LFONT_free(&f);
    IMG_free(&target);
}
