// CURSORX: a cyclic index into a table of length entries (in practice the
// sine table), moved once per frame by speed and once per drawn row or
// column by step. position = (base + offset) modulo length, always in range.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"

struct CURSORX {
    std::int32_t length;     // cycle length; 1024 at creation
    std::int32_t position;   // (base + offset) mod length, 0..length-1
    std::int32_t base;       // kept in 0..length by the operations
    std::int32_t speed;      // added to base by CURSORX_advance; 1 at creation
    std::int32_t offset;     // added to base to give position
    std::int32_t step;       // added to offset by CURSORX_step; 2 at creation
};

extern const MODID CURSORX_ID;
extern std::uint8_t CURSORX_debug;   // 0 at start; nothing sets it

CURSORX* CURSORX_new();                      // null if memory runs out
void CURSORX_free(CURSORX** cursor);         // frees, stores null
void CURSORX_copy(const CURSORX* src, CURSORX* dst);   // all but position
CURSORX* CURSORX_clone(const CURSORX* cursor);          // position of the clone is 0
// The operations below return the new position, or 0 for a null cursor.
std::int32_t CURSORX_set(CURSORX* c, std::int32_t length, std::int32_t base, std::int32_t speed, std::int32_t offset, std::int32_t step);
std::int32_t CURSORX_setLength(CURSORX* c, std::int32_t n);   // n >= 0; base renormalised
std::int32_t CURSORX_setBase(CURSORX* c, std::int32_t v);     // reduced into 0..length (a negative multiple of length gives length)
std::int32_t CURSORX_setOffset(CURSORX* c, std::int32_t v);
std::int32_t CURSORX_reset(CURSORX* c, std::int32_t v);       // offset 0, base v
std::int32_t CURSORX_advance(CURSORX* c);                     // base += speed, wrapped into 0..length-1
std::int32_t CURSORX_step(CURSORX* c);                        // offset += step
void CURSORX_error();                        // prints nothing
