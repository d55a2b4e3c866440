// CURSOR: a position in a text that wraps around at the text's end, for the
// scrollers. The text is not owned.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"

struct CURSOR {
    std::int32_t index;    // current position, 0 .. length - 1
    std::int32_t step;     // added by CURSOR_advance; may be negative
    std::int32_t length;   // length of the text, the modulus; at least 1
    const char* text;      // not owned
    std::int32_t mark;     // a saved index
};

extern const MODID CURSOR_ID;
extern std::uint8_t CURSOR_debug;   // 0 at start; nothing sets it

CURSOR* CURSOR_new();                   // over "QORN", length 4, step 1; null after CURSOR_error
void CURSOR_free(CURSOR** cursor);      // frees the record (not the text), stores null
// index = 0, mark unchanged; a null text or a length below 1 is an error and changes nothing.
void CURSOR_set(CURSOR* cursor, const char* text, std::int32_t length, std::int32_t step);
void CURSOR_advance(CURSOR* cursor);    // index = (index + step) mod length, never negative
void CURSOR_setIndex(CURSOR* cursor, std::int32_t value);   // value mod length, never negative
void CURSOR_save(CURSOR* cursor);       // mark = index
void CURSOR_restore(CURSOR* cursor);    // index = mark (mod length)
void CURSOR_error();                    // "CURSOR Error.\n" while CURSOR_debug != 0
