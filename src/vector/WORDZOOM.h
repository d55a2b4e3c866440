// WORDZOOM: words written one letter at a time with a line font; the newest
// letter flies in from the front, drawn eight times at sizes shrinking to its
// place. Owns its word list; the font is not owned.
#pragma once
#include <cstdint>

#include "foundation/LIST.h"
#include "foundation/MODID.h"
#include "raster/IMG.h"
#include "vector/LFONT.h"

inline constexpr std::int32_t WORDZOOM_MAX_LETTERS = 256;

struct WORDZOOM {
    LIST* words;                 // std::malloc'ed texts, one per line; owned
    std::int32_t current;        // index of the current word
    char letters[WORDZOOM_MAX_LETTERS + 1];   // the letters revealed so far, zero-terminated
    std::int32_t revealed;       // letters revealed
    std::int32_t x, y;           // top-left corner of the first letter
    std::int32_t width, height;  // area; 256 x 256
    std::int32_t delay;          // steps from one letter to the next; 8
    std::int32_t counter;        // steps until the next letter
    std::int32_t hold;           // steps the whole word stays before the next one
    std::uint32_t colors[WORDZOOM_MAX_LETTERS];   // a light colour per letter
    LFONT* font;                 // drawn with at scale 2; not owned
};

extern const MODID WORDZOOM_ID;
extern std::uint8_t WORDZOOM_debug;   // 0 at start; nothing sets it
extern const char WORDZOOM_words[];   // the default list: 26 lines, 180 bytes, first "QORN"

WORDZOOM* WORDZOOM_new();             // the default words, first word chosen; null after WORDZOOM_error
void WORDZOOM_free(WORDZOOM** zoom);  // frees the words and the record, stores null
// Words are the non-empty lines of text, each cut at 256 letters; the first is chosen.
// A text without words is an error and changes nothing.
void WORDZOOM_setText(WORDZOOM* zoom, const char* text);
// The next word (after the last, the first): centred across 2 cells per
// letter, at a random height in the middle third, random light letter colours.
void WORDZOOM_next(WORDZOOM* zoom);
void WORDZOOM_step(WORDZOOM* zoom);   // reveals a letter every delay steps, then holds, then the next word
void WORDZOOM_draw(WORDZOOM* zoom, IMG* image);   // needs font; sets its scale, angle, position and target
void WORDZOOM_error();                // "WORDZOOM error\n" while WORDZOOM_debug != 0
