// FILL: generational flood fill. A step takes the front from its last point to
// its first, paints each point that still holds oldColour and pushes its four
// neighbours (right, down, left, up) that hold oldColour onto the next front;
// then the fronts swap. Stale points and duplicates drop out when they come up.
#include "raster/FILL.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "foundation/RANDOM.h"

const MODID FILL_ID = MODID_CODE("FILL    ");
std::uint8_t FILL_debug = 0;

namespace {

struct Point {
    std::int32_t x, y;
};
static_assert(sizeof(Point) == 8);

constexpr std::array<std::uint32_t, FILL_RAINBOW_SIZE> makeRainbow()
{
    std::array<std::uint32_t, FILL_RAINBOW_SIZE> t{};
    for (std::uint32_t j = 0; j < 256; ++j) {
        t[j] = 0xFF0000u + 256u * j;           // red to yellow
        t[256 + j] = 0xFFFF00u - 65536u * j;   // yellow to green
        t[512 + j] = 0x00FF00u + j;            // green to cyan
        t[768 + j] = 0x00FFFFu - 256u * j;     // cyan to blue
        t[1024 + j] = 0x0000FFu + 65536u * j;  // blue to magenta
        t[1280 + j] = 0xFF00FFu - j;           // magenta to red
    }
    return t;
}

enum class Paint { plain, collect, pattern, ragged };

bool readyArray(const ARRAY* a)
{
    return a != nullptr && a->data != nullptr && a->elementSize == static_cast<std::int32_t>(sizeof(Point));
}

// Step frame, part one: the record is complete and in the step's mode. Sets
// the clip box to the whole image.
bool ready(FILL* fill, char mode)
{
    if (fill == nullptr || fill->image == nullptr || !readyArray(fill->front) || !readyArray(fill->next)
        || (fill->mode & 0xFF) != mode) {
        FILL_error();
        return false;
    }
    fill->left = 0;
    fill->top = 0;
    fill->right = fill->image->width;
    fill->bottom = fill->image->height;
    return true;
}

void emptyBoth(FILL* fill)
{
    fill->front->count = 0;
    fill->next->count = 0;
}

bool inside(const FILL* fill, std::int64_t x, std::int64_t y)
{
    return x >= fill->left && x < fill->right && y >= fill->top && y < fill->bottom;
}

void spread(FILL* fill, Point p)
{
    static constexpr std::int64_t dx[4] = {1, 0, -1, 0};
    static constexpr std::int64_t dy[4] = {0, 1, 0, -1};
    for (int n = 0; n < 4; ++n) {
        // 64-bit so that a seed at the edge of the 32-bit range cannot overflow.
        const std::int64_t x = p.x + dx[n];
        const std::int64_t y = p.y + dy[n];
        if (!inside(fill, x, y)) continue;
        const Point q{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
        if (IMG_getPixel(fill->image, q.x, q.y) == fill->oldColour) ARRAY_push(fill->next, &q);
    }
}

std::uint32_t patternColour(const FILL* fill, Point p)
{
    const IMG* pattern = fill->pattern;
    // Wrapping sums; a negative remainder stands for index 0 on its axis.
    const auto px = static_cast<std::int32_t>(static_cast<std::uint32_t>(p.x) + static_cast<std::uint32_t>(fill->patternX));
    const auto py = static_cast<std::int32_t>(static_cast<std::uint32_t>(p.y) + static_cast<std::uint32_t>(fill->patternY));
    return IMG_getPixel(pattern, std::max(px % pattern->width, 0), std::max(py % pattern->height, 0));
}

// Step frame, part two: process the front from its last point to its first,
// then swap the fronts and count the generation.
std::int32_t run(FILL* fill, Paint paint, ARRAY* points)
{
    ARRAY* front = fill->front;
    while (front->count > 0) {
        const std::int32_t last = front->count - 1;
        Point p{};
        ARRAY_get(front, &p, last);
        ARRAY_delete(front, last);
        if (IMG_getPixel(fill->image, p.x, p.y) != fill->oldColour) continue;
        switch (paint) {
        case Paint::plain:
        case Paint::collect:
            IMG_putPixel(fill->image, p.x, p.y, fill->newColour);
            if (paint == Paint::collect) ARRAY_push(points, &p);
            spread(fill, p);
            break;
        case Paint::pattern:
            fill->newColour = patternColour(fill, p);
            IMG_putPixel(fill->image, p.x, p.y, fill->newColour);
            // A pattern pixel of oldColour leaves the point unchanged; spreading
            // from it would bounce between such points for ever.
            if (fill->newColour != fill->oldColour) spread(fill, p);
            break;
        case Paint::ragged:
            // A coin per point: paint and spread, or wait for a later generation.
            if ((RANDOM_rand15() & 1) != 0) {
                IMG_putPixel(fill->image, p.x, p.y, fill->newColour);
                spread(fill, p);
            } else {
                ARRAY_push(fill->next, &p);
            }
            break;
        }
    }
    fill->front = fill->next;
    fill->next = front;
    fill->generation = static_cast<std::int32_t>(static_cast<std::uint32_t>(fill->generation) + 1u);
    return fill->front->count;
}

bool bothEmpty(const FILL* fill)
{
    return fill->front->count == 0 && fill->next->count == 0;
}

// Start-of-step rule of the drifting steps: a fill that would not change a
// pixel, or paints black, is over.
bool drifting(FILL* fill)
{
    if (fill->oldColour == fill->newColour || fill->newColour == 0) {
        emptyBoth(fill);
        return false;
    }
    return true;
}

std::int32_t plainStep(FILL* fill, Paint paint, ARRAY* points)
{
    if (bothEmpty(fill)) return 0;
    // Painting oldColour over itself would never finish.
    if (fill->newColour == fill->oldColour) {
        emptyBoth(fill);
        return 0;
    }
    return run(fill, paint, points);
}

}  // namespace

const std::array<std::uint32_t, FILL_RAINBOW_SIZE> FILL_rainbow = makeRainbow();

FILL* FILL_new()
{
    FILL* fill = new (std::nothrow) FILL{};
    if (fill == nullptr) { FILL_error(); return nullptr; }
    fill->colourStep = 0x010101u;
    return fill;
}

void FILL_free(FILL** fill)
{
    if (fill == nullptr || *fill == nullptr) { FILL_error(); return; }
    if ((*fill)->front != nullptr) ARRAY_free(&(*fill)->front);
    if ((*fill)->next != nullptr) ARRAY_free(&(*fill)->next);
    delete *fill;
    *fill = nullptr;
}

void FILL_start(FILL* fill, std::int32_t x, std::int32_t y, std::uint32_t colour)
{
    if (fill == nullptr || fill->image == nullptr) { FILL_error(); return; }
    fill->mode = 'f';
    fill->oldColour = IMG_getPixel(fill->image, x, y);
    fill->newColour = colour;
    for (ARRAY** a : {&fill->front, &fill->next}) {
        if (*a == nullptr) *a = ARRAY_new();
        if (*a == nullptr) { FILL_error(); return; }
        if (!readyArray(*a)) {
            if (!ARRAY_setElementSize(*a, static_cast<std::int32_t>(sizeof(Point)))) { FILL_error(); return; }
        }
        (*a)->count = 0;
    }
    const Point seed{x, y};
    ARRAY_push(fill->front, &seed);
}

std::int32_t FILL_step(FILL* fill)
{
    if (!ready(fill, 'f')) return 0;
    return plainStep(fill, Paint::plain, nullptr);
}

std::int32_t FILL_stepCollect(FILL* fill, ARRAY* points)
{
    if (!readyArray(points)) { FILL_error(); return 0; }
    if (!ready(fill, 'f')) return 0;
    return plainStep(fill, Paint::collect, points);
}

std::int32_t FILL_stepPattern(FILL* fill)
{
    if (!ready(fill, 'p')) return 0;
    const IMG* pattern = fill->pattern;
    if (pattern == nullptr || pattern->width < 1 || pattern->height < 1) { FILL_error(); return 0; }
    if (bothEmpty(fill)) return 0;
    return run(fill, Paint::pattern, nullptr);
}

std::int32_t FILL_stepShade(FILL* fill)
{
    if (!ready(fill, 'a')) return 0;
    if (bothEmpty(fill)) return 0;
    if (!drifting(fill)) return 0;
    // One channel per generation: red, green, blue in turn.
    static constexpr std::uint32_t channel[3] = {0xFF0000u, 0x00FF00u, 0x0000FFu};
    const std::uint32_t step = fill->colourStep & channel[static_cast<std::uint32_t>(fill->generation) % 3u];
    if (static_cast<std::int32_t>(fill->colourStep) >= 0) {
        fill->newColour = RGB888_add(fill->newColour, step);
    } else {
        fill->newColour = RGB888_sub(fill->newColour, step);
    }
    return run(fill, Paint::ragged, nullptr);
}

std::int32_t FILL_stepRainbow(FILL* fill)
{
    if (!ready(fill, 'a')) return 0;
    if (bothEmpty(fill)) return 0;
    if (!drifting(fill)) return 0;
    // Unsigned product: always a valid index, and the same index as the
    // signed product wherever that does not overflow.
    const std::uint32_t index = static_cast<std::uint32_t>(fill->generation) * fill->colourStep;
    fill->newColour = FILL_rainbow[index % static_cast<std::uint32_t>(FILL_RAINBOW_SIZE)];
    return run(fill, Paint::ragged, nullptr);
}

void FILL_error()
{
    if (FILL_debug != 0) std::fputs("FILL error\n", stdout);
}
