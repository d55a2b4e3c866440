// SINEDOTS: a chain of points from sums of three sine waves, plotted as single
// dots while they are computed. Phases are sine table indices 0..1023. Owns a
// point array of count words that the plots never fill.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"

struct SINEDOTS_XYZ {
    std::int32_t x, y, z;                 // z is carried and never read
};

struct SINEDOTS {
    std::int32_t x, y, z;                 // not read
    std::int32_t width, height, depth;    // set from the image by the plots
    SINEDOTS_XYZ phase[3];                // current phase of each component, 0..1023
    SINEDOTS_XYZ speed[3];                // added to the phases by SINEDOTS_advance
    SINEDOTS_XYZ step[3];                 // added from one dot to the next
    SINEDOTS_XYZ amplitude[3];            // set from the image by the plots
    std::uint32_t colour;                 // 0xFF0000 at creation
    std::int32_t count;                   // dots; 16 at creation
    std::int32_t* points;                 // owned, count words, never filled
};

extern const MODID SINEDOTS_ID;
extern std::uint8_t SINEDOTS_debug;       // 0 at start; nothing sets it

SINEDOTS* SINEDOTS_new();                 // 256 x 256, 16 dots, randomized; null if memory runs out
void SINEDOTS_free(SINEDOTS** dots);      // frees points and record, stores null
void SINEDOTS_setCount(SINEDOTS* dots, std::int32_t n);   // n > 0: new zeroed words, then randomize
void SINEDOTS_randomize(SINEDOTS* dots);  // phases, speeds, steps from RANDOM_rand15; all positive
void SINEDOTS_advance(SINEDOTS* dots);    // phase += speed, kept in 0..1023
void SINEDOTS_plot(SINEDOTS* dots, IMG* img);      // size and amplitudes from img, count dots with IMG_putPixel
void SINEDOTS_plotAdd(SINEDOTS* dots, IMG* img);   // the same with IMGFX_addPixel
void SINEDOTS_error();                    // prints nothing
