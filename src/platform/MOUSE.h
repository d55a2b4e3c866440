// MOUSE: the pointer sprite. Copies the pointer's sample each frame and
// draws a sprite at it. Owns nothing: pointer, sprite and target are the caller's.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "platform/WINPTR.h"
#include "raster/IMG.h"

struct MOUSE {
    std::int32_t screenX, screenY, screenZ;   // the pointer's words as of the last MOUSE_update
    std::int32_t x, y, z;
    std::int32_t buttons;
    WINPTR* pointer;                          // sampled by MOUSE_update; not owned
    IMG* sprite;                              // drawn at (x, y), black transparent; not owned
    IMG* target;                              // drawn into; not owned
};

extern const MODID MOUSE_ID;
extern std::uint8_t MOUSE_debug;              // 0 at start; nothing sets it

MOUSE* MOUSE_new();                           // needs the display; zero-filled; the caller sets pointer, sprite, target
void MOUSE_free(MOUSE** mouse);               // frees the record only, stores null
void MOUSE_update(MOUSE* mouse);              // copies the pointer's seven words
void MOUSE_draw(MOUSE* mouse);                // sprite's top-left pixel at (x, y), clipped to the target
bool MOUSE_equal(const MOUSE* a, const MOUSE* b);   // the seven words
void MOUSE_copy(const MOUSE* src, MOUSE* dst);      // the seven words, sprite and target
MOUSE* MOUSE_clone(const MOUSE* mouse);       // a new record with the seven words
void MOUSE_error();                           // "MOUSE error\n" while MOUSE_debug != 0
