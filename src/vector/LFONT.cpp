// LFONT: line glyphs drawn through OBJ2D_draw. The glyph keeps the transform
// it was last drawn with; its colours are only changed by the colour calls.
#include "vector/LFONT.h"

#include <cstdio>
#include <new>

#include "foundation/INT.h"
#include "foundation/RANDOM.h"
#include "vector/OBJ2D.h"

const MODID LFONT_ID = MODID_CODE("LFONT   ");
std::uint8_t LFONT_debug = 0;

void LFONT_error()
{
    if (LFONT_debug != 0) std::fputs("LFONT Error.\n", stdout);
}

namespace {

bool usable(const LFONT* f)
{
    return f != nullptr && f->position != nullptr && f->size != nullptr && f->scale != nullptr;
}

// The glyph of code, or null when code is not the index of a glyph.
OBJ2D* glyphOf(const LFONT* f, std::int32_t code)
{
    if (f->glyphs == nullptr || code < 0 || code >= f->glyphs->count) return nullptr;
    return static_cast<OBJ2D*>(f->glyphs->items[code]);
}

std::uint32_t lightColour()
{
    return (static_cast<std::uint32_t>(RANDOM_rand15()) & 0x7f7f7fu) + 0x808080u;
}

void drawGlyph(LFONT* f, OBJ2D* g)
{
    VEC2D_copy(f->scale, g->scale);
    g->angle = f->angle;
    VEC2D_copy(f->position, g->position);
    OBJ2D_draw(g, f->target);
    f->position->x = INT_add(f->position->x, INT_mul(f->size->x, f->scale->x));
}

void drawDigits(LFONT* f, std::uint32_t value, std::int32_t digits)
{
    if (f == nullptr) { LFONT_error(); return; }
    static constexpr char hex[] = "0123456789ABCDEF";
    for (std::int32_t i = digits - 1; i >= 0; --i) {
        f->code = hex[(value >> (4 * i)) & 15u];
        LFONT_drawChar(f);
    }
}

}  // namespace

LFONT* LFONT_new()
{
    LFONT* f = new (std::nothrow) LFONT{};
    if (f == nullptr) { LFONT_error(); return nullptr; }
    f->position = VEC2D_new(0, 0);
    f->size = VEC2D_new(16, 16);
    f->scale = VEC2D_new(1, 1);
    if (!usable(f)) {
        LFONT_free(&f);
        LFONT_error();
        return nullptr;
    }
    return f;
}

void LFONT_free(LFONT** font)
{
    if (font == nullptr || *font == nullptr) { LFONT_error(); return; }
    LFONT* f = *font;
    if (f->position != nullptr) VEC2D_free(&f->position);
    if (f->size != nullptr) VEC2D_free(&f->size);
    if (f->scale != nullptr) VEC2D_free(&f->scale);
    if (f->glyphs != nullptr) {
        for (std::int32_t i = f->glyphs->count - 1; i >= 0; --i) {
            OBJ2D* g = static_cast<OBJ2D*>(f->glyphs->items[i]);
            if (g != nullptr) OBJ2D_free(&g);
        }
        LIST_free(&f->glyphs);
    }
    delete f;
    *font = nullptr;
}

void LFONT_drawChar(LFONT* font)
{
    if (!usable(font) || font->target == nullptr) { LFONT_error(); return; }
    OBJ2D* g = glyphOf(font, font->code);
    if (g == nullptr) { LFONT_error(); return; }
    drawGlyph(font, g);
}

void LFONT_drawCharRandom(LFONT* font)
{
    if (!usable(font) || font->target == nullptr) { LFONT_error(); return; }
    OBJ2D* g = glyphOf(font, font->code);
    if (g == nullptr) { LFONT_error(); return; }
    OBJ2D_setColor(g, lightColour());
    drawGlyph(font, g);
}

void LFONT_drawLine(LFONT* font, const char* text)
{
    if (font == nullptr || text == nullptr) { LFONT_error(); return; }
    for (const char* p = text; *p != '\0' && *p != '\n'; ++p) {
        font->code = static_cast<signed char>(*p);
        LFONT_drawChar(font);
    }
}

void LFONT_drawText(LFONT* font, const char* text)
{
    if (!usable(font) || text == nullptr || font->glyphs == nullptr || font->target == nullptr) {
        LFONT_error();
        return;
    }
    const std::int32_t left = font->position->x;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\n') {
            font->position->y = INT_add(font->position->y, INT_mul(font->size->y, font->scale->y));
            font->position->x = left;
        } else {
            font->code = static_cast<signed char>(*p);
            LFONT_drawChar(font);
        }
    }
}

void LFONT_drawDecimal(LFONT* font, std::uint32_t value)
{
    if (font == nullptr) { LFONT_error(); return; }
    for (std::uint32_t div = 1000000000u; div != 0; div /= 10u) {
        font->code = static_cast<std::int32_t>('0' + value / div);
        value %= div;
        LFONT_drawChar(font);
    }
}

void LFONT_drawHexByte(LFONT* font, std::uint8_t value) { drawDigits(font, value, 2); }
void LFONT_drawHex16(LFONT* font, std::uint16_t value) { drawDigits(font, value, 4); }
void LFONT_drawHex32(LFONT* font, std::uint32_t value) { drawDigits(font, value, 8); }

void LFONT_setColor(LFONT* font, std::uint32_t colour)
{
    if (font == nullptr || font->glyphs == nullptr) { LFONT_error(); return; }
    for (std::int32_t i = font->glyphs->count - 1; i >= 0; --i) {
        OBJ2D* g = static_cast<OBJ2D*>(font->glyphs->items[i]);
        if (g != nullptr) OBJ2D_setColor(g, colour);
    }
}

void LFONT_randomColors(LFONT* font)
{
    if (font == nullptr || font->glyphs == nullptr) { LFONT_error(); return; }
    for (std::int32_t i = font->glyphs->count - 1; i >= 0; --i) {
        const std::uint32_t colour = lightColour();   // one draw per entry, empty ones too
        OBJ2D* g = static_cast<OBJ2D*>(font->glyphs->items[i]);
        if (g != nullptr) OBJ2D_setColor(g, colour);
    }
}
