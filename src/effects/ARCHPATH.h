// ARCHPATH: a point moving along a chain of circular arcs that alternate
// their turning direction, wrapping around the area's edges; drawn as a pixel
// or carrying a sprite (added or scattered). Angles are 1024ths of a turn.
// The sprites are created when missing and never freed here (clones share them).
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"

struct ARCHPATH {
    std::int32_t x, y, z;                 // centre of the current arc; z is not read
    std::int32_t width, height, depth;    // wrap area; 256 each
    std::int32_t angle;                   // the point's angle on the arc, 0..1023
    std::int32_t turn;                    // angle step per frame; its sign is the turning direction
    std::int32_t radius;                  // arc radius in pixels
    std::int32_t arcLength;               // frames per arc
    std::int32_t counter;                 // frames spent on the current arc
    std::uint32_t colour;                 // pixel colour, every channel 0x80..0xFF
    IMG* scatterSprite;                   // carried by the scatter draws; not freed by ARCHPATH_free
    IMG* addSprite;                       // carried by the additive draws; not freed by ARCHPATH_free
};

extern const MODID ARCHPATH_ID;
extern std::uint8_t ARCHPATH_debug;       // 0 at start; nothing sets it

ARCHPATH* ARCHPATH_new();                 // 256 x 256, randomized; null after ARCHPATH_error
void ARCHPATH_free(ARCHPATH** path);      // frees the record (not the sprites), stores null
void ARCHPATH_randomize(ARCHPATH* path);  // centre, angle, turn, arc length, radius (RANDOM_rand15), sprites when missing, colour (RANDOM_random30)
void ARCHPATH_plot(const ARCHPATH* path, IMG* img);   // the point, wrapped once into the area, with IMG_putPixel
void ARCHPATH_advance(ARCHPATH* path);          // one frame; at the arc's end the centre jumps across and the turn reverses
void ARCHPATH_advanceWide(ARCHPATH* path);      // new radius 16..47 at each change
void ARCHPATH_advanceTight(ARCHPATH* path);     // new radius 8..23 and longer arcs
void ARCHPATH_advanceKeepTurn(ARCHPATH* path);  // new radius 8..23, the turn keeps its sign: loops
void ARCHPATH_drawAdd(ARCHPATH* path, IMG* img);       // addSprite added at the point, repeated across the edges
void ARCHPATH_drawAdd4(ARCHPATH* path, IMG* img);      // the same at four mirrored places
void ARCHPATH_drawScatter(ARCHPATH* path, IMG* img);   // scatterSprite scattered (18 pixels) at the point, repeated across the edges
void ARCHPATH_drawScatter4(ARCHPATH* path, IMG* img);  // the same at four mirrored places
bool ARCHPATH_equal(const ARCHPATH* a, const ARCHPATH* b);   // all fields
void ARCHPATH_copy(const ARCHPATH* src, ARCHPATH* dst);      // all fields; the sprites are shared
ARCHPATH* ARCHPATH_clone(const ARCHPATH* path);              // shares the source's sprites; null after ARCHPATH_error
char* ARCHPATH_print(const ARCHPATH* path);                  // null
void ARCHPATH_error();                    // "ARCHPATH error\n" while ARCHPATH_debug != 0
