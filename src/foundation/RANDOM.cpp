// RANDOM: the 15-bit generator with its global seed, the 30-bit joint draw
// and the seeded generator record. All state arithmetic wraps in 32 bits.
#include "foundation/RANDOM.h"

#include <cstdio>
#include <new>

const MODID RANDOM_ID = MODID_CODE("RANDOM  ");
std::uint8_t RANDOM_debug = 0;
std::uint32_t RANDOM_seed = 1;

void RANDOM_srand(std::uint32_t seed)
{
    RANDOM_seed = seed;
}

std::int32_t RANDOM_rand15()
{
    RANDOM_seed = RANDOM_seed * 214013u + 2531011u;
    return static_cast<std::int32_t>((RANDOM_seed >> 16) & 0x7FFFu);
}

std::int32_t RANDOM_random30()
{
    const std::int32_t high = RANDOM_rand15();
    return (high << 15) | RANDOM_rand15();
}

RANDOM* RANDOM_new()
{
    RANDOM* r = new (std::nothrow) RANDOM{0x12345678u, 33141u, 0xA5A5A5A5u, 1u};
    if (r == nullptr) RANDOM_error();
    return r;
}

void RANDOM_free(RANDOM** random)
{
    if (random == nullptr || *random == nullptr) { RANDOM_error(); return; }
    delete *random;
    *random = nullptr;
}

std::uint32_t RANDOM_nextMul(RANDOM* r)
{
    if (r == nullptr) { RANDOM_error(); return 0; }
    r->step += 1;
    r->factor = (r->factor * (r->state * r->step)) & 0xFFFFFFu;
    r->state = (r->state + r->step + r->factor) & 0xFFFFFFu;
    return r->state;
}

std::uint32_t RANDOM_nextAdd(RANDOM* r)
{
    if (r == nullptr) { RANDOM_error(); return 0; }
    r->step += 1;
    r->state = (r->state + r->step) & 0xFFFFFFu;
    return r->state;
}

std::uint32_t RANDOM_nextDouble(RANDOM* r)
{
    if (r == nullptr) { RANDOM_error(); return 0; }
    r->step += 1;
    r->state = (r->step + 2u * r->state) & 0xFFFFFFu;
    return r->state;
}

std::uint32_t RANDOM_nextSquare(RANDOM* r)
{
    if (r == nullptr) { RANDOM_error(); return 0; }
    r->step += 1;
    r->spread = 0xFFFFFFu << (r->state & 7u);
    r->factor = (r->factor * r->factor) & 0xFFFFu;
    r->state = r->state ^ r->step ^ r->factor ^ r->spread;
    return r->state;
}

std::uint32_t RANDOM_nextFold(RANDOM* r)
{
    if (r == nullptr) { RANDOM_error(); return 0; }
    r->step += 1;
    r->state ^= r->step;
    r->state ^= r->state >> 16;
    return r->state;
}

std::uint32_t RANDOM_nextSpread(RANDOM* r)
{
    if (r == nullptr) { RANDOM_error(); return 0; }
    r->step += 1;
    r->state ^= r->step;
    r->state *= 0x10001u;
    return r->state;
}

std::uint32_t RANDOM_nextAddMul(RANDOM* r)
{
    if (r == nullptr) { RANDOM_error(); return 0; }
    r->step += 1;
    r->state ^= r->step;
    r->state += r->step;
    r->state *= r->step;
    return r->state;
}

void RANDOM_error()
{
    if (RANDOM_debug != 0) std::fputs("RANDOM error\n", stdout);
}
