// CIRCLE: circle records drawn through the image primitives, and the blended
// disc. The blended disc walks the integer distance rule itself so that each
// row is blended exactly once: a blend applied twice would darken the row.
// Distances are kept in 64 bits, so no radius overflows.
#include "raster/CIRCLE.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "raster/PIXSPAN.h"

const MODID CIRCLE_ID = MODID_CODE("CIRCLE  ");
std::uint8_t CIRCLE_debug = 0;

namespace {

__extension__ typedef __int128 Wide;   // exact squares of any two 33-bit values

bool valid(const CIRCLE* circle)
{
    return circle != nullptr && circle->centre != nullptr;
}

std::int64_t absolute(std::int64_t v)
{
    return v < 0 ? -v : v;
}

// The rows of a disc of radius r >= 0 by the integer distance rule, as
// emit(row offset, half width) calls: step i down from the top, keep the
// radius whose squared error against r * r is smaller (a tie keeps it). Each
// row comes once. outside(i) says that every row i or more away from the
// centre misses the image, which ends the walk early.
template <class Emit, class Outside>
void walkDisc(std::int64_t r, Emit emit, Outside outside)
{
    const std::int64_t r2 = r * r;
    std::int64_t a = r * r;
    std::int64_t b = (r - 1) * (r - 1);
    std::int64_t i = 0;
    while (r >= i) {
        if (outside(i)) break;
        // Rows -/+ i span the full width 2r + 1; the row where i meets r
        // belongs to the cap emitted below.
        if (i != r) {
            emit(-i, r);
            if (i != 0) emit(i, r);
        }
        const std::int64_t drawn = i;
        ++i;
        const std::int64_t e1 = absolute(a + i * i - r2);
        const std::int64_t e2 = absolute(b + i * i - r2);
        if (e2 < e1) {
            // Leaving radius r: rows +/- r get their final, widest span.
            emit(r, drawn);
            emit(-r, drawn);
            --r;
            a = b;
            b = (r - 1) * (r - 1);
        }
    }
}

// The rows depend on the radius alone, so those of the small discs (the
// benchmark's radii and more) are walked once, on first use, and replayed.
constexpr std::int64_t TABLE_RADII = 128;

const PIXSPAN_TABLE& discTable()
{
    static const PIXSPAN_TABLE table = PIXSPAN_makeTable(TABLE_RADII, [](std::int64_t r, auto emit) {
        walkDisc(r, emit, [](std::int64_t) { return false; });
    });
    return table;
}

}  // namespace

CIRCLE* CIRCLE_new()
{
    CIRCLE* circle = new (std::nothrow) CIRCLE{};
    if (circle == nullptr) { CIRCLE_error(); return nullptr; }
    circle->centre = VEC2D_new();
    if (circle->centre == nullptr) {
        delete circle;
        CIRCLE_error();
        return nullptr;
    }
    circle->centre->x = 0;
    circle->centre->y = 0;
    circle->radius = 1;
    circle->colour = 0xFFFFFFu;
    return circle;
}

void CIRCLE_free(CIRCLE** circle)
{
    if (circle == nullptr || *circle == nullptr) { CIRCLE_error(); return; }
    if ((*circle)->centre != nullptr) VEC2D_free(&(*circle)->centre);
    delete *circle;
    *circle = nullptr;
}

bool CIRCLE_equal(const CIRCLE* a, const CIRCLE* b)
{
    if (!valid(a) || !valid(b)) { CIRCLE_error(); return false; }
    return VEC2D_equal(a->centre, b->centre) && a->colour == b->colour && a->radius == b->radius;
}

void CIRCLE_copy(const CIRCLE* src, CIRCLE* dst)
{
    if (!valid(src) || !valid(dst)) { CIRCLE_error(); return; }
    VEC2D_copy(src->centre, dst->centre);
    dst->radius = src->radius;
    dst->colour = src->colour;
}

CIRCLE* CIRCLE_clone(const CIRCLE* circle)
{
    if (!valid(circle)) { CIRCLE_error(); return nullptr; }
    CIRCLE* copy = CIRCLE_new();
    if (copy != nullptr) CIRCLE_copy(circle, copy);
    return copy;
}

void CIRCLE_drawSine(const CIRCLE* circle, IMG* image)
{
    if (!valid(circle) || image == nullptr) { CIRCLE_error(); return; }
    if (circle->radius < 1) return;
    IMG_drawCircleSine(image, circle->centre->x, circle->centre->y, circle->radius, circle->colour);
}

void CIRCLE_draw(const CIRCLE* circle, IMG* image)
{
    if (!valid(circle) || image == nullptr) { CIRCLE_error(); return; }
    IMG_drawCircle(image, circle->centre->x, circle->centre->y, circle->radius, circle->colour);
}

void CIRCLE_fill(const CIRCLE* circle, IMG* image)
{
    if (!valid(circle) || image == nullptr) { CIRCLE_error(); return; }
    IMG_fillCircle(image, circle->centre->x, circle->centre->y, circle->radius, circle->colour);
}

void CIRCLE_fillBlend(const CIRCLE* circle, IMG* image, std::int32_t alpha)
{
    if (!valid(circle) || image == nullptr || image->pixels == nullptr) { CIRCLE_error(); return; }
    const std::int64_t cx = circle->centre->x;
    const std::int64_t cy = circle->centre->y;
    const std::int64_t r = absolute(circle->radius);
    if (cx + r < 0 || cy + r < 0 || cx - r >= image->width || cy - r >= image->height) return;
    // The colour terms once per disc.
    const PIXSPAN_BLEND terms = PIXSPAN_blendTerms(circle->colour, alpha);
    const std::int64_t width = image->width > 0 ? image->width : 0;
    const std::int64_t height = image->height > 0 ? image->height : 0;
    if (r < TABLE_RADII) {   // the small discs' rows from the table, clipped by the kernel
        PIXSPAN_blendTable(image->pixels, width, height, cx, cy, discTable(), r, terms);
        return;
    }
    // The larger ones walk the rule; their rows go to the kernel in batches.
    PIXSPAN_ROWS rows;
    rows.pixels = image->pixels;
    rows.width = width;
    rows.height = height;
    rows.terms = terms;
    rows.count = 0;
    walkDisc(
        r, [&](std::int64_t dy, std::int64_t half) { PIXSPAN_addRow(&rows, cy + dy, cx - half, cx + half); },
        [&](std::int64_t i) { return cy - i < 0 && cy + i >= height; });
    PIXSPAN_flush(&rows);
}

bool CIRCLE_overlap(const CIRCLE* a, const CIRCLE* b)
{
    if (!valid(a) || !valid(b)) { CIRCLE_error(); return false; }
    const Wide d = static_cast<Wide>(a->radius) + b->radius;
    const Wide dx = static_cast<Wide>(a->centre->x) - b->centre->x;
    const Wide dy = static_cast<Wide>(a->centre->y) - b->centre->y;
    return d * d >= dx * dx + dy * dy;
}

void CIRCLE_error()
{
    if (CIRCLE_debug != 0) std::fputs("CIRCLE error\n", stdout);
}
