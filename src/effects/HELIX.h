// HELIX: a double sine strand drawn as a ribbon of spans, either as a band
// between the strands or as a shaded twist of short spans. Phases are sine
// table indices 0..1023. Owns nothing.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"

struct HELIX {
    std::int32_t x, y, z;                 // not read by the draws
    std::int32_t width, height, depth;    // 256 each; not read by the draws
    std::int32_t phase;                   // first strand's index at the first column (row), 0..1023
    std::int32_t speed;                   // added to phase by HELIX_advance; 8..31
    std::int32_t step;                    // index step per column (row); 1..8
    std::int32_t amplitude;               // strand amplitude in pixels; 16..115
    std::int32_t offset;                  // second strand's phase distance, span length of the twists; 64..126
    std::uint32_t colour;                 // bright colour, every channel 0x80..0xFF
    std::uint32_t shade;                  // dark colour, (colour AND 0xFEFEFE) >> 1
    std::int32_t spare;                   // compared and copied only; 0
};

extern const MODID HELIX_ID;
extern std::uint8_t HELIX_debug;          // 0 at start; nothing sets it

HELIX* HELIX_new();                       // 256 x 256, randomized; null after HELIX_error
void HELIX_free(HELIX** helix);           // frees, stores null
void HELIX_randomize(HELIX* helix);       // phase, speed, step, amplitude, offset, colour from RANDOM_random30
void HELIX_advance(HELIX* helix);         // phase = (phase + speed) AND 1023
void HELIX_drawBandV(const HELIX* helix, IMG* img);       // one column per image column, clipped
void HELIX_drawBandH(const HELIX* helix, IMG* img);       // one row per image row, clipped
void HELIX_drawTwistH(const HELIX* helix, IMG* img);      // back spans in shade, then front spans in colour
void HELIX_drawTwistV(const HELIX* helix, IMG* img);      // front spans only, axes exchanged
void HELIX_drawTwistVBack(const HELIX* helix, IMG* img);  // the back spans of the vertical twist
bool HELIX_equal(const HELIX* a, const HELIX* b);         // wave fields, colour and the spare word
void HELIX_copy(const HELIX* src, HELIX* dst);            // those fields and the position
HELIX* HELIX_clone(const HELIX* helix);                   // those fields; its own shade and position
char* HELIX_print(const HELIX* helix);                    // null
void HELIX_error();                       // "HELIX error\n" while HELIX_debug != 0
