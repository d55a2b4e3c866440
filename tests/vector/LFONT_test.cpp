#include <gtest/gtest.h>

#include <cstdint>

#include "foundation/RANDOM.h"
#include "vector/LFONT.h"
#include "vector/OBJ2D.h"
#include "support/support.h"
#include "support/vector.h"

namespace {

std::uint32_t glyphColour(const LFONT* f, std::int32_t n) { return static_cast<OBJ2D*>(f->glyphs->items[n])->color; }

}  // namespace

TEST(LfontDraw, GlyphCountIsNotAGlyphAndScaledAdvances)
{
    support::Picture target(64, 64);
    LFONT* f = support::dotFont();
    f->target = target.img;
    f->code = 128;
    EXPECT_EQ(support::printed(LFONT_debug, [&] {
        LFONT_drawChar(f);
        f->code = -1;
        LFONT_drawCharRandom(f);
        LFONT_drawLine(f, "\xC1");   // byte 193 is code -63
    }), "LFONT Error.\nLFONT Error.\nLFONT Error.\n");
    EXPECT_EQ(f->position->x, 0);
    EXPECT_EQ(target.count(0), 64 * 64);
    f->code = 127;
    LFONT_drawChar(f);
    EXPECT_EQ(target.at(0, 0), 128u);
    EXPECT_EQ(f->position->x, 4);

    f->size->x = 8;
    f->size->y = 8;
    f->scale->x = 2;
    f->scale->y = 3;
    f->position->x = 1;
    f->position->y = 2;
    LFONT_drawText(f, "AB\nC");
    EXPECT_EQ(target.at(1, 2), static_cast<std::uint32_t>('A' + 1));
    EXPECT_EQ(target.at(17, 2), static_cast<std::uint32_t>('B' + 1));
    EXPECT_EQ(target.at(1, 26), static_cast<std::uint32_t>('C' + 1));
    EXPECT_EQ(f->position->x, 17);
    EXPECT_EQ(f->position->y, 26);
    const OBJ2D* a = static_cast<const OBJ2D*>(f->glyphs->items['A']);
    EXPECT_EQ(a->scale->y, 3);   // the glyph keeps the transform it was drawn with
    EXPECT_EQ(a->position->x, 1);
    f->position->x = 0;
    f->position->y = 40;
    LFONT_drawLine(f, "D\nE");
    EXPECT_EQ(target.at(0, 40), static_cast<std::uint32_t>('D' + 1));
    EXPECT_EQ(f->position->x, 16);
    LFONT_free(&f);
}

TEST(LfontDigits, DecimalHexAndColours)
{
    support::Picture target(28, 2);
    LFONT* f = support::dotFont();
    f->target = target.img;
    f->size->x = 2;
    LFONT_drawDecimal(f, 42);
    LFONT_drawHex16(f, 0x00FF);
    EXPECT_EQ(support::row(target.img, 0, 2), "000000004200FF");

    LFONT_setColor(f, 0x123456);
    for (std::int32_t n = 0; n < 128; ++n) EXPECT_EQ(glyphColour(f, n), 0x123456u) << n;
    RANDOM_srand(7);
    LFONT_randomColors(f);
    for (std::int32_t n = 0; n < 128; ++n) {
        const std::uint32_t c = glyphColour(f, n);
        EXPECT_EQ(c >> 16, 0x80u) << n;   // a 15-bit draw never reaches the red byte
        EXPECT_GE((c >> 8) & 0xff, 0x80u) << n;
        EXPECT_GE(c & 0xff, 0x80u) << n;
    }
    f->code = 'x';
    f->position->x = 0;
    f->position->y = 1;
    LFONT_drawCharRandom(f);
    EXPECT_EQ(target.at(0, 1), glyphColour(f, 'x'));
    LFONT_free(&f);
}
