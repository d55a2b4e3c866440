// LFRAME: an edge place t runs clockwise around the area's border, 0 at the
// top-left corner, over 2 * (width + height) places in all.
#include "vector/LFRAME.h"

#include <cstdio>
#include <new>

#include "foundation/RANDOM.h"

const MODID LFRAME_ID = MODID_CODE("LFRAME  ");
std::uint8_t LFRAME_debug = 0;

void LFRAME_error()
{
    if (LFRAME_debug != 0) std::fputs("LFRAME error\n", stdout);
}

namespace {

bool usable(const LFRAME* f)
{
    return f != nullptr && f->first != nullptr && f->second != nullptr && f->width >= 1 && f->height >= 1;
}

std::int64_t perimeter(const LFRAME* f) { return 2 * (std::int64_t{f->width} + f->height); }

void place(const LFRAME* f, std::int64_t t, VEC2D* p)
{
    const std::int64_t w = f->width;
    const std::int64_t h = f->height;
    std::int64_t x;
    std::int64_t y;
    if (t < w) { x = t; y = 0; }
    else if (t < w + h) { x = w - 1; y = t - w; }
    else if (t < 2 * w + h) { x = w - 1 - (t - w - h); y = h - 1; }
    else { x = 0; y = h - 1 - (t - 2 * w - h); }
    p->x = static_cast<std::int32_t>(x);
    p->y = static_cast<std::int32_t>(y < 0 ? 0 : y);
}

void placeAll(LFRAME* f)
{
    VEC2D* ends[4] = {f->first->start, f->first->end, f->second->start, f->second->end};
    for (int i = 0; i < 4; ++i) place(f, f->travel[i], ends[i]);
}

std::int32_t mix(std::int32_t a, std::int32_t b, std::int64_t i, std::int64_t n)
{
    return static_cast<std::int32_t>(a + (std::int64_t{b} - a) * i / n);
}

}  // namespace

LFRAME* LFRAME_new()
{
    LFRAME* f = new (std::nothrow) LFRAME{};
    if (f == nullptr) { LFRAME_error(); return nullptr; }
    f->width = 256;
    f->height = 256;
    f->first = SEG2D_new();
    f->second = SEG2D_new();
    if (!usable(f)) {
        LFRAME_free(&f);
        LFRAME_error();
        return nullptr;
    }
    LFRAME_reset(f);
    return f;
}

void LFRAME_free(LFRAME** frame)
{
    if (frame == nullptr || *frame == nullptr) { LFRAME_error(); return; }
    if ((*frame)->first != nullptr) SEG2D_free(&(*frame)->first);
    if ((*frame)->second != nullptr) SEG2D_free(&(*frame)->second);
    delete *frame;
    *frame = nullptr;
}

void LFRAME_reset(LFRAME* frame)
{
    if (!usable(frame)) { LFRAME_error(); return; }
    const std::int64_t around = perimeter(frame);
    for (std::int32_t& t : frame->travel) t = static_cast<std::int32_t>(RANDOM_random30() % around);
    const std::uint32_t c1 = static_cast<std::uint32_t>(RANDOM_random30()) & 0xffffffu;
    const std::uint32_t c2 = static_cast<std::uint32_t>(RANDOM_random30()) & 0xffffffu;
    frame->first->start->colour = frame->first->end->colour = c1;
    frame->second->start->colour = frame->second->end->colour = c2;
    frame->count = (RANDOM_random30() & 7) + 4;
    for (std::int32_t& s : frame->speed) {
        const std::int32_t r = RANDOM_random30() & 7;
        s = r < 4 ? r - 4 : r - 3;   // -4..-1 or 1..4
    }
    placeAll(frame);
}

void LFRAME_step(LFRAME* frame)
{
    if (!usable(frame)) { LFRAME_error(); return; }
    const std::int64_t around = perimeter(frame);
    for (int i = 0; i < 4; ++i) {
        const std::int64_t t = (std::int64_t{frame->travel[i]} + frame->speed[i]) % around;
        frame->travel[i] = static_cast<std::int32_t>(t < 0 ? t + around : t);
    }
    placeAll(frame);
}

void LFRAME_draw(const LFRAME* frame, IMG* image)
{
    if (!usable(frame) || image == nullptr) { LFRAME_error(); return; }
    const VEC2D* a0 = frame->first->start;
    const VEC2D* a1 = frame->first->end;
    const VEC2D* b0 = frame->second->start;
    const VEC2D* b1 = frame->second->end;
    SEG2D_draw(frame->first, image);
    SEG2D_draw(frame->second, image);
    const std::int64_t n = frame->count > 1 ? frame->count - 1 : 1;
    for (std::int64_t i = 1; i < n; ++i) {
        const std::uint32_t colour = RGB888_blend(a0->colour, b0->colour, static_cast<std::int32_t>(256 * i / n));
        IMG_drawLine(image, mix(a0->x, b0->x, i, n), mix(a0->y, b0->y, i, n), mix(a1->x, b1->x, i, n),
                     mix(a1->y, b1->y, i, n), colour);
    }
}
