// SAMDRAW: draws the SAMPLE of a SAM record as a waveform into an IMG, one
// column per step through the values: positive values extend below the
// middle row, negative ones above it; full scale reaches the edge.
#pragma once
#include <cstdint>

#include "audio/SAM.h"
#include "foundation/MODID.h"
#include "raster/IMG.h"

struct SAMDRAW {
    SAM* sam;                 // not owned; its sample is drawn, its position marked
    IMG* target;              // not owned; drawn into
    std::uint32_t background; // 0x808080; fills the target first
    std::uint32_t waveColor;  // 0xffffff
    std::uint32_t markColor;  // 0; peak and position markers
    std::int32_t first;       // first sample index drawn; corrected into range by SAMDRAW_draw
    std::int32_t last;        // last sample index drawn
};

extern const MODID SAMDRAW_ID;
extern std::uint8_t SAMDRAW_debug;   // 0 at start; nothing sets it

SAMDRAW* SAMDRAW_new();                     // defaults; ends the program with -1 if memory runs out
void SAMDRAW_free(SAMDRAW** drawer);        // frees the record, stores null
void SAMDRAW_draw(SAMDRAW* drawer);         // background, then values first..last across the width
void SAMDRAW_drawSmooth(SAMDRAW* drawer);   // the same, each column the mean of three neighbours, step from the count
void SAMDRAW_drawPeaks(SAMDRAW* drawer);    // columns at the largest and smallest value, in markColor
void SAMDRAW_drawPosition(SAMDRAW* drawer); // full-height column at the record's position, in markColor
void SAMDRAW_error();                       // "SAMDRAW error.\n" while SAMDRAW_debug != 0
