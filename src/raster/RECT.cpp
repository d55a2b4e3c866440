// RECT: rectangles from two corner points, and the clipped span helpers.
// Sizes are end - start + 1, computed in wrapping 32-bit arithmetic; the
// image primitives flip negative sizes and clip.
#include "raster/RECT.h"

#include <cstdio>
#include <new>
#include <utility>

#include "effects/IMGFX.h"

const MODID RECT_ID = MODID_CODE("RECT    ");
std::uint8_t RECT_debug = 0;

namespace {

bool valid(const RECT* rect)
{
    return rect != nullptr && rect->corners != nullptr && rect->corners->start != nullptr
        && rect->corners->end != nullptr;
}

bool validImage(const IMG* image)
{
    return image != nullptr && image->pixels != nullptr;
}

// end - start + 1 without signed overflow.
std::int32_t extent(std::int32_t start, std::int32_t end)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(end) - static_cast<std::uint32_t>(start) + 1u);
}

struct Frame {
    std::int32_t x, y, w, h;
};

Frame frameOf(const RECT* rect)
{
    const VEC2D* s = rect->corners->start;
    const VEC2D* e = rect->corners->end;
    return Frame{s->x, s->y, extent(s->x, e->x), extent(s->y, e->y)};
}

}  // namespace

RECT* RECT_new()
{
    RECT* rect = new (std::nothrow) RECT{};
    if (rect == nullptr) { RECT_error(); return nullptr; }
    rect->corners = SEG2D_new();
    if (rect->corners == nullptr) {
        delete rect;
        RECT_error();
        return nullptr;
    }
    rect->corners->start->x = 0;
    rect->corners->start->y = 0;
    rect->corners->end->x = 255;
    rect->corners->end->y = 255;
    rect->colour = 0xFFFFFFu;
    return rect;
}

void RECT_free(RECT** rect)
{
    if (rect == nullptr || *rect == nullptr) { RECT_error(); return; }
    if ((*rect)->corners != nullptr) SEG2D_free(&(*rect)->corners);
    delete *rect;
    *rect = nullptr;
}

bool RECT_equal(const RECT* a, const RECT* b)
{
    if (!valid(a) || !valid(b)) { RECT_error(); return false; }
    return SEG2D_equal(a->corners, b->corners) && a->colour == b->colour;
}

void RECT_copy(const RECT* src, RECT* dst)
{
    if (!valid(src) || !valid(dst)) { RECT_error(); return; }
    SEG2D_copy(src->corners, dst->corners);
    dst->colour = src->colour;
}

RECT* RECT_clone(const RECT* rect)
{
    if (!valid(rect)) { RECT_error(); return nullptr; }
    RECT* copy = RECT_new();
    if (copy != nullptr) RECT_copy(rect, copy);
    return copy;
}

void RECT_draw(const RECT* rect, IMG* image)
{
    if (!valid(rect) || image == nullptr) { RECT_error(); return; }
    const Frame f = frameOf(rect);
    IMG_drawRect(image, f.x, f.y, f.w, f.h, rect->colour);
}

void RECT_fill(const RECT* rect, IMG* image)
{
    if (!valid(rect) || image == nullptr) { RECT_error(); return; }
    const Frame f = frameOf(rect);
    IMG_fillRect(image, f.x, f.y, f.w, f.h, rect->colour);
}

void RECT_fillBlend(const RECT* rect, IMG* image, std::int32_t alpha)
{
    if (!valid(rect) || image == nullptr) { RECT_error(); return; }
    const Frame f = frameOf(rect);
    IMGFX_blendRect(image, f.x, f.y, f.w, f.h, rect->colour, alpha);
}

bool RECT_overlap(const RECT* a, const RECT* b)
{
    if (!valid(a) || !valid(b)) { RECT_error(); return false; }
    return SEG2D_boxesOverlap(a->corners, b->corners) != 0;
}

void RECT_normalize(RECT* rect)
{
    if (!valid(rect)) { RECT_error(); return; }
    VEC2D* s = rect->corners->start;
    VEC2D* e = rect->corners->end;
    if (s->x > e->x) std::swap(s->x, e->x);
    if (s->y > e->y) std::swap(s->y, e->y);
}

void RECT_hSpan(IMG* image, std::uint32_t colour, std::int32_t y, std::int32_t x0, std::int32_t x1)
{
    if (!validImage(image)) { RECT_error(); return; }
    if (y < 0 || y >= image->height) return;
    if (x0 < 0) x0 = 0;
    if (x1 > image->width - 1) x1 = image->width - 1;
    std::uint32_t* row = image->pixels + static_cast<std::int64_t>(y) * image->width;
    for (std::int32_t x = x0; x <= x1; ++x) row[x] = colour;
}

void RECT_vSpan(IMG* image, std::uint32_t colour, std::int32_t x, std::int32_t y0, std::int32_t y1)
{
    if (!validImage(image)) { RECT_error(); return; }
    if (x < 0 || x >= image->width) return;
    if (y0 < 0) y0 = 0;
    if (y1 > image->height - 1) y1 = image->height - 1;
    for (std::int32_t y = y0; y <= y1; ++y) image->pixels[static_cast<std::int64_t>(y) * image->width + x] = colour;
}

void RECT_blendHSpan(IMG* image, std::uint32_t colour, std::int32_t y, std::int32_t x0, std::int32_t x1,
                     std::int32_t alpha)
{
    if (!validImage(image)) { RECT_error(); return; }
    if (y < 0 || y >= image->height) return;
    if (x0 < 0) x0 = 0;
    if (x1 > image->width - 1) x1 = image->width - 1;
    std::uint32_t* row = image->pixels + static_cast<std::int64_t>(y) * image->width;
    for (std::int32_t x = x0; x <= x1; ++x) row[x] = RGB888_blend(row[x], colour, alpha);
}

void RECT_error()
{
    if (RECT_debug != 0) std::fputs("RECT error\n", stdout);
}
