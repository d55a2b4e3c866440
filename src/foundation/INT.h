// INT: small integer helpers. The wrap-around arithmetic below is what every
// module uses for 32-bit sums, products and shifts that may overflow: the work
// is done on the unsigned word, so the result is the low 32 bits read as two's
// complement. The other functions are not used by the demo itself; its error
// line is printed whatever the debug flag says.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"

extern const MODID INT_ID;
extern std::uint8_t INT_debug;   // 0 at start; nothing sets it or reads it

constexpr std::uint32_t INT_u(std::int32_t v) { return static_cast<std::uint32_t>(v); }   // the same bits, unsigned
constexpr std::int32_t INT_wrap(std::uint32_t v) { return static_cast<std::int32_t>(v); }  // the same bits, signed
constexpr std::int32_t INT_wrap64(std::int64_t v) { return INT_wrap(static_cast<std::uint32_t>(v)); }  // the low 32 bits
constexpr std::int32_t INT_add(std::int32_t a, std::int32_t b) { return INT_wrap(INT_u(a) + INT_u(b)); }
constexpr std::int32_t INT_sub(std::int32_t a, std::int32_t b) { return INT_wrap(INT_u(a) - INT_u(b)); }
constexpr std::int32_t INT_mul(std::int32_t a, std::int32_t b) { return INT_wrap(INT_u(a) * INT_u(b)); }
constexpr std::int32_t INT_shl(std::int32_t a, std::int32_t n) { return INT_wrap(INT_u(a) << n); }  // n in 0..31
// Truncating division; by 0 gives 0, by -1 negates with wrap-around.
constexpr std::int32_t INT_div(std::int32_t a, std::int32_t b)
{
    if (b == 0) return 0;
    if (b == -1) return INT_sub(0, a);
    return a / b;
}

std::int32_t INT_bitLength(std::int32_t v);   // bits up to the highest set one; 0 for v <= 0
std::int32_t INT_sqrt(std::int32_t v);        // floor of the square root; v <= 0 reports an error and gives 0
std::int32_t INT_abs(std::int32_t v);         // the most negative value stays as it is
void INT_printBinary(std::int32_t v);         // 32 digits, bit 31 first, no line end
void INT_error();                             // "INT: ERROR.\n", always
