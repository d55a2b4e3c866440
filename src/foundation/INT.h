// INT: small integer helpers. Not used by the demo itself. Its error line is
// printed whatever the debug flag says.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"

extern const MODID INT_ID;
extern std::uint8_t INT_debug;   // 0 at start; nothing sets it or reads it

std::int32_t INT_bitLength(std::int32_t v);   // bits up to the highest set one; 0 for v <= 0
std::int32_t INT_sqrt(std::int32_t v);        // floor of the square root; v <= 0 reports an error and gives 0
std::int32_t INT_abs(std::int32_t v);         // the most negative value stays as it is
void INT_printBinary(std::int32_t v);         // 32 digits, bit 31 first, no line end
void INT_error();                             // "INT: ERROR.\n", always
