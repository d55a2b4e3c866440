// MOUSE: the pointer sprite over the frame.
#include "platform/MOUSE.h"

#include <cstdio>
#include <new>

#include "platform/WINDPY.h"

const MODID MOUSE_ID = MODID_WINDOWS("MOUSE   ");
std::uint8_t MOUSE_debug = 0;

MOUSE* MOUSE_new()
{
    if (WINDPY_current() == nullptr) { MOUSE_error(); return nullptr; }
    MOUSE* mouse = new (std::nothrow) MOUSE{};
    if (mouse == nullptr) MOUSE_error();
    return mouse;
}

void MOUSE_free(MOUSE** mouse)
{
    if (mouse == nullptr || *mouse == nullptr) { MOUSE_error(); return; }
    delete *mouse;
    *mouse = nullptr;
}

void MOUSE_update(MOUSE* mouse)
{
    if (mouse == nullptr || mouse->pointer == nullptr) { MOUSE_error(); return; }
    const WINPTR* p = mouse->pointer;
    mouse->screenX = p->screenX;
    mouse->screenY = p->screenY;
    mouse->screenZ = p->screenZ;
    mouse->x = p->x;
    mouse->y = p->y;
    mouse->z = p->z;
    mouse->buttons = p->buttons;
}

void MOUSE_draw(MOUSE* mouse)
{
    if (mouse == nullptr || mouse->sprite == nullptr || mouse->target == nullptr) { MOUSE_error(); return; }
    IMG_blit(mouse->sprite, mouse->target, 0, 0, mouse->x, mouse->y, mouse->sprite->width, mouse->sprite->height);
}

bool MOUSE_equal(const MOUSE* a, const MOUSE* b)
{
    if (a == nullptr || b == nullptr) { MOUSE_error(); return false; }
    return a->screenX == b->screenX && a->screenY == b->screenY && a->screenZ == b->screenZ && a->x == b->x &&
           a->y == b->y && a->z == b->z && a->buttons == b->buttons;
}

void MOUSE_copy(const MOUSE* src, MOUSE* dst)
{
    if (src == nullptr || dst == nullptr) { MOUSE_error(); return; }
    dst->screenX = src->screenX;
    dst->screenY = src->screenY;
    dst->screenZ = src->screenZ;
    dst->x = src->x;
    dst->y = src->y;
    dst->z = src->z;
    dst->buttons = src->buttons;
    dst->sprite = src->sprite;
    dst->target = src->target;
}

MOUSE* MOUSE_clone(const MOUSE* mouse)
{
    if (mouse == nullptr) { MOUSE_error(); return nullptr; }
    MOUSE* clone = new (std::nothrow) MOUSE{};
    if (clone == nullptr) { MOUSE_error(); return nullptr; }
    clone->screenX = mouse->screenX;
    clone->screenY = mouse->screenY;
    clone->screenZ = mouse->screenZ;
    clone->x = mouse->x;
    clone->y = mouse->y;
    clone->z = mouse->z;
    clone->buttons = mouse->buttons;
    return clone;
}

void MOUSE_error()
{
    if (MOUSE_debug != 0) std::fputs("MOUSE error\n", stdout);
}
