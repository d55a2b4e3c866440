// LFRAME: two segments whose end points run around the edges of an area,
// with lines drawn between them that blend from one segment's colour to the
// other's. Owns both segments.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"
#include "vector/SEG2D.h"

struct LFRAME {
    std::int32_t width, height;   // area; 256 x 256
    SEG2D* first;                 // owned; drawn in its start colour
    SEG2D* second;                // owned
    std::int32_t count;           // lines from first to second, both included; 4..11
    std::int32_t travel[4];       // places on the edge, clockwise from (0, 0): first start, first end, second start, second end
    std::int32_t speed[4];        // edge pixels per step, -4..4 and never 0
};

extern const MODID LFRAME_ID;
extern std::uint8_t LFRAME_debug;   // 0 at start; nothing sets it

LFRAME* LFRAME_new();               // 256 x 256, then LFRAME_reset; null after LFRAME_error
void LFRAME_free(LFRAME** frame);   // frees both segments and the record, stores null
// RANDOM_random30 draws: four edge places, two colours (& 0xffffff), the count, four speeds.
void LFRAME_reset(LFRAME* frame);
void LFRAME_step(LFRAME* frame);    // every end point moves on along the edge
void LFRAME_draw(const LFRAME* frame, IMG* image);   // clipped
void LFRAME_error();                // "LFRAME error\n" while LFRAME_debug != 0
