// FILL: the animated flood fill. Each step paints one generation, the current
// front of pixels, and collects their unpainted neighbours as the next front.
// Owns its two point arrays; the image and the pattern belong to the caller.
#pragma once
#include <array>
#include <cstdint>

#include "foundation/ARRAY.h"
#include "foundation/MODID.h"
#include "raster/IMG.h"

struct FILL {
    std::int32_t left, top, z0;      // clip box, inclusive; 0 after every step; z0 carried at 0
    std::int32_t right, bottom, z1;  // clip box, exclusive; the image's width and height; z1 carried at 0
    std::uint32_t oldColour;         // only pixels of exactly this word are painted or spread into
    std::uint32_t newColour;         // the colour written; the drifting steps change it per generation
    std::uint32_t colourStep;        // 0x010101 at creation; as a signed value < 0 the shade step subtracts
    IMG* image;                      // the image being filled, not owned
    IMG* pattern;                    // tiled by the pattern step, not owned
    std::int32_t patternX, patternY; // added to the pixel position before the pattern look-up
    std::int32_t mode;               // 'f' (FILL_start), 'p' pattern or 'a' drifting, in the low byte
    ARRAY* front;                    // owned; points (x, y as two std::int32_t) of the next step
    ARRAY* next;                     // owned; the following generation is collected here
    std::int32_t generation;         // steps taken since creation; FILL_start keeps it
};

// The flood fill's own hue circle, starting at red: red, yellow, green, cyan,
// blue, magenta, 256 steps each. Not the driver's colour wheel.
inline constexpr std::int32_t FILL_RAINBOW_SIZE = 1536;
extern const std::array<std::uint32_t, FILL_RAINBOW_SIZE> FILL_rainbow;

extern const MODID FILL_ID;
extern std::uint8_t FILL_debug;   // 0 at start; nothing sets it

FILL* FILL_new();                   // zero-filled, colourStep 0x010101; null after FILL_error
void FILL_free(FILL** fill);        // frees both arrays (not the images), stores null
// Seeds a fill at (x, y) of fill->image: oldColour is that pixel, mode 'f'.
void FILL_start(FILL* fill, std::int32_t x, std::int32_t y, std::uint32_t colour);

// One generation each; the result is the size of the new front, 0 when the
// fill is finished or could not run (null parts or the wrong mode: FILL_error).
std::int32_t FILL_step(FILL* fill);          // mode 'f': paint newColour and spread
std::int32_t FILL_stepPattern(FILL* fill);   // mode 'p': colour from the tiled pattern
std::int32_t FILL_stepShade(FILL* fill);     // mode 'a': ragged, newColour drifts by colourStep
std::int32_t FILL_stepRainbow(FILL* fill);   // mode 'a': ragged, colour from FILL_rainbow
std::int32_t FILL_stepCollect(FILL* fill, ARRAY* points);   // as FILL_step; painted points pushed onto points (element size 8)

void FILL_error();   // "FILL error\n" while FILL_debug != 0
