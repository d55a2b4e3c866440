// RASTER: colour bars. A cyclic table of colours, painted one colour per image
// row (or column), scrolled by a 16.16 position that moves every frame.
// Owns its colour array.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"

struct RASTER {
    std::int32_t scrollPos;    // 16.16 index of the colour on row 0; kept in 0 .. count << 16
    std::int32_t speed;        // 16.16, added per RASTER_move; 0x10000 + RANDOM_rand15() at creation
    std::int32_t count;        // colours in the table; 256 at creation
    std::uint32_t* colours;    // owned, count words (null when count is 0)
};

extern const MODID RASTER_ID;
extern std::uint8_t RASTER_debug;   // 0 at start; nothing sets it

RASTER* RASTER_new();                                  // 256 black colours; null after RASTER_error
void RASTER_free(RASTER** raster);                     // frees, stores null
void RASTER_setSize(RASTER* raster, std::int32_t n);   // n black colours, scrollPos 0, speed kept; n < 0: error
void RASTER_clear(RASTER* raster);                     // every colour 0
bool RASTER_equal(const RASTER* a, const RASTER* b);   // counts and colours
void RASTER_copy(const RASTER* src, RASTER* dst);      // colours, scrollPos, speed; counts must agree
RASTER* RASTER_clone(const RASTER* raster);            // null after RASTER_error
char* RASTER_print(const RASTER* raster);              // no text form: always null

void RASTER_move(RASTER* raster);                      // scrollPos += speed, wrapped into 0 .. count << 16
void RASTER_draw(const RASTER* raster, IMG* image);    // row y: colours[(scrollPos >> 16) + y mod count]
void RASTER_drawBlend(const RASTER* raster, IMG* image, std::int32_t alpha);   // the same, blended
void RASTER_drawColumns(const RASTER* raster, IMG* image);   // column x instead of row y
void RASTER_smooth(RASTER* raster, std::int32_t radius);     // mean over 2 * radius neighbours; radius >= 1

// No file form exists. RASTER_load returns an empty raster (0 colours) when the
// file can be opened; RASTER_save writes nothing, leaves the file alone and
// returns false.
RASTER* RASTER_load(const char* path);
bool RASTER_save(const RASTER* raster, const char* path);

void RASTER_error();   // "RASTER error\n" while RASTER_debug != 0
