// WINPTR: pointer sampling. Buttons show what is held at the poll, so a
// release is seen as a release (a poll that could only set button bits would
// leave a game unable to tell a new click from a button held since the first).
#include "platform/WINPTR.h"

#include <cstdio>
#include <new>

#include "platform/HOST.h"
#include "platform/WINDPY.h"

const MODID WINPTR_ID = MODID_WINDOWS("WINPTR  ");
std::uint8_t WINPTR_debug = 0;

namespace {

WINPTR* instance = nullptr;

}  // namespace

WINPTR* WINPTR_new()
{
    if (WINDPY_current() == nullptr) { WINPTR_error(); return nullptr; }
    if (instance == nullptr) {
        instance = new (std::nothrow) WINPTR{};
        if (instance == nullptr) { WINPTR_error(); return nullptr; }
    }
    HOST_showCursor(false);
    return instance;
}

void WINPTR_free(WINPTR** pointer)
{
    if (pointer == nullptr || *pointer == nullptr) { WINPTR_error(); return; }
    if (*pointer == instance) instance = nullptr;
    delete *pointer;
    *pointer = nullptr;
    HOST_showCursor(true);
}

void WINPTR_poll(WINPTR* pointer)
{
    if (pointer == nullptr) { WINPTR_error(); return; }
    HOST_POINTER p{};
    if (!HOST_readPointer(&p)) return;
    pointer->buttons = p.buttons & 7;
    pointer->screenX = p.screenX;
    pointer->screenY = p.screenY;
    // Frame pixels: the back end maps the pointer back through the window's
    // scale and letterbox, so at 1:1 this is the screen position less the
    // client area's origin.
    pointer->x = p.x;
    pointer->y = p.y;
}

bool WINPTR_equal(const WINPTR* a, const WINPTR* b)
{
    if (a == nullptr || b == nullptr) { WINPTR_error(); return false; }
    return a->screenX == b->screenX && a->screenY == b->screenY && a->screenZ == b->screenZ && a->x == b->x &&
           a->y == b->y && a->z == b->z && a->buttons == b->buttons;
}

void WINPTR_copy(const WINPTR* src, WINPTR* dst)
{
    if (src == nullptr || dst == nullptr) { WINPTR_error(); return; }
    *dst = *src;
}

WINPTR* WINPTR_clone(const WINPTR* pointer)
{
    if (pointer == nullptr) { WINPTR_error(); return nullptr; }
    const WINPTR words = *pointer;
    WINPTR* clone = WINPTR_new();
    if (clone != nullptr) *clone = words;
    return clone;
}

void WINPTR_error()
{
    if (WINPTR_debug != 0) std::fputs("WINPTR error\n", stdout);
}
