// SEG2D: line segments between two coloured points. Coordinate arithmetic is
// 32-bit and wraps (done in std::uint32_t); the crossing test works in 24.8
// fixed point with truncating division.
#include "vector/SEG2D.h"

#include <cstdio>
#include <initializer_list>
#include <new>
#include <utility>

#include "effects/IMGFX.h"
#include "foundation/INT.h"

const MODID SEG2D_ID = MODID_CODE("SEG2D   ");
std::uint8_t SEG2D_debug = 0;

namespace {

bool valid(const SEG2D* seg)
{
    return seg != nullptr && seg->start != nullptr && seg->end != nullptr;
}

struct Box {
    std::int32_t lowX, highX, lowY, highY;
};

Box boxOf(const SEG2D* seg)
{
    Box b{seg->start->x, seg->end->x, seg->start->y, seg->end->y};
    if (b.lowX > b.highX) std::swap(b.lowX, b.highX);
    if (b.lowY > b.highY) std::swap(b.lowY, b.highY);
    return b;
}

// Inclusive when the segment runs left to right, exclusive when it runs back.
bool between(std::int32_t x, const SEG2D* seg)
{
    const std::int32_t sx = seg->start->x;
    const std::int32_t ex = seg->end->x;
    if (sx <= ex) return sx <= x && x <= ex;
    return ex < x && x < sx;
}

// Slope m and offset k of the line through the segment, both 24.8.
void lineOf(const SEG2D* seg, std::int32_t& m, std::int32_t& k)
{
    std::int32_t run = INT_sub(seg->end->x, seg->start->x);
    if (run == 0) run = 1;
    m = INT_div(INT_shl(INT_sub(seg->end->y, seg->start->y), 8), run);
    k = INT_sub(INT_shl(seg->start->y, 8), INT_mul(m, seg->start->x));
}

}  // namespace

SEG2D* SEG2D_new()
{
    SEG2D* seg = new (std::nothrow) SEG2D{};
    if (seg == nullptr) { SEG2D_error(); return nullptr; }
    seg->start = VEC2D_new();
    seg->end = VEC2D_new();
    if (seg->start == nullptr || seg->end == nullptr) {
        if (seg->start != nullptr) VEC2D_free(&seg->start);
        if (seg->end != nullptr) VEC2D_free(&seg->end);
        delete seg;
        SEG2D_error();
        return nullptr;
    }
    seg->end->x = 1;
    seg->end->y = 1;
    return seg;
}

void SEG2D_free(SEG2D** seg)
{
    if (seg == nullptr || *seg == nullptr) { SEG2D_error(); return; }
    if ((*seg)->start != nullptr) VEC2D_free(&(*seg)->start);
    if ((*seg)->end != nullptr) VEC2D_free(&(*seg)->end);
    delete *seg;
    *seg = nullptr;
}

bool SEG2D_equal(const SEG2D* a, const SEG2D* b)
{
    if (!valid(a) || !valid(b)) { SEG2D_error(); return false; }
    return VEC2D_equal(a->start, b->start) && VEC2D_equal(a->end, b->end);
}

void SEG2D_copy(const SEG2D* src, SEG2D* dst)
{
    if (!valid(src) || !valid(dst)) { SEG2D_error(); return; }
    VEC2D_copy(src->start, dst->start);
    VEC2D_copy(src->end, dst->end);
}

SEG2D* SEG2D_clone(const SEG2D* src)
{
    if (!valid(src)) { SEG2D_error(); return nullptr; }
    SEG2D* seg = SEG2D_new();
    if (seg != nullptr) SEG2D_copy(src, seg);
    return seg;
}

void SEG2D_draw(const SEG2D* seg, IMG* image)
{
    if (!valid(seg) || image == nullptr) { SEG2D_error(); return; }
    IMG_drawLine(image, seg->start->x, seg->start->y, seg->end->x, seg->end->y, seg->start->colour);
}

void SEG2D_plot(const SEG2D* seg, IMG* image)
{
    if (!valid(seg) || image == nullptr) { SEG2D_error(); return; }
    VEC2D_plot(seg->start, image);
    VEC2D_plot(seg->end, image);
}

void SEG2D_drawAverage(const SEG2D* seg, IMG* image)
{
    if (!valid(seg) || image == nullptr) { SEG2D_error(); return; }
    IMGFX_averageLine(image, seg->start->x, seg->start->y, seg->end->x, seg->end->y, seg->start->colour);
}

void SEG2D_drawAdd(const SEG2D* seg, IMG* image)
{
    if (!valid(seg) || image == nullptr) { SEG2D_error(); return; }
    IMGFX_addLine(image, seg->start->x, seg->start->y, seg->end->x, seg->end->y, seg->start->colour);
}

void SEG2D_drawRotated(const SEG2D* seg, std::int32_t angle, const VEC2D* offset, IMG* image)
{
    if (!valid(seg) || offset == nullptr || image == nullptr) { SEG2D_error(); return; }
    // The copy lives on the stack; only its two points are needed.
    VEC2D start = *seg->start;
    VEC2D end = *seg->end;
    SEG2D copy{&start, &end};
    SEG2D_rotate(&copy, angle);
    SEG2D_translate(&copy, offset);
    SEG2D_draw(&copy, image);
}

void SEG2D_rotate(SEG2D* seg, std::int32_t angle)
{
    if (!valid(seg)) { SEG2D_error(); return; }
    VEC2D_rotate(seg->start, angle);
    VEC2D_rotate(seg->end, angle);
}

void SEG2D_translate(SEG2D* seg, const VEC2D* offset)
{
    if (!valid(seg) || offset == nullptr) { SEG2D_error(); return; }
    for (VEC2D* p : {seg->start, seg->end}) {
        p->x = INT_add(p->x, offset->x);
        p->y = INT_add(p->y, offset->y);
    }
}

void SEG2D_multiply(SEG2D* seg, std::int32_t factor)
{
    if (!valid(seg)) { SEG2D_error(); return; }
    for (VEC2D* p : {seg->start, seg->end}) {
        p->x = INT_mul(p->x, factor);
        p->y = INT_mul(p->y, factor);
    }
}

void SEG2D_scale(SEG2D* seg, const VEC2D* factors)
{
    if (!valid(seg) || factors == nullptr) { SEG2D_error(); return; }
    for (VEC2D* p : {seg->start, seg->end}) {
        p->x = INT_mul(p->x, factors->x);
        p->y = INT_mul(p->y, factors->y);
    }
}

std::int32_t SEG2D_boxesOverlap(const SEG2D* a, const SEG2D* b)
{
    if (!valid(a) || !valid(b)) { SEG2D_error(); return 0; }
    const Box ba = boxOf(a);
    const Box bb = boxOf(b);
    if (bb.lowX > ba.highX) return 0;
    return (bb.highX >= ba.lowX && bb.lowY <= ba.highY && bb.highY >= ba.lowY) ? 1 : 0;
}

std::int32_t SEG2D_rangesOverlap(const SEG2D* a, const SEG2D* b)
{
    if (!valid(a) || !valid(b)) { SEG2D_error(); return 0; }
    const Box ba = boxOf(a);
    const Box bb = boxOf(b);
    const bool xs = ba.lowX <= bb.highX && bb.lowX <= ba.highX;
    const bool ys = ba.lowY <= bb.highY && bb.lowY <= ba.highY;
    return (xs && ys) ? 1 : 0;
}

std::int32_t SEG2D_intersects(const SEG2D* a, const SEG2D* b)
{
    if (!valid(a) || !valid(b)) { SEG2D_error(); return 0; }
    std::int32_t mA = 0, kA = 0, mB = 0, kB = 0;
    lineOf(a, mA, kA);
    lineOf(b, mB, kB);
    if (mA != mB) {
        const std::int32_t x = INT_div(INT_sub(kB, kA), INT_sub(mA, mB));
        return (between(x, a) && between(x, b)) ? 1 : 0;
    }
    if (kA != kB) return 0;
    return SEG2D_rangesOverlap(a, b);
}

void SEG2D_error()
{
    if (SEG2D_debug != 0) std::fputs("SEG2D error\n", stdout);
}
