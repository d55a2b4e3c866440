// FLASHPIX: an empty effect skeleton; it creates and frees its record and
// does nothing else.
#include "effects/FLASHPIX.h"

#include <cstdio>
#include <new>

const MODID FLASHPIX_ID = MODID_CODE("FLASHPIX");
std::uint8_t FLASHPIX_debug = 0;

FLASHPIX* FLASHPIX_new()
{
    FLASHPIX* flash = new (std::nothrow) FLASHPIX{};
    if (flash == nullptr) FLASHPIX_error();
    return flash;
}

void FLASHPIX_free(FLASHPIX** flash)
{
    if (flash == nullptr || *flash == nullptr) { FLASHPIX_error(); return; }
    delete *flash;
    *flash = nullptr;
}

FLASHPIX* FLASHPIX_clone(const FLASHPIX* flash)
{
    if (flash == nullptr) { FLASHPIX_error(); return nullptr; }
    return FLASHPIX_new();
}

void FLASHPIX_copy(const FLASHPIX* src, FLASHPIX* dst)
{
    if (src == nullptr || dst == nullptr) FLASHPIX_error();
}

bool FLASHPIX_equal(const FLASHPIX* a, const FLASHPIX* b)
{
    if (a == nullptr || b == nullptr) FLASHPIX_error();
    return false;
}

char* FLASHPIX_print(const FLASHPIX* flash)
{
    if (flash == nullptr) FLASHPIX_error();
    return nullptr;
}

void FLASHPIX_error()
{
    if (FLASHPIX_debug != 0) std::fputs("FLASHPIX error\n", stdout);
}
