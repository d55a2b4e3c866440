// CURSOR: a wrapping text position. Sums are taken in 64 bits so that any
// step lands inside 0 .. length - 1.
#include "vector/CURSOR.h"

#include <cstdio>
#include <new>

const MODID CURSOR_ID = MODID_CODE("CURSOR  ");
std::uint8_t CURSOR_debug = 0;

void CURSOR_error()
{
    if (CURSOR_debug != 0) std::fputs("CURSOR Error.\n", stdout);
}

namespace {

// A modulus below 1 would divide by zero: such a cursor is an error.
bool placeIndex(CURSOR* c, std::int64_t value)
{
    if (c->length < 1) return false;
    std::int64_t r = value % c->length;
    if (r < 0) r += c->length;
    c->index = static_cast<std::int32_t>(r);
    return true;
}

}  // namespace

CURSOR* CURSOR_new()
{
    CURSOR* c = new (std::nothrow) CURSOR{0, 1, 4, "QORN", 0};
    if (c == nullptr) CURSOR_error();
    return c;
}

void CURSOR_free(CURSOR** cursor)
{
    if (cursor == nullptr || *cursor == nullptr) { CURSOR_error(); return; }
    delete *cursor;
    *cursor = nullptr;
}

void CURSOR_set(CURSOR* cursor, const char* text, std::int32_t length, std::int32_t step)
{
    if (cursor == nullptr || text == nullptr || length < 1) { CURSOR_error(); return; }
    cursor->text = text;
    cursor->length = length;
    cursor->step = step;
    cursor->index = 0;
}

void CURSOR_advance(CURSOR* cursor)
{
    if (cursor == nullptr || !placeIndex(cursor, std::int64_t{cursor->index} + cursor->step)) CURSOR_error();
}

void CURSOR_setIndex(CURSOR* cursor, std::int32_t value)
{
    if (cursor == nullptr || !placeIndex(cursor, value)) CURSOR_error();
}

void CURSOR_save(CURSOR* cursor)
{
    if (cursor == nullptr) { CURSOR_error(); return; }
    cursor->mark = cursor->index;
}

void CURSOR_restore(CURSOR* cursor)
{
    // A mark saved over a longer text is brought back into range.
    if (cursor == nullptr || !placeIndex(cursor, cursor->mark)) CURSOR_error();
}
