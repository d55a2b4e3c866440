// WINPTR: the pointer. Each poll samples the position and the buttons held;
// the system cursor is hidden while the pointer module lives.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"

struct WINPTR {
    std::int32_t screenX, screenY, screenZ;   // screen pixels at the last poll; z carried at 0
    std::int32_t x, y, z;                     // frame pixels, mapped back through the window's scale; z carried at 0
    std::int32_t buttons;                     // held at the last poll: bit 0 left, bit 1 right, bit 2 middle
};

extern const MODID WINPTR_ID;
extern std::uint8_t WINPTR_debug;             // 0 at start; nothing sets it

WINPTR* WINPTR_new();                         // needs the display; the one pointer, later calls return it; hides the cursor
void WINPTR_free(WINPTR** pointer);           // frees, stores null, forgets the instance, shows the cursor
void WINPTR_poll(WINPTR* pointer);            // a failed position read leaves the position as it was
bool WINPTR_equal(const WINPTR* a, const WINPTR* b);   // all seven words
void WINPTR_copy(const WINPTR* src, WINPTR* dst);      // all seven words
WINPTR* WINPTR_clone(const WINPTR* pointer);  // WINPTR_new (the same instance) with the seven words copied
void WINPTR_error();                          // "WINPTR error\n" while WINPTR_debug != 0
