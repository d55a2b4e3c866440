// BACKMOVE: a small tile image repeated over a target image as a scrolling
// wallpaper whose velocity changes now and then. Neither image is owned.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"

struct BACKMOVE {
    std::int32_t x, y, z;                 // not read by the operations
    std::int32_t width, height, depth;    // 256 each; not read by the operations
    std::int32_t offsetX, offsetY;        // tiling origin, kept in (-stepX, 0] and (-stepY, 0]
    std::int32_t speedX, speedY;          // added to the offsets per advance; -4..4 at creation
    std::int32_t stepX, stepY;            // tile spacing; 16 x 16 at creation, at least the tile size when drawn
    IMG* tile;                            // drawn repeatedly, its x, y overwritten; not owned
    IMG* target;                          // drawn into; not owned
};

extern const MODID BACKMOVE_ID;
extern std::uint8_t BACKMOVE_debug;       // 0 at start; nothing sets it

BACKMOVE* BACKMOVE_new();                 // steps 16 x 16, random speeds; null after BACKMOVE_error
void BACKMOVE_free(BACKMOVE** back);      // frees the record only, stores null
void BACKMOVE_randomize(BACKMOVE* back);  // speeds RANDOM_rand15() mod 9 - 4
void BACKMOVE_draw(BACKMOVE* back);       // tiles the target with IMG_draw (0 transparent); needs tile and target
void BACKMOVE_advance(BACKMOVE* back);    // offsets move; each speed changes with chance 1/256 to -3..4
bool BACKMOVE_equal(const BACKMOVE* a, const BACKMOVE* b);   // all fields
void BACKMOVE_copy(const BACKMOVE* src, BACKMOVE* dst);      // offsets, speeds, steps, x, y, width, height, tile, target
BACKMOVE* BACKMOVE_clone(const BACKMOVE* back);              // new record plus copy
char* BACKMOVE_print(const BACKMOVE* back);                  // null
void BACKMOVE_error();                    // "BACKMOVE error\n" while BACKMOVE_debug != 0
