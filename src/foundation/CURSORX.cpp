// CURSORX: a cyclic table index. Sums are formed in 64 bits so that large
// speeds and offsets neither overflow nor need long wrapping loops. A length
// of 0 is allowed: base and position are then left as they are.
#include "foundation/CURSORX.h"

#include <new>

#include "foundation/INT.h"

const MODID CURSORX_ID = MODID_CODE("CURSORX ");
std::uint8_t CURSORX_debug = 0;

namespace {

// The position rule: remainder, plus length when negative.
std::int32_t update(CURSORX* c)
{
    if (c->length != 0) {
        std::int64_t p = (static_cast<std::int64_t>(c->base) + c->offset) % c->length;
        if (p < 0) p += c->length;
        c->position = static_cast<std::int32_t>(p);
    }
    return c->position;
}

}  // namespace

CURSORX* CURSORX_new()
{
    CURSORX* c = new (std::nothrow) CURSORX{1024, 0, 0, 1, 0, 2};
    if (c == nullptr) CURSORX_error();
    return c;
}

void CURSORX_free(CURSORX** cursor)
{
    if (cursor == nullptr || *cursor == nullptr) { CURSORX_error(); return; }
    delete *cursor;
    *cursor = nullptr;
}

void CURSORX_copy(const CURSORX* src, CURSORX* dst)
{
    if (src == nullptr || dst == nullptr) { CURSORX_error(); return; }
    dst->length = src->length;
    dst->base = src->base;
    dst->speed = src->speed;
    dst->offset = src->offset;
    dst->step = src->step;
}

CURSORX* CURSORX_clone(const CURSORX* cursor)
{
    if (cursor == nullptr) { CURSORX_error(); return nullptr; }
    CURSORX* c = CURSORX_new();
    CURSORX_copy(cursor, c);
    return c;
}

std::int32_t CURSORX_set(CURSORX* c, std::int32_t length, std::int32_t base, std::int32_t speed, std::int32_t offset, std::int32_t step)
{
    if (c == nullptr) { CURSORX_error(); return 0; }
    CURSORX_setLength(c, length);
    CURSORX_setBase(c, base);
    CURSORX_setOffset(c, offset);
    c->speed = speed;
    c->step = step;
    return c->position;
}

std::int32_t CURSORX_setLength(CURSORX* c, std::int32_t n)
{
    if (c == nullptr || n < 0) { CURSORX_error(); return 0; }
    c->length = n;
    return CURSORX_setBase(c, c->base);
}

std::int32_t CURSORX_setBase(CURSORX* c, std::int32_t v)
{
    if (c == nullptr) { CURSORX_error(); return 0; }
    if (c->length == 0) {
        c->base = v;   // no cycle to reduce into
    } else if (v >= 0) {
        c->base = static_cast<std::int32_t>(static_cast<std::int64_t>(v) % c->length);
    } else {
        // A negative multiple of length gives length itself, not 0.
        c->base = static_cast<std::int32_t>(static_cast<std::int64_t>(v) % c->length + c->length);
    }
    return update(c);
}

std::int32_t CURSORX_setOffset(CURSORX* c, std::int32_t v)
{
    if (c == nullptr) { CURSORX_error(); return 0; }
    c->offset = v;
    return update(c);
}

std::int32_t CURSORX_reset(CURSORX* c, std::int32_t v)
{
    if (c == nullptr) { CURSORX_error(); return 0; }
    c->offset = 0;
    return CURSORX_setBase(c, v);
}

std::int32_t CURSORX_advance(CURSORX* c)
{
    if (c == nullptr) { CURSORX_error(); return 0; }
    std::int64_t base = static_cast<std::int64_t>(c->base) + c->speed;
    // Subtracting or adding length until base is in 0..length-1 is a floor
    // remainder; a non-positive length leaves nothing to wrap into.
    if (c->length > 0) {
        base %= c->length;
        if (base < 0) base += c->length;
        c->base = static_cast<std::int32_t>(base);
    } else {
        c->base = INT_add(c->base, c->speed);
    }
    return update(c);
}

std::int32_t CURSORX_step(CURSORX* c)
{
    if (c == nullptr) { CURSORX_error(); return 0; }
    c->offset = INT_add(c->offset, c->step);
    return update(c);
}

void CURSORX_error()
{
}
