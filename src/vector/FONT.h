// FONT: a bitmap font whose glyphs are cells of a glyph image, cell n read
// row by row. Drawing state (pen, code, target) lives in the record; the
// pen advances one cell per glyph. Owns its glyph image.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"

struct FONT {
    std::int32_t x;             // left edge of the next glyph on the target
    std::int32_t y;             // top edge of the current line
    std::int32_t glyphWidth;    // cell width in pixels; 6
    std::int32_t glyphHeight;   // cell height in pixels; 6
    std::int32_t code;          // character the next draw draws; negative draws nothing
    IMG* glyphs;                // owned glyph image, or null
    IMG* target;                // drawn into; not owned
};

extern const MODID FONT_ID;
extern std::uint8_t FONT_debug;   // 0 at start; nothing sets it

FONT* FONT_new();                 // null after FONT_error
void FONT_free(FONT** font);      // frees glyphs and the record, stores null

// One glyph at (x, y), then x += glyphWidth. A negative code draws nothing and
// does not advance; a cell outside the glyph image draws nothing but advances.
void FONT_drawChar(FONT* font);          // zero pixels of the cell are not copied
void FONT_drawCharOpaque(FONT* font);    // every pixel copied
void FONT_drawCharAdd(FONT* font);       // pixel words added

// Text bytes are codes taken as signed chars: bytes 128-255 draw nothing.
void FONT_drawLine(FONT* font, const char* text);   // up to the first "\n" or the zero
void FONT_drawText(FONT* font, const char* text);   // "\n": next line, back to the first x
std::int32_t FONT_drawTextOpaque(FONT* font, const char* text);   // bytes consumed

// Digits drawn with FONT_drawChar; letters above 9 are capitals.
void FONT_drawDecimal(FONT* font, std::uint32_t value);   // ten digits, leading zeros
void FONT_drawHexByte(FONT* font, std::uint8_t value);    // two digits
void FONT_drawHex16(FONT* font, std::uint16_t value);     // four digits
void FONT_drawHex32(FONT* font, std::uint32_t value);     // eight digits

// a's current glyph enlarged: every set pixel of its cell becomes b's current
// glyph. a->x then advances by a->glyphWidth * b->glyphWidth. b's target
// becomes a's. A cell not wholly inside a's glyph image draws nothing.
void FONT_drawBigChar(FONT* a, FONT* b);

void FONT_error();                // "FONT Error.\n" while FONT_debug != 0
