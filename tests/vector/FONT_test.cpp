#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "vector/FONT.h"
#include "support/support.h"

namespace {

// A w x h picture the caller (or a font) owns.
IMG* image(std::int32_t w, std::int32_t h)
{
    IMG* img = IMG_new();
    IMG_setSize(img, w, h);
    return img;
}

// A font of cw x ch cells on a sheet sw x sh whose pixel (x, y) is 0x010000 * y + x + 1.
FONT* sheetFont(std::int32_t cw, std::int32_t ch, std::int32_t sw, std::int32_t sh, IMG* target)
{
    FONT* f = FONT_new();
    f->glyphWidth = cw;
    f->glyphHeight = ch;
    f->glyphs = image(sw, sh);
    for (std::int32_t y = 0; y < sh; ++y)
        for (std::int32_t x = 0; x < sw; ++x) f->glyphs->pixels[y * sw + x] = 0x010000u * y + x + 1;
    f->target = target;
    return f;
}

// A font of 1 x 1 cells whose glyph n is the colour n + 1: drawing text
// leaves the codes on one row of the target.
FONT* codeFont(IMG* target)
{
    return sheetFont(1, 1, 128, 1, target);
}

std::string row(const IMG* img, std::int32_t y, std::int32_t from, std::int32_t n)
{
    std::string s;
    for (std::int32_t x = from; x < from + n; ++x) {
        const std::uint32_t p = IMG_getPixel(img, x, y);
        s += p == 0 ? '.' : static_cast<char>(p - 1);
    }
    return s;
}

}  // namespace

TEST(FontCells, CodeSixtyFiveOnAnEightByEightSheet)
{
    support::Picture targetPicture(8, 8);
    IMG* target = targetPicture.img;
    FONT* f = sheetFont(8, 8, 128, 128, target);
    f->code = 65;
    FONT_drawCharOpaque(f);
    // Column 65 * 8 mod 128 = 8, row (520 div 128) * 8 = 32.
    EXPECT_EQ(IMG_getPixel(target, 0, 0), 0x010000u * 32 + 8 + 1);
    EXPECT_EQ(IMG_getPixel(target, 7, 7), 0x010000u * 39 + 15 + 1);
    EXPECT_EQ(f->x, 8);
    FONT_free(&f);
    EXPECT_EQ(f, nullptr);
}

TEST(FontCells, BelowTheSheetAdvancesNegativeDoesNot)
{
    support::Picture targetPicture(64, 64);
    IMG* target = targetPicture.img;
    FONT* f = sheetFont(32, 64, 256, 1024, target);
    for (std::int32_t code = 128; code < 256; ++code) {
        f->code = code;
        f->x = 0;
        FONT_drawChar(f);
        EXPECT_EQ(f->x, 32);
    }
    f->code = 127;   // the last cell: row 15 * 64
    f->x = 0;
    FONT_drawChar(f);
    EXPECT_EQ(IMG_getPixel(target, 0, 0), 0x010000u * 960 + 224 + 1);
    IMG_clear(target, 0);
    f->x = 0;
    FONT_drawText(f, "\x80\xff");   // bytes 128-255 are negative codes
    EXPECT_EQ(f->x, 0);
    f->code = -1;
    FONT_drawCharAdd(f);
    EXPECT_EQ(f->x, 0);
    EXPECT_EQ(IMG_getPixel(target, 0, 0), 0u);
    FONT_free(&f);
}

TEST(FontText, LinesAndPositions)
{
    support::Picture targetPicture(40, 40);
    IMG* target = targetPicture.img;
    FONT* f = sheetFont(8, 8, 128, 128, target);
    f->x = 10;
    f->y = 20;
    FONT_drawText(f, "AB\nC");
    // A = 65: sheet (8, 32); B = 66: (16, 32); C = 67: (24, 32).
    EXPECT_EQ(IMG_getPixel(target, 10, 20), 0x010000u * 32 + 9);
    EXPECT_EQ(IMG_getPixel(target, 18, 20), 0x010000u * 32 + 17);
    EXPECT_EQ(IMG_getPixel(target, 10, 28), 0x010000u * 32 + 25);
    EXPECT_EQ(f->x, 18);
    EXPECT_EQ(f->y, 28);
    f->x = 0;
    f->y = 0;
    EXPECT_EQ(FONT_drawTextOpaque(f, "AB\nC"), 4);
    FONT_free(&f);

    support::Picture linePicture(16, 2);

    IMG* line = linePicture.img;
    FONT* c = codeFont(line);
    FONT_drawLine(c, "ab\ncd");
    EXPECT_EQ(row(line, 0, 0, 4), "ab..");
    EXPECT_EQ(c->x, 2);
    FONT_free(&c);
}

TEST(FontDigits, DecimalAndHex)
{
    support::Picture targetPicture(40, 1);
    IMG* target = targetPicture.img;
    FONT* f = codeFont(target);
    FONT_drawDecimal(f, 42);
    EXPECT_EQ(row(target, 0, 0, 10), "0000000042");
    FONT_drawDecimal(f, 4294967295u);
    EXPECT_EQ(row(target, 0, 10, 10), "4294967295");
    FONT_drawHexByte(f, 0x0F);
    FONT_drawHex16(f, 0xABC);
    FONT_drawHex32(f, 0xDEADBEEF);
    EXPECT_EQ(row(target, 0, 20, 14), "0F0ABCDEADBEEF");
    EXPECT_EQ(f->x, 34);
    EXPECT_EQ(f->code, 'F');
    FONT_free(&f);
}

TEST(FontBigChar, CellPixelsBecomeGlyphs)
{
    support::Picture targetPicture(16, 16);
    IMG* target = targetPicture.img;
    FONT* a = FONT_new();
    a->glyphWidth = 2;
    a->glyphHeight = 2;
    a->glyphs = image(4, 2);   // cell 1 holds the pattern X. / .X
    a->glyphs->pixels[2] = 1;
    a->glyphs->pixels[4 + 3] = 1;
    a->target = target;
    a->code = 1;
    a->x = 1;
    a->y = 2;
    FONT* b = codeFont(nullptr);
    b->glyphWidth = 3;   // cells 3 x 1 of the code sheet
    b->code = 2;         // sheet columns 6..8
    FONT_drawBigChar(a, b);
    EXPECT_EQ(b->target, target);
    EXPECT_EQ(IMG_getPixel(target, 1, 2), 7u);
    EXPECT_EQ(IMG_getPixel(target, 4, 3), 7u);
    EXPECT_EQ(IMG_getPixel(target, 4, 2), 0u);
    EXPECT_EQ(a->x, 1 + 2 * 3);

    IMG_clear(target, 0);
    a->code = 2;   // cell 2 starts at row 2, below the 2-high sheet
    FONT_drawBigChar(a, b);
    EXPECT_EQ(a->x, 7 + 6);
    a->code = -2;
    FONT_drawBigChar(a, b);
    EXPECT_EQ(a->x, 13);
    for (std::int32_t i = 0; i < 256; ++i) EXPECT_EQ(target->pixels[i], 0u);

    FONT* empty = FONT_new();
    EXPECT_EQ(support::printed(FONT_debug, [&] {
        FONT_drawBigChar(a, nullptr);
        FONT_drawChar(empty);   // no glyphs
    }), "FONT Error.\nFONT Error.\n");
    FONT_free(&empty);
    FONT_free(&a);
    FONT_free(&b);
}
