// LIST: pointers in one zeroed array that doubles when full. The items are
// the caller's; freeing the list leaves them alone.
#include "foundation/LIST.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <memory>

const MODID LIST_ID = MODID_CODE("LIST    ");
std::uint8_t LIST_debug = 0;

namespace {

bool valid(const LIST* l)
{
    if (l == nullptr || (l->items == nullptr && l->capacity > 0)) { LIST_error(); return false; }
    return true;
}

bool validRange(const LIST* l, std::int32_t from, std::int32_t to)
{
    if (!valid(l)) return false;
    if (from < 0 || from >= to || to > l->count) { LIST_error(); return false; }
    return true;
}

// Doubling; a list whose capacity was set to 0 grows to 2.
bool grow(LIST* l)
{
    const std::int64_t capacity = static_cast<std::int64_t>(l->capacity < 1 ? 1 : l->capacity) * 2;
    if (capacity > 0x7FFFFFFF) { LIST_error(); return false; }
    return LIST_setCapacity(l, static_cast<std::int32_t>(capacity));
}

}  // namespace

LIST* LIST_new()
{
    LIST* l = new (std::nothrow) LIST{2, 0, nullptr};
    if (l != nullptr) l->items = new (std::nothrow) void*[2]();
    if (l == nullptr || l->items == nullptr) {
        delete l;
        LIST_error();
        return nullptr;
    }
    return l;
}

void LIST_free(LIST** list)
{
    if (list == nullptr || *list == nullptr) { LIST_error(); return; }
    delete[] (*list)->items;
    delete *list;
    *list = nullptr;
}

void LIST_push(LIST* list, void* item)
{
    if (!valid(list)) return;
    if (list->count >= list->capacity && !grow(list)) return;
    list->items[list->count] = item;
    list->count += 1;
}

void* LIST_pop(LIST* list)
{
    if (!valid(list)) return nullptr;
    if (list->count <= 0) { LIST_error(); return nullptr; }
    list->count -= 1;
    return list->items[list->count];
}

void* LIST_get(const LIST* list, std::int32_t index)
{
    if (!valid(list)) return nullptr;
    if (index < 0 || index >= list->count) { LIST_error(); return nullptr; }
    return list->items[index];
}

void LIST_set(LIST* list, void* item, std::int32_t index)
{
    if (!valid(list)) return;
    if (index < 0 || index >= list->count) { LIST_error(); return; }
    list->items[index] = item;
}

void LIST_insert(LIST* list, void* item, std::int32_t index)
{
    if (!valid(list)) return;
    if (index < 0 || index > list->count) { LIST_error(); return; }
    if (list->count >= list->capacity && !grow(list)) return;
    for (std::int32_t i = list->count; i > index; --i) list->items[i] = list->items[i - 1];
    list->items[index] = item;
    list->count += 1;
}

void LIST_delete(LIST* list, std::int32_t index)
{
    if (!valid(list)) return;
    if (index < 0 || index >= list->count) { LIST_error(); return; }
    for (std::int32_t i = index; i < list->count - 1; ++i) list->items[i] = list->items[i + 1];
    list->count -= 1;
    list->items[list->count] = nullptr;
}

void LIST_setCount(LIST* list, std::int32_t n)
{
    if (!valid(list)) return;
    if (n < 0) { LIST_error(); return; }
    if (list->capacity < n && !LIST_setCapacity(list, n)) return;
    list->count = n;
}

bool LIST_setCapacity(LIST* list, std::int32_t n)
{
    if (!valid(list)) return false;
    if (n < 0) { LIST_error(); return false; }
    void** items = new (std::nothrow) void*[static_cast<std::size_t>(n)]();
    if (items == nullptr) { LIST_error(); return false; }
    // Shrinking below count drops the items past the new end.
    const std::int32_t kept = list->count < n ? list->count : n;
    for (std::int32_t i = 0; i < kept; ++i) items[i] = list->items[i];
    delete[] list->items;
    list->items = items;
    list->capacity = n;
    list->count = kept;
    return true;
}

std::int32_t LIST_indexOf(const LIST* list, const void* item)
{
    if (!valid(list)) return -1;
    if (item == nullptr) { LIST_error(); return -1; }
    for (std::int32_t i = 0; i < list->count; ++i) {
        if (list->items[i] == item) return i;
    }
    return -1;
}

bool LIST_equal(const LIST* a, const LIST* b)
{
    if (a == b) return true;
    if (a == nullptr || b == nullptr) return false;
    if (a->count != b->count) return false;
    for (std::int32_t i = 0; i < a->count; ++i) {
        if (a->items[i] != b->items[i]) return false;
    }
    return true;
}

LIST* LIST_clone(const LIST* list)
{
    if (!valid(list)) return nullptr;
    LIST* c = LIST_new();
    if (c == nullptr) return nullptr;
    for (std::int32_t i = 0; i < list->count; ++i) {
        LIST_push(c, list->items[i]);
        if (c->count != i + 1) { LIST_free(&c); return nullptr; }
    }
    return c;
}

LIST* LIST_sublist(const LIST* list, std::int32_t from, std::int32_t to)
{
    if (!validRange(list, from, to)) return nullptr;
    LIST* c = LIST_new();
    if (c == nullptr) return nullptr;
    for (std::int32_t i = from; i < to; ++i) {
        LIST_push(c, list->items[i]);
        if (c->count != i - from + 1) { LIST_free(&c); return nullptr; }
    }
    return c;
}

void LIST_deleteRange(LIST* list, std::int32_t from, std::int32_t to)
{
    if (!validRange(list, from, to)) return;
    const std::int32_t gap = to - from;
    for (std::int32_t i = to; i < list->count; ++i) list->items[i - gap] = list->items[i];
    list->count -= gap;
}

void LIST_insertRange(const LIST* src, LIST* dst, std::int32_t from, std::int32_t to, std::int32_t at)
{
    if (!validRange(src, from, to) || !valid(dst)) return;
    if (at < 0 || at > dst->count) { LIST_error(); return; }
    // The range is copied out first: src may be dst, whose items move below.
    const std::int32_t n = to - from;
    std::unique_ptr<void*[]> range(new (std::nothrow) void*[static_cast<std::size_t>(n)]);
    if (!range) { LIST_error(); return; }
    std::memcpy(range.get(), src->items + from, static_cast<std::size_t>(n) * sizeof(void*));
    const std::int64_t needed = static_cast<std::int64_t>(dst->count) + n;
    while (dst->capacity < needed) {
        if (!grow(dst)) return;
    }
    for (std::int32_t i = dst->count - 1; i >= at; --i) dst->items[i + n] = dst->items[i];
    for (std::int32_t i = 0; i < n; ++i) dst->items[at + i] = range[static_cast<std::size_t>(i)];
    dst->count += n;
}

void LIST_error()
{
    if (LIST_debug != 0) std::fputs("LIST error\n", stdout);
}
