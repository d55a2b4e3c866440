// SINELINE: a chain of points from sums of three sine waves, drawn as a path,
// graphs, curtains, mirrored figures or shapes along the path. Phases are
// sine table indices 0..1023. Owns its point array; callers may write any
// field between operations.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"

struct SINELINE_XYZ {
    std::int32_t x, y, z;                 // z is carried and never read
};

struct SINELINE {
    std::int32_t x, y, z;                 // y: top row of the band of the graph drawings
    std::int32_t width, height, depth;    // centre (width >> 1, height >> 1); height: band height
    SINELINE_XYZ phase[3];                // current phase of each component, 0..1023
    SINELINE_XYZ speed[3];                // added to the phases by SINELINE_advance
    SINELINE_XYZ step[3];                 // added from one point to the next
    SINELINE_XYZ amplitude[3];            // weight of each component
    std::uint32_t colour;                 // 0xFF0000 at creation
    std::int32_t count;                   // points; 16 at creation
    std::int32_t* points;                 // owned, 2 * count words: x, y of each point
};

extern const MODID SINELINE_ID;
extern std::uint8_t SINELINE_debug;       // 0 at start; nothing sets it

SINELINE* SINELINE_new();                 // 256 x 256, 16 points, randomized; null after SINELINE_error
void SINELINE_free(SINELINE** line);      // frees points and record, stores null
void SINELINE_setCount(SINELINE* line, std::int32_t n);   // n > 0: new zeroed points, then randomize
void SINELINE_randomize(SINELINE* line);  // phases, speeds, steps from RANDOM_rand15; amplitudes from the size
void SINELINE_compute(SINELINE* line);    // points from the current phases; phases unchanged
void SINELINE_advance(SINELINE* line);    // phase += speed, kept in 0..1023

// Drawings of the computed points; count - 1 segments, clipped, in colour.
void SINELINE_drawPath(const SINELINE* line, IMG* img);
void SINELINE_drawWave(const SINELINE* line, IMG* img, std::int32_t step);          // y values against i * step
void SINELINE_drawCurtain(const SINELINE* line, IMG* img, std::int32_t step);       // wave filled down to the band bottom; needs 2 points
void SINELINE_drawBlendCurtain(const SINELINE* line, IMG* img, std::int32_t step);  // the fill blended, alpha 128 (last line 40)
void SINELINE_drawWaveV(const SINELINE* line, IMG* img, std::int32_t step);         // x values running downward
void SINELINE_drawMirror4(const SINELINE* line, IMG* img);      // path mirrored as W - x, H - y
void SINELINE_drawMirrorV(const SINELINE* line, IMG* img);
void SINELINE_drawMirrorH(const SINELINE* line, IMG* img);
void SINELINE_drawMirrorDiag(const SINELINE* line, IMG* img);
void SINELINE_drawMirror8(const SINELINE* line, IMG* img);
void SINELINE_drawCircles(const SINELINE* line, IMG* img);       // filled, radius from the next point's distance
void SINELINE_drawCentreCircles(const SINELINE* line, IMG* img); // filled, radius from the centre distance, colour + 8 i
void SINELINE_drawEllipses(const SINELINE* line, IMG* img);      // two outlines, colour and colour * 4

// Entries that keep no state of their own; each still reports null arguments.
char* SINELINE_print(const SINELINE* line);                       // null
bool SINELINE_equal(const SINELINE* a, const SINELINE* b);        // false
SINELINE* SINELINE_clone(const SINELINE* line);                   // a fresh default record
void SINELINE_copy(const SINELINE* src, SINELINE* dst);           // changes nothing

void SINELINE_error();                    // "SINELINE error\n" while SINELINE_debug != 0
