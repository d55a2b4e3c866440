// KBD: the handler table. A key index outside the table selects nothing.
#include "platform/KBD.h"

#include <cstdio>
#include <new>

const MODID KBD_ID = MODID_WINDOWS("KBD     ");
std::uint8_t KBD_debug = 0;

KBD* KBD_new()
{
    KBD* kbd = new (std::nothrow) KBD{};
    if (kbd == nullptr) KBD_error();
    return kbd;
}

void KBD_free(KBD** kbd)
{
    if (kbd == nullptr || *kbd == nullptr) { KBD_error(); return; }
    delete *kbd;
    *kbd = nullptr;
}

std::int32_t KBD_dispatch(KBD* kbd)
{
    if (kbd == nullptr) { KBD_error(); return 0; }
    if (kbd->key < 0 || kbd->key > 255) { KBD_error(); return 0; }
    const KBD_HANDLER handler = kbd->handlers[kbd->key];
    return handler != nullptr ? handler() : 0;
}

void KBD_error()
{
    if (KBD_debug != 0) std::fputs("KBD error\n", stdout);
}
