// LFONT: a line font. Character code n is the OBJ2D at index n of the glyph
// list, drawn scaled, turned and moved to the pen position; the pen advances
// by one scaled cell along x. Owns its glyph list and the objects in it.
#pragma once
#include <cstdint>

#include "foundation/LIST.h"
#include "foundation/MODID.h"
#include "foundation/VEC2D.h"
#include "raster/IMG.h"

struct LFONT {
    VEC2D* position;      // owned; pen: where the next glyph's origin goes
    VEC2D* size;          // owned; (16, 16); advance per glyph (x) and per line (y) before scaling
    std::int32_t code;    // character the next draw draws
    VEC2D* scale;         // owned; (1, 1); given to each glyph and applied to the advances
    std::int32_t angle;   // 1024ths of a turn, given to each glyph
    LIST* glyphs;         // OBJ2D*, owned with the objects; null until set
    IMG* target;          // drawn into; not owned
};

extern const MODID LFONT_ID;
extern std::uint8_t LFONT_debug;   // 0 at start; nothing sets it

LFONT* LFONT_new();                // null after LFONT_error
void LFONT_free(LFONT** font);     // frees vectors, glyph objects, glyph list, record; stores null

// Glyph `code` with the font's scale, angle and position, in its own colours;
// then position x += size x * scale x. A code that is not the index of a
// glyph is an error: nothing drawn, no advance.
void LFONT_drawChar(LFONT* font);
void LFONT_drawCharRandom(LFONT* font);   // the glyph first gets a random light colour

// Text bytes are codes taken as signed chars: bytes 128-255 are errors.
void LFONT_drawLine(LFONT* font, const char* text);   // up to the first "\n" or the zero
void LFONT_drawText(LFONT* font, const char* text);   // "\n": y += size y * scale y, x back

void LFONT_drawDecimal(LFONT* font, std::uint32_t value);   // ten digits, leading zeros
void LFONT_drawHexByte(LFONT* font, std::uint8_t value);    // two digits, capitals
void LFONT_drawHex16(LFONT* font, std::uint16_t value);     // four digits
void LFONT_drawHex32(LFONT* font, std::uint32_t value);     // eight digits

void LFONT_setColor(LFONT* font, std::uint32_t colour);   // every glyph, last to first
void LFONT_randomColors(LFONT* font);   // each glyph (RANDOM_rand15() & 0x7f7f7f) + 0x808080, last to first

void LFONT_error();                // "LFONT Error.\n" while LFONT_debug != 0
