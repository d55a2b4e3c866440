#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "vector/FONT.h"
#include "support/support.h"
#include "support/vector.h"

namespace {

// A font of cw x ch cells on a sheet sw x sh whose pixel (x, y) is 0x010000 * y + x + 1.
FONT* sheetFont(std::int32_t cw, std::int32_t ch, std::int32_t sw, std::int32_t sh, IMG* target)
{
    FONT* f = FONT_new();
    f->glyphWidth = cw;
    f->glyphHeight = ch;
    f->glyphs = IMG_new();
    IMG_setSize(f->glyphs, sw, sh);
    for (std::int32_t y = 0; y < sh; ++y)
        for (std::int32_t x = 0; x < sw; ++x) f->glyphs->pixels[y * sw + x] = 0x010000u * y + x + 1;
    f->target = target;
    return f;
}

std::uint32_t sheet(std::int32_t x, std::int32_t y) { return 0x010000u * y + x + 1; }

// 1 x 1 cells, glyph n the colour n + 1: text leaves its codes on one row.
FONT* codeFont(IMG* target) { return sheetFont(1, 1, 128, 1, target); }

}  // namespace

TEST(FontCells, WhereEachCodeIsOnTheSheet)
{
    // sheetX, sheetY: the cell's top-left pixel; -1: below the sheet, nothing drawn.
    struct Row { std::int32_t cw, ch, sw, sh, code, sheetX, sheetY; };
    const Row rows[] = {
        {8, 8, 128, 128, 65, 8, 32},          // column 65 * 8 mod 128, row (520 div 128) * 8
        {32, 64, 256, 1024, 127, 224, 960},   // the last cell
        {32, 64, 256, 1024, 128, -1, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.code);
        support::Picture target(r.cw, r.ch);
        FONT* f = sheetFont(r.cw, r.ch, r.sw, r.sh, target.img);
        f->code = r.code;
        FONT_drawCharOpaque(f);
        EXPECT_EQ(f->x, r.cw);
        if (r.sheetX < 0) {
            EXPECT_EQ(target.count(0), r.cw * r.ch);
        } else {
            EXPECT_EQ(target.at(0, 0), sheet(r.sheetX, r.sheetY));
            EXPECT_EQ(target.at(r.cw - 1, r.ch - 1), sheet(r.sheetX + r.cw - 1, r.sheetY + r.ch - 1));
        }
        FONT_free(&f);
    }

    support::Picture target(8, 8);
    FONT* f = sheetFont(8, 8, 128, 128, target.img);
    FONT_drawText(f, "\x80\xff");   // bytes 128-255 are negative codes: not drawn, no advance
    EXPECT_EQ(f->x, 0);
    EXPECT_EQ(target.count(0), 64);
    FONT_free(&f);
}

TEST(FontText, LinesPositionsAndDigits)
{
    support::Picture target(40, 40);
    FONT* f = sheetFont(8, 8, 128, 128, target.img);
    f->x = 10;
    f->y = 20;
    FONT_drawText(f, "AB\nC");
    // A = 65: sheet (8, 32); B = 66: (16, 32); C = 67: (24, 32).
    EXPECT_EQ(target.at(10, 20), sheet(8, 32));
    EXPECT_EQ(target.at(18, 20), sheet(16, 32));
    EXPECT_EQ(target.at(10, 28), sheet(24, 32));
    EXPECT_EQ(f->x, 18);
    EXPECT_EQ(FONT_drawTextOpaque(f, "AB\nC"), 4);
    FONT_free(&f);

    support::Picture line(20, 2);
    FONT* c = codeFont(line.img);
    FONT_drawLine(c, "ab\ncd");
    FONT_drawDecimal(c, 4294967295u);
    FONT_drawHex32(c, 0xDEADBEEF);
    EXPECT_EQ(support::row(line.img, 0, 1), "ab" "4294967295" "DEADBEEF");
    EXPECT_EQ(support::row(line.img, 1, 1), std::string(20, '.'));   // the line stops at its newline
    FONT_free(&c);
}

TEST(FontBigChar, CellPixelsBecomeGlyphs)
{
    support::Picture target(16, 16);
    FONT* a = sheetFont(2, 2, 4, 2, target.img);   // cell 1 holds the pattern X. / .X
    for (std::int32_t i = 0; i < 8; ++i) a->glyphs->pixels[i] = i == 2 || i == 7;
    a->code = 1;
    a->x = 1;
    a->y = 2;
    FONT* b = codeFont(nullptr);
    b->glyphWidth = 3;   // cells 3 x 1 of the code sheet
    b->code = 2;         // sheet columns 6..8
    FONT_drawBigChar(a, b);
    EXPECT_EQ(b->target, target.img);
    EXPECT_EQ(target.at(1, 2), 7u);
    EXPECT_EQ(target.at(4, 3), 7u);
    EXPECT_EQ(target.at(4, 2), 0u);
    EXPECT_EQ(a->x, 1 + 2 * 3);

    IMG_clear(target.img, 0);
    a->code = 2;   // cell 2 starts at row 2, below the 2-high sheet
    FONT_drawBigChar(a, b);
    EXPECT_EQ(a->x, 7 + 6);
    a->code = -2;
    FONT_drawBigChar(a, b);
    EXPECT_EQ(a->x, 13);
    EXPECT_EQ(target.count(0), 256);

    FONT* empty = FONT_new();
    EXPECT_EQ(support::printed(FONT_debug, [&] {
        FONT_drawBigChar(a, nullptr);
        FONT_drawChar(empty);   // no glyphs
    }), "FONT Error.\nFONT Error.\n");
    FONT_free(&empty);
    FONT_free(&a);
    FONT_free(&b);
}
