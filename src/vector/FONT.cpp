// FONT: bitmap glyph cells blitted from a glyph image. Cell n starts at
// column (n * glyphWidth) mod W and row ((n * glyphWidth) div W) * glyphHeight
// of the W-wide glyph image; the products are taken in 64 bits.
#include "vector/FONT.h"

#include <cstdio>
#include <new>

#include "foundation/INT.h"

const MODID FONT_ID = MODID_CODE("FONT    ");
std::uint8_t FONT_debug = 0;

void FONT_error()
{
    if (FONT_debug != 0) std::fputs("FONT Error.\n", stdout);
}

namespace {

enum class Blit { transparent, opaque, add };

// Top-left corner of the cell of code in the glyph image; false when the
// glyph image has no columns or the corner lies beyond 32-bit coordinates.
bool cellOf(const FONT* f, std::int32_t code, std::int32_t& left, std::int32_t& top)
{
    const std::int64_t w = f->glyphs->width;
    if (w <= 0) return false;
    const std::int64_t p = std::int64_t{code} * f->glyphWidth;
    const std::int64_t row = (p / w) * f->glyphHeight;
    if (row < INT32_MIN || row > INT32_MAX) return false;
    left = static_cast<std::int32_t>(p % w);
    top = static_cast<std::int32_t>(row);
    return true;
}

void drawCell(FONT* f, Blit kind)
{
    if (f == nullptr || f->glyphs == nullptr || f->target == nullptr) { FONT_error(); return; }
    if (f->code < 0) return;
    std::int32_t left = 0;
    std::int32_t top = 0;
    if (cellOf(f, f->code, left, top)) {
        const std::int32_t w = f->glyphWidth;
        const std::int32_t h = f->glyphHeight;
        switch (kind) {
        case Blit::transparent: IMG_blit(f->glyphs, f->target, left, top, f->x, f->y, w, h); break;
        case Blit::opaque: IMG_copyBlit(f->glyphs, f->target, left, top, f->x, f->y, w, h); break;
        case Blit::add: IMG_addBlit(f->glyphs, f->target, left, top, f->x, f->y, w, h); break;
        }
    }
    f->x = INT_add(f->x, f->glyphWidth);
}

std::int32_t drawText(FONT* f, const char* text, Blit kind)
{
    if (f == nullptr || text == nullptr || f->glyphs == nullptr || f->target == nullptr) {
        FONT_error();
        return 0;
    }
    const std::int32_t left = f->x;
    std::int32_t n = 0;
    for (const char* p = text; *p != '\0'; ++p, ++n) {
        if (*p == '\n') {
            f->y = INT_add(f->y, f->glyphHeight);
            f->x = left;
        } else {
            f->code = static_cast<signed char>(*p);
            drawCell(f, kind);
        }
    }
    return n;
}

void drawDigits(FONT* f, std::uint32_t value, std::int32_t digits)
{
    if (f == nullptr) { FONT_error(); return; }
    static constexpr char hex[] = "0123456789ABCDEF";
    for (std::int32_t i = digits - 1; i >= 0; --i) {
        f->code = hex[(value >> (4 * i)) & 15u];
        drawCell(f, Blit::transparent);
    }
}

}  // namespace

FONT* FONT_new()
{
    FONT* f = new (std::nothrow) FONT{};
    if (f == nullptr) { FONT_error(); return nullptr; }
    f->glyphWidth = 6;
    f->glyphHeight = 6;
    return f;
}

void FONT_free(FONT** font)
{
    if (font == nullptr || *font == nullptr) { FONT_error(); return; }
    if ((*font)->glyphs != nullptr) IMG_free(&(*font)->glyphs);
    delete *font;
    *font = nullptr;
}

void FONT_drawChar(FONT* font) { drawCell(font, Blit::transparent); }
void FONT_drawCharOpaque(FONT* font) { drawCell(font, Blit::opaque); }
void FONT_drawCharAdd(FONT* font) { drawCell(font, Blit::add); }

void FONT_drawLine(FONT* font, const char* text)
{
    if (font == nullptr || text == nullptr) { FONT_error(); return; }
    for (const char* p = text; *p != '\0' && *p != '\n'; ++p) {
        font->code = static_cast<signed char>(*p);
        drawCell(font, Blit::transparent);
    }
}

void FONT_drawText(FONT* font, const char* text) { drawText(font, text, Blit::transparent); }

std::int32_t FONT_drawTextOpaque(FONT* font, const char* text) { return drawText(font, text, Blit::opaque); }

void FONT_drawDecimal(FONT* font, std::uint32_t value)
{
    if (font == nullptr) { FONT_error(); return; }
    for (std::uint32_t div = 1000000000u; div != 0; div /= 10u) {
        font->code = static_cast<std::int32_t>('0' + value / div);
        value %= div;
        drawCell(font, Blit::transparent);
    }
}

void FONT_drawHexByte(FONT* font, std::uint8_t value) { drawDigits(font, value, 2); }
void FONT_drawHex16(FONT* font, std::uint16_t value) { drawDigits(font, value, 4); }
void FONT_drawHex32(FONT* font, std::uint32_t value) { drawDigits(font, value, 8); }

void FONT_drawBigChar(FONT* a, FONT* b)
{
    if (a == nullptr || b == nullptr || a->glyphs == nullptr || a->target == nullptr || b->glyphs == nullptr) {
        FONT_error();
        return;
    }
    b->target = a->target;
    if (a->code < 0) return;
    const IMG* sheet = a->glyphs;
    const std::int32_t w = a->glyphWidth;
    const std::int32_t h = a->glyphHeight;
    std::int32_t left = 0;
    std::int32_t top = 0;
    // The cell is read straight from the pixel array, so it must lie wholly inside.
    const bool inside = sheet->pixels != nullptr && w > 0 && h > 0 && cellOf(a, a->code, left, top)
        && left >= 0 && top >= 0 && std::int64_t{left} + w <= sheet->width && std::int64_t{top} + h <= sheet->height;
    if (inside) {
        const std::int32_t x0 = a->x;
        const std::int32_t y0 = a->y;
        for (std::int32_t row = 0; row < h; ++row) {
            const std::uint32_t* line = sheet->pixels + static_cast<std::int64_t>(top + row) * sheet->width + left;
            for (std::int32_t col = 0; col < w; ++col) {
                if (line[col] == 0) continue;
                b->x = INT_add(x0, INT_mul(col, b->glyphWidth));
                b->y = INT_add(y0, INT_mul(row, b->glyphHeight));
                drawCell(b, Blit::transparent);
            }
        }
    }
    a->x = INT_add(a->x, INT_mul(w, b->glyphWidth));
}
