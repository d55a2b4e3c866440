// FLASHPIX: flashing pixels that never came to be. The record is seven zeroed
// words that no operation reads; the operations only check their arguments.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"

struct FLASHPIX {
    std::int32_t words[7];   // zero; unused
};

extern const MODID FLASHPIX_ID;
extern std::uint8_t FLASHPIX_debug;   // 0 at start; nothing sets it

FLASHPIX* FLASHPIX_new();                                   // zeroed; null after FLASHPIX_error
void FLASHPIX_free(FLASHPIX** flash);                       // frees, stores null
FLASHPIX* FLASHPIX_clone(const FLASHPIX* flash);            // another zeroed record
void FLASHPIX_copy(const FLASHPIX* src, FLASHPIX* dst);     // nothing to copy
bool FLASHPIX_equal(const FLASHPIX* a, const FLASHPIX* b);  // always false
char* FLASHPIX_print(const FLASHPIX* flash);                // always null
void FLASHPIX_error();   // "FLASHPIX error\n" while FLASHPIX_debug != 0
