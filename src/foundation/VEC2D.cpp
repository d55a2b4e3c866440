// VEC2D: points with a colour. Sums and products wrap in 32 bits (done in
// unsigned arithmetic); rotation uses the sine table with arithmetic shifts,
// so every turn rounds toward minus infinity and shrinks the point a little.
#include "foundation/VEC2D.h"

#include <cstdio>
#include <new>

#include "foundation/INT.h"
#include "foundation/SINE.h"

const MODID VEC2D_ID = MODID_CODE("VEC2D   ");
std::uint8_t VEC2D_debug = 0;

namespace {

}  // namespace

VEC2D* VEC2D_new(std::int32_t x, std::int32_t y)
{
    VEC2D* v = new (std::nothrow) VEC2D{x, y, 0xFFFFFFu};
    if (v == nullptr) VEC2D_error();
    return v;
}

void VEC2D_free(VEC2D** v)
{
    if (v == nullptr || *v == nullptr) { VEC2D_error(); return; }
    delete *v;
    *v = nullptr;
}

bool VEC2D_equal(const VEC2D* a, const VEC2D* b)
{
    if (a == nullptr || b == nullptr) { VEC2D_error(); return false; }
    return a->x == b->x && a->y == b->y && a->colour == b->colour;
}

void VEC2D_copy(const VEC2D* src, VEC2D* dst)
{
    if (src == nullptr || dst == nullptr) { VEC2D_error(); return; }
    *dst = *src;
}

VEC2D* VEC2D_clone(const VEC2D* v)
{
    if (v == nullptr) { VEC2D_error(); return nullptr; }
    VEC2D* c = VEC2D_new();
    if (c != nullptr) *c = *v;
    return c;
}

void VEC2D_plot(const VEC2D* v, IMG* image)
{
    if (v == nullptr || image == nullptr) { VEC2D_error(); return; }
    IMG_putPixel(image, v->x, v->y, v->colour);
}

void VEC2D_add(const VEC2D* a, VEC2D* b)
{
    if (a == nullptr || b == nullptr) { VEC2D_error(); return; }
    b->x = INT_add(b->x, a->x);
    b->y = INT_add(b->y, a->y);
}

void VEC2D_sub(VEC2D* a, const VEC2D* b)
{
    if (a == nullptr || b == nullptr) { VEC2D_error(); return; }
    a->x = INT_sub(a->x, b->x);
    a->y = INT_sub(a->y, b->y);
}

void VEC2D_negate(VEC2D* v)
{
    if (v == nullptr) { VEC2D_error(); return; }
    v->x = INT_sub(0, v->x);
    v->y = INT_sub(0, v->y);
}

void VEC2D_multiply(VEC2D* v, std::int32_t k)
{
    if (v == nullptr) { VEC2D_error(); return; }
    v->x = INT_mul(v->x, k);
    v->y = INT_mul(v->y, k);
}

void VEC2D_divide(VEC2D* v, std::int32_t k)
{
    if (v == nullptr || k == 0) { VEC2D_error(); return; }
    // In 64 bits, so that the most negative value divided by -1 wraps.
    v->x = INT_wrap(static_cast<std::uint32_t>(static_cast<std::int64_t>(v->x) / k));
    v->y = INT_wrap(static_cast<std::uint32_t>(static_cast<std::int64_t>(v->y) / k));
}

void VEC2D_scale(VEC2D* v, const VEC2D* w)
{
    if (v == nullptr || w == nullptr) { VEC2D_error(); return; }
    v->x = INT_mul(v->x, w->x);
    v->y = INT_mul(v->y, w->y);
}

std::int32_t VEC2D_dx(const VEC2D* a, const VEC2D* b)
{
    if (a == nullptr || b == nullptr) { VEC2D_error(); return 0; }
    return INT_sub(a->x, b->x);
}

std::int32_t VEC2D_dy(const VEC2D* a, const VEC2D* b)
{
    if (a == nullptr || b == nullptr) { VEC2D_error(); return 0; }
    return INT_sub(a->y, b->y);
}

std::int32_t VEC2D_lengthSquared(const VEC2D* v)
{
    if (v == nullptr) { VEC2D_error(); return -1; }
    return INT_add(INT_mul(v->x, v->x), INT_mul(v->y, v->y));
}

void VEC2D_rotate(VEC2D* v, std::int32_t angle)
{
    if (v == nullptr) { VEC2D_error(); return; }
    if (angle == 0) return;
    const std::int32_t s = SINE_table[angle & SINE_MASK];
    const std::int32_t c = SINE_table[INT_add(angle, 256) & SINE_MASK];
    const std::int32_t x = v->x;
    const std::int32_t y = v->y;
    v->x = INT_sub(INT_mul(x, c), INT_mul(y, s)) >> 15;
    v->y = INT_add(INT_mul(x, s), INT_mul(y, c)) >> 15;
}

void VEC2D_plotRotated(const VEC2D* v, std::int32_t angle, const VEC2D* offset, IMG* image)
{
    if (v == nullptr || offset == nullptr || image == nullptr) { VEC2D_error(); return; }
    VEC2D copy = *v;
    VEC2D_rotate(&copy, angle);
    VEC2D_add(offset, &copy);
    IMG_putPixel(image, copy.x, copy.y, v->colour);
}

void VEC2D_error()
{
    if (VEC2D_debug != 0) std::fputs("VEC2D error\n", stdout);
}
