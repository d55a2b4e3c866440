// BACKMOVE: tiled, moving wallpaper. Steps below 1 are used as 1 so a tile
// of width or height 0 cannot stall the tiling or divide by zero.
#include "effects/BACKMOVE.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "foundation/RANDOM.h"

const MODID BACKMOVE_ID = MODID_CODE("BACKMOVE");
std::uint8_t BACKMOVE_debug = 0;

namespace {

// (offset + speed) remainder toward zero, then moved into (-step, 0].
std::int32_t move(std::int32_t offset, std::int32_t speed, std::int32_t step)
{
    const std::int64_t s = std::max(step, 1);
    std::int64_t v = (static_cast<std::int64_t>(offset) + speed) % s;
    if (v > 0) v -= s;
    return static_cast<std::int32_t>(v);
}

// The first tile position from offset, stepping by step, whose tile of the
// given size can reach the image (tiles wholly before 0 draw nothing).
std::int64_t firstVisible(std::int32_t offset, std::int64_t step, std::int32_t size)
{
    std::int64_t v = offset;
    if (v + size <= 0) v += ((-(v + size)) / step) * step;
    return v;
}

}  // namespace

BACKMOVE* BACKMOVE_new()
{
    BACKMOVE* back = new (std::nothrow) BACKMOVE{};
    if (back == nullptr) { BACKMOVE_error(); return nullptr; }
    back->width = back->height = back->depth = 256;
    back->stepX = back->stepY = 16;
    BACKMOVE_randomize(back);
    return back;
}

void BACKMOVE_free(BACKMOVE** back)
{
    if (back == nullptr || *back == nullptr) { BACKMOVE_error(); return; }
    delete *back;
    *back = nullptr;
}

void BACKMOVE_randomize(BACKMOVE* back)
{
    if (back == nullptr) { BACKMOVE_error(); return; }
    back->speedX = RANDOM_rand15() % 9 - 4;
    back->speedY = RANDOM_rand15() % 9 - 4;
}

void BACKMOVE_draw(BACKMOVE* back)
{
    if (back == nullptr || back->tile == nullptr || back->target == nullptr) { BACKMOVE_error(); return; }
    IMG* tile = back->tile;
    if (back->stepX < tile->width) back->stepX = tile->width;
    if (back->stepY < tile->height) back->stepY = tile->height;
    const std::int64_t sx = std::max(back->stepX, 1);
    const std::int64_t sy = std::max(back->stepY, 1);
    const std::int32_t w = back->target->width;
    const std::int32_t h = back->target->height;
    for (std::int64_t y = firstVisible(back->offsetY, sy, tile->height); y < h; y += sy) {
        for (std::int64_t x = firstVisible(back->offsetX, sx, tile->width); x < w; x += sx) {
            tile->x = static_cast<std::int32_t>(x);
            tile->y = static_cast<std::int32_t>(y);
            IMG_draw(tile, back->target);
        }
    }
}

void BACKMOVE_advance(BACKMOVE* back)
{
    if (back == nullptr || back->tile == nullptr || back->target == nullptr) { BACKMOVE_error(); return; }
    back->offsetX = move(back->offsetX, back->speedX, back->stepX);
    back->offsetY = move(back->offsetY, back->speedY, back->stepY);
    if ((RANDOM_rand15() & 255) == 0) back->speedX = (RANDOM_rand15() & 7) - 3;
    if ((RANDOM_rand15() & 255) == 0) back->speedY = (RANDOM_rand15() & 7) - 3;
}

bool BACKMOVE_equal(const BACKMOVE* a, const BACKMOVE* b)
{
    if (a == nullptr || b == nullptr) { BACKMOVE_error(); return false; }
    return a->x == b->x && a->y == b->y && a->z == b->z && a->width == b->width && a->height == b->height &&
           a->depth == b->depth && a->offsetX == b->offsetX && a->offsetY == b->offsetY && a->speedX == b->speedX &&
           a->speedY == b->speedY && a->stepX == b->stepX && a->stepY == b->stepY && a->tile == b->tile &&
           a->target == b->target;
}

void BACKMOVE_copy(const BACKMOVE* src, BACKMOVE* dst)
{
    if (src == nullptr || dst == nullptr) { BACKMOVE_error(); return; }
    dst->offsetX = src->offsetX;
    dst->offsetY = src->offsetY;
    dst->speedX = src->speedX;
    dst->speedY = src->speedY;
    dst->stepX = src->stepX;
    dst->stepY = src->stepY;
    dst->x = src->x;
    dst->y = src->y;
    dst->width = src->width;
    dst->height = src->height;
    dst->tile = src->tile;
    dst->target = src->target;
}

BACKMOVE* BACKMOVE_clone(const BACKMOVE* back)
{
    if (back == nullptr) { BACKMOVE_error(); return nullptr; }
    BACKMOVE* c = BACKMOVE_new();
    if (c != nullptr) BACKMOVE_copy(back, c);
    return c;
}

char* BACKMOVE_print(const BACKMOVE* back)
{
    if (back == nullptr) BACKMOVE_error();
    return nullptr;
}

void BACKMOVE_error()
{
    if (BACKMOVE_debug != 0) std::fputs("BACKMOVE error\n", stdout);
}
