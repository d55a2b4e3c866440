// INT: bit length, integer square root found bit by bit, absolute value and
// a binary print. The square root compares squares as unsigned 32-bit words.
#include "foundation/INT.h"

#include <cstdio>

const MODID INT_ID = MODID_CODE("INT     ");
std::uint8_t INT_debug = 0;

std::int32_t INT_bitLength(std::int32_t v)
{
    std::int32_t bits = 0;
    for (; v > 0; v >>= 1) ++bits;
    return bits;
}

std::int32_t INT_sqrt(std::int32_t v)
{
    // A negative value has no root; it is reported like 0 instead of coming
    // out as 1 from the unsigned comparison.
    if (v <= 0) { INT_error(); return 0; }
    std::uint32_t r = 0;
    for (std::int32_t bit = INT_bitLength(v) >> 1; bit >= 0; --bit) {
        const std::uint32_t trial = r | (1u << bit);
        if (trial * trial <= static_cast<std::uint32_t>(v)) r = trial;
    }
    return static_cast<std::int32_t>(r);
}

std::int32_t INT_abs(std::int32_t v)
{
    return v < 0 ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(v)) : v;
}

void INT_printBinary(std::int32_t v)
{
    char digits[33];
    const std::uint32_t bits = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 32; ++i) digits[i] = (bits >> (31 - i)) & 1u ? '1' : '0';
    digits[32] = '\0';
    std::fputs(digits, stdout);
}

void INT_error()
{
    std::fputs("INT: ERROR.\n", stdout);
}
