#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "foundation/RANDOM.h"
#include "vector/LFONT.h"
#include "vector/OBJ2D.h"
#include "support/support.h"

namespace {

// A line font of 128 glyphs; glyph n is a dot at its origin in colour n + 1,
// so each drawn character leaves one pixel at the pen.
LFONT* dotFont(IMG* target)
{
    LFONT* f = LFONT_new();
    f->glyphs = LIST_new();
    for (std::int32_t n = 0; n < 128; ++n) {
        OBJ2D* o = OBJ2D_new();
        SEG2D* s = SEG2D_new();
        s->start->x = s->start->y = s->end->x = s->end->y = 0;
        OBJ2D_addSegment(o, s);
        OBJ2D_setColor(o, static_cast<std::uint32_t>(n + 1));
        LIST_push(f->glyphs, o);
    }
    f->target = target;
    return f;
}

std::string dots(const IMG* img, std::int32_t y, std::int32_t step, std::int32_t n)
{
    std::string s;
    for (std::int32_t k = 0; k < n; ++k) {
        const std::uint32_t p = IMG_getPixel(img, k * step, y);
        s += p == 0 ? '.' : static_cast<char>(p - 1);
    }
    return s;
}

}  // namespace

TEST(LfontDraw, GlyphCountIsNotAGlyph)
{
    support::Picture targetPicture(32, 32);
    IMG* target = targetPicture.img;
    LFONT* f = dotFont(target);
    f->code = 128;
    EXPECT_EQ(support::printed(LFONT_debug, [&] {
        LFONT_drawChar(f);
        f->code = -1;
        LFONT_drawCharRandom(f);
        LFONT_drawLine(f, "\xC1");   // byte 193 is code -63
    }), "LFONT Error.\nLFONT Error.\nLFONT Error.\n");
    EXPECT_EQ(f->position->x, 0);
    for (std::int32_t i = 0; i < 32 * 32; ++i) EXPECT_EQ(target->pixels[i], 0u);

    f->code = 127;
    LFONT_drawChar(f);
    EXPECT_EQ(IMG_getPixel(target, 0, 0), 128u);
    EXPECT_EQ(f->position->x, 16);
    LFONT_free(&f);
    EXPECT_EQ(f, nullptr);
}

TEST(LfontDraw, ScaledAdvancesAndLines)
{
    support::Picture targetPicture(64, 64);
    IMG* target = targetPicture.img;
    LFONT* f = dotFont(target);
    f->size->x = 8;
    f->size->y = 8;
    f->scale->x = 2;
    f->scale->y = 3;
    f->position->x = 1;
    f->position->y = 2;
    LFONT_drawText(f, "AB\nC");
    EXPECT_EQ(IMG_getPixel(target, 1, 2), static_cast<std::uint32_t>('A' + 1));
    EXPECT_EQ(IMG_getPixel(target, 17, 2), static_cast<std::uint32_t>('B' + 1));
    EXPECT_EQ(IMG_getPixel(target, 1, 26), static_cast<std::uint32_t>('C' + 1));
    EXPECT_EQ(f->position->x, 17);
    EXPECT_EQ(f->position->y, 26);
    const OBJ2D* a = static_cast<const OBJ2D*>(f->glyphs->items['A']);
    EXPECT_EQ(a->scale->y, 3);   // the glyph keeps the transform it was drawn with
    EXPECT_EQ(a->position->x, 1);

    f->position->x = 0;
    f->position->y = 40;
    LFONT_drawLine(f, "D\nE");
    EXPECT_EQ(IMG_getPixel(target, 0, 40), static_cast<std::uint32_t>('D' + 1));
    EXPECT_EQ(f->position->x, 16);
    LFONT_free(&f);
}

TEST(LfontDigits, DecimalAndHex)
{
    support::Picture targetPicture(512, 2);
    IMG* target = targetPicture.img;
    LFONT* f = dotFont(target);
    f->size->x = 2;
    LFONT_drawDecimal(f, 42);
    LFONT_drawHexByte(f, 0xA5);
    LFONT_drawHex16(f, 0x00FF);
    LFONT_drawHex32(f, 0x12345678);
    EXPECT_EQ(dots(target, 0, 2, 24), "0000000042A500FF12345678");
    LFONT_free(&f);
}

TEST(LfontColours, SetAndRandomLightColours)
{
    support::Picture targetPicture(16, 16);
    IMG* target = targetPicture.img;
    LFONT* f = dotFont(target);
    LFONT_setColor(f, 0x123456);
    for (std::int32_t n = 0; n < 128; ++n)
        EXPECT_EQ(static_cast<OBJ2D*>(f->glyphs->items[n])->color, 0x123456u);

    RANDOM_srand(7);
    LFONT_randomColors(f);
    for (std::int32_t n = 0; n < 128; ++n) {
        const std::uint32_t c = static_cast<OBJ2D*>(f->glyphs->items[n])->color;
        EXPECT_EQ(c >> 16, 0x80u);          // a 15-bit draw never reaches the red byte
        EXPECT_GE((c >> 8) & 0xff, 0x80u);
        EXPECT_GE(c & 0xff, 0x80u);
    }
    f->code = 'x';
    LFONT_drawCharRandom(f);
    const std::uint32_t drawn = IMG_getPixel(target, 0, 0);
    EXPECT_EQ(drawn, static_cast<OBJ2D*>(f->glyphs->items['x'])->color);
    EXPECT_EQ(drawn >> 16, 0x80u);
    LFONT_free(&f);
}
