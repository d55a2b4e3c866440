// ARCHPATH: motion along chained arcs. At an arc's end the centre moves
// through the current point to the far side and the angle turns by half a
// circle, so the point itself does not jump. Coordinate arithmetic wraps in
// 32 bits; a turn of 0 divides arc lengths by 1.
#include "effects/ARCHPATH.h"

#include <cstdio>
#include <new>

#include "effects/IMGFX.h"
#include "foundation/INT.h"
#include "foundation/RANDOM.h"
#include "foundation/SINE.h"

const MODID ARCHPATH_ID = MODID_CODE("ARCHPATH");
std::uint8_t ARCHPATH_debug = 0;

namespace {

constexpr std::uint32_t mask = static_cast<std::uint32_t>(SINE_MASK);

// (S(angle) * r) >> 15 and the same for the cosine.
std::int32_t sinR(std::int32_t angle, std::int32_t r) { return SINE_scale(angle, r); }
std::int32_t cosR(std::int32_t angle, std::int32_t r) { return SINE_scale(INT_add(angle, 256), r); }

// One correction by the size, toward 0 .. size - 1.
std::int32_t wrapOnce(std::int32_t v, std::int32_t size)
{
    if (v < 0) return INT_add(v, size);
    if (v >= size) return INT_sub(v, size);
    return v;
}

std::int32_t pointX(const ARCHPATH* p) { return INT_add(p->x, sinR(p->angle, p->radius)); }
std::int32_t pointY(const ARCHPATH* p) { return INT_add(p->y, cosR(p->angle, p->radius)); }

std::int32_t absDiv(std::int32_t a, std::int32_t turn)
{
    const std::int32_t q = a / (turn == 0 ? 1 : turn);
    return q < 0 ? -q : q;
}

enum class Change { plain, wide, tight, keepTurn };

void advance(ARCHPATH* p, Change kind)
{
    if (p == nullptr) { ARCHPATH_error(); return; }
    p->angle = INT_wrap((INT_u(p->angle) + INT_u(p->turn)) & mask);
    p->counter += 1;
    if (p->counter < p->arcLength) return;
    std::int32_t next = p->radius;   // radius of the next arc
    if (kind == Change::wide) next = (RANDOM_rand15() & 31) + 16;
    if (kind == Change::tight || kind == Change::keepTurn) next = (RANDOM_rand15() & 15) + 8;
    const std::int32_t distance = INT_add(p->radius, next);
    p->x = wrapOnce(INT_add(p->x, sinR(p->angle, distance)), p->width);
    p->y = wrapOnce(INT_add(p->y, cosR(p->angle, distance)), p->height);
    p->radius = next;
    if (kind == Change::wide) p->arcLength = absDiv((RANDOM_rand15() & 1023) + 256, p->turn);
    if (kind == Change::tight) p->arcLength = absDiv((RANDOM_rand15() & 2047) + 2048, p->turn);
    if (kind == Change::keepTurn) p->arcLength = absDiv(RANDOM_rand15() % 768 + 256, p->turn);
    p->counter = 0;
    p->angle = INT_wrap((INT_u(p->angle) + INT_u(SINE_SIZE / 2)) & mask);
    if (kind != Change::keepTurn) p->turn = INT_sub(0, p->turn);
}

// The sprite at (sx, sy), repeated once across the left or right edge and,
// from the x of that repeat, once across the top or bottom edge.
template <typename Put>
void placeWrapped(const ARCHPATH* p, const IMG* sprite, std::int32_t sx, std::int32_t sy, Put put)
{
    put(sx, sy);
    if (sx < 0) {
        sx = INT_add(sx, p->width);
        put(sx, sy);
    } else if (static_cast<std::int64_t>(sx) + sprite->width > p->width) {
        sx = INT_sub(sx, p->width);
        put(sx, sy);
    }
    if (sy < 0) put(sx, INT_add(sy, p->height));
    else if (static_cast<std::int64_t>(sy) + sprite->height > p->height) put(sx, INT_sub(sy, p->height));
}

void drawAdd(ARCHPATH* p, IMG* img, bool four)
{
    if (p == nullptr || img == nullptr || p->addSprite == nullptr) { ARCHPATH_error(); return; }
    IMG* s = p->addSprite;
    const auto put = [s, img](std::int32_t x, std::int32_t y) { IMGFX_addRect(s, img, 0, 0, x, y, s->width, s->height); };
    const std::int32_t px = pointX(p), py = pointY(p);
    const std::int32_t mx = INT_sub(img->width, px), my = INT_sub(img->height, py);
    const std::int32_t places[4][2] = {{px, py}, {mx, py}, {mx, my}, {px, my}};
    for (std::int32_t i = 0; i < (four ? 4 : 1); ++i) {
        s->x = places[i][0];
        s->y = places[i][1];
        placeWrapped(p, s, s->x, s->y, put);
    }
}

void drawScatter(ARCHPATH* p, IMG* img, bool four)
{
    if (p == nullptr || img == nullptr || p->scatterSprite == nullptr) { ARCHPATH_error(); return; }
    IMG* s = p->scatterSprite;
    const auto put = [s, img](std::int32_t x, std::int32_t y) {
        s->x = x;
        s->y = y;
        IMGFX_scatter(img, s, 18);
    };
    const std::int32_t px = pointX(p), py = pointY(p);
    const std::int32_t mx = INT_sub(img->width, px), my = INT_sub(img->height, py);
    const std::int32_t places[4][2] = {{px, py}, {mx, py}, {mx, my}, {px, my}};
    for (std::int32_t i = 0; i < (four ? 4 : 1); ++i) placeWrapped(p, s, places[i][0], places[i][1], put);
}

}  // namespace

ARCHPATH* ARCHPATH_new()
{
    ARCHPATH* p = new (std::nothrow) ARCHPATH{};
    if (p == nullptr) { ARCHPATH_error(); return nullptr; }
    p->width = p->height = p->depth = 256;
    ARCHPATH_randomize(p);
    return p;
}

void ARCHPATH_free(ARCHPATH** path)
{
    if (path == nullptr || *path == nullptr) { ARCHPATH_error(); return; }
    delete *path;
    *path = nullptr;
}

void ARCHPATH_randomize(ARCHPATH* path)
{
    if (path == nullptr) { ARCHPATH_error(); return; }
    const std::int32_t rx = RANDOM_rand15();
    path->x = path->width > 0 ? rx % path->width : 0;
    const std::int32_t ry = RANDOM_rand15();
    path->y = path->height > 0 ? ry % path->height : 0;
    path->angle = RANDOM_rand15() & SINE_MASK;
    path->turn = (RANDOM_rand15() & 3) + 1;
    path->arcLength = (RANDOM_rand15() % 768 + 256) / path->turn;
    path->radius = (RANDOM_rand15() & 31) + 16;
    path->counter = 0;
    // A sprite the caller already holds is kept rather than replaced and lost.
    if (path->addSprite == nullptr) path->addSprite = IMG_new();
    if (path->scatterSprite == nullptr) path->scatterSprite = IMG_new();
    path->colour = (INT_u(RANDOM_random30()) & 0x7F7F7Fu) + 0x808080u;
}

void ARCHPATH_plot(const ARCHPATH* path, IMG* img)
{
    if (path == nullptr || img == nullptr) { ARCHPATH_error(); return; }
    IMG_putPixel(img, wrapOnce(pointX(path), path->width), wrapOnce(pointY(path), path->height), path->colour);
}

void ARCHPATH_advance(ARCHPATH* path) { advance(path, Change::plain); }

void ARCHPATH_advanceWide(ARCHPATH* path) { advance(path, Change::wide); }

void ARCHPATH_advanceTight(ARCHPATH* path) { advance(path, Change::tight); }

void ARCHPATH_advanceKeepTurn(ARCHPATH* path) { advance(path, Change::keepTurn); }

void ARCHPATH_drawAdd(ARCHPATH* path, IMG* img) { drawAdd(path, img, false); }

void ARCHPATH_drawAdd4(ARCHPATH* path, IMG* img) { drawAdd(path, img, true); }

void ARCHPATH_drawScatter(ARCHPATH* path, IMG* img) { drawScatter(path, img, false); }

void ARCHPATH_drawScatter4(ARCHPATH* path, IMG* img) { drawScatter(path, img, true); }

bool ARCHPATH_equal(const ARCHPATH* a, const ARCHPATH* b)
{
    if (a == nullptr || b == nullptr) { ARCHPATH_error(); return false; }
    return a->x == b->x && a->y == b->y && a->z == b->z && a->width == b->width && a->height == b->height &&
           a->depth == b->depth && a->angle == b->angle && a->turn == b->turn && a->radius == b->radius &&
           a->arcLength == b->arcLength && a->counter == b->counter && a->colour == b->colour &&
           a->scatterSprite == b->scatterSprite && a->addSprite == b->addSprite;
}

void ARCHPATH_copy(const ARCHPATH* src, ARCHPATH* dst)
{
    if (src == nullptr || dst == nullptr) { ARCHPATH_error(); return; }
    *dst = *src;
}

ARCHPATH* ARCHPATH_clone(const ARCHPATH* path)
{
    if (path == nullptr) { ARCHPATH_error(); return nullptr; }
    // A bare record: a randomized one would create sprites only to drop them.
    ARCHPATH* c = new (std::nothrow) ARCHPATH(*path);
    if (c == nullptr) ARCHPATH_error();
    return c;
}

char* ARCHPATH_print(const ARCHPATH* path)
{
    if (path == nullptr) ARCHPATH_error();
    return nullptr;
}

void ARCHPATH_error()
{
    if (ARCHPATH_debug != 0) std::fputs("ARCHPATH error\n", stdout);
}
