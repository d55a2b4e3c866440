// KBD: a table of per-key handlers. The demo itself does not dispatch
// through it; it is kept for programs that want keys bound to functions.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"

using KBD_HANDLER = std::int32_t (*)();

struct KBD {
    std::int32_t key;               // selects the slot KBD_dispatch calls
    KBD_HANDLER handlers[256];      // null: no handler for that key
};
static_assert(sizeof(KBD::handlers) / sizeof(KBD_HANDLER) == 256);

extern const MODID KBD_ID;
extern std::uint8_t KBD_debug;       // 0 at start; nothing sets it

KBD* KBD_new();                      // zero-filled; null after KBD_error if memory runs out
void KBD_free(KBD** kbd);            // frees, stores null
std::int32_t KBD_dispatch(KBD* kbd); // the selected handler's result; 0 without one or for a key outside 0..255
void KBD_error();                    // "KBD error\n" while KBD_debug != 0
