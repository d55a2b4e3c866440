// SINESCAN: three summed sine waves turned into one coloured scan line, by
// shading a colour or by reading a palette. Phases, speeds, steps and
// amplitudes are 16.16 fixed point. Owns its value and palette buffers.
#pragma once
#include <cstdint>

#include "audio/SAMPLE.h"
#include "foundation/MODID.h"
#include "raster/IMG.h"

struct SINESCAN_WAVE {
    std::int32_t phase;        // 16.16 sine table index, kept in 0 .. 1024.0
    std::int32_t speed;        // 16.16, added to phase once per compute
    std::int32_t step;         // 16.16, added from one column to the next
    std::int32_t amplitude;    // 16.16 weight; 256.0 after randomize
};

struct SINESCAN {
    std::int32_t x, y, z;                 // y: the image row drawn
    std::int32_t width, height, depth;    // 256 each at creation
    SINESCAN_WAVE wave[3];
    SAMPLE* values;                       // owned; one summed value per column
    std::uint32_t colour;                 // base colour of drawShade
    SAMPLE* palette;                      // owned; 2048 colour words after randomize
};

extern const MODID SINESCAN_ID;
extern std::uint8_t SINESCAN_debug;       // 0 at start; nothing sets it

SINESCAN* SINESCAN_new();                 // 256 x 256, randomized; null after SINESCAN_error
void SINESCAN_free(SINESCAN** scan);      // frees both buffers and the record, stores null
void SINESCAN_randomize(SINESCAN* scan);  // row, waves and colour from RANDOM_rand15; palette and values rebuilt
void SINESCAN_compute(SINESCAN* scan);    // one value per column, then the phases move by their speeds
void SINESCAN_drawShade(const SINESCAN* scan, IMG* img);     // colour brightened or darkened per column; zero amplitude sum: nothing
void SINESCAN_drawPalette(const SINESCAN* scan, IMG* img);   // palette colour per column; no palette: drawShade
bool SINESCAN_equal(const SINESCAN* a, const SINESCAN* b);   // the twelve wave words and colour
void SINESCAN_copy(const SINESCAN* src, SINESCAN* dst);      // position, size, waves and colour
SINESCAN* SINESCAN_clone(const SINESCAN* scan);              // a new record with the waves and colour
void SINESCAN_error();                    // "SINESCAN error\n" while SINESCAN_debug != 0
