// ARRAY: elements by value in one zeroed block that doubles when full. Every
// copy into or out of the block is checked against the block's size; a copy
// that would leave it means the record was corrupted, and the process ends.
#include "foundation/ARRAY.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

const MODID ARRAY_ID = MODID_CODE("ARRAY   ");
std::uint8_t ARRAY_debug = 0;

namespace {

// Bytes in capacity slots of size bytes, or -1 when that exceeds 32 bits.
std::int64_t blockBytes(std::int64_t capacity, std::int64_t size)
{
    const std::int64_t bytes = capacity * size;
    return bytes > 0x7FFFFFFF ? -1 : bytes;
}

std::uint8_t* newZeroed(std::int64_t bytes)
{
    if (bytes < 0) return nullptr;
    return new (std::nothrow) std::uint8_t[static_cast<std::size_t>(bytes)]();
}

// The storage check: [offset, offset + bytes) must lie inside the block.
std::uint8_t* slot(const ARRAY* a, std::int64_t index, std::int64_t bytes)
{
    const std::int64_t offset = index * a->elementSize;
    if (a->data == nullptr || offset < 0 || bytes < 0 ||
        offset + bytes > static_cast<std::int64_t>(a->capacity) * a->elementSize) {
        std::exit(-1);
    }
    return a->data + offset;
}

bool valid(const ARRAY* a)
{
    if (a == nullptr || a->data == nullptr) { ARRAY_error(); return false; }
    return true;
}

bool validIndex(const ARRAY* a, std::int32_t index)
{
    if (!valid(a) || index < 0 || index >= a->count) { if (a != nullptr) ARRAY_error(); return false; }
    return true;
}

}  // namespace

ARRAY* ARRAY_new()
{
    ARRAY* a = new (std::nothrow) ARRAY{4, 2, 0, nullptr};
    if (a != nullptr) a->data = newZeroed(8);
    if (a == nullptr || a->data == nullptr) {
        delete a;
        ARRAY_error();
        return nullptr;
    }
    return a;
}

void ARRAY_free(ARRAY** array)
{
    if (array == nullptr || *array == nullptr) { ARRAY_error(); return; }
    delete[] (*array)->data;
    delete *array;
    *array = nullptr;
}

bool ARRAY_setElementSize(ARRAY* array, std::int32_t size)
{
    if (array == nullptr || size < 1) { ARRAY_error(); return false; }
    // The new block is made before the old one goes, so a failure leaves the
    // array usable instead of holding elements without storage.
    std::uint8_t* data = newZeroed(blockBytes(array->capacity, size));
    if (data == nullptr) { ARRAY_error(); return false; }
    delete[] array->data;
    array->data = data;
    array->elementSize = size;
    array->count = 0;
    return true;
}

bool ARRAY_grow(ARRAY* array)
{
    if (array == nullptr) { ARRAY_error(); return false; }
    const std::int64_t capacity = static_cast<std::int64_t>(array->capacity < 1 ? 1 : array->capacity) * 2;
    std::uint8_t* data = capacity > 0x7FFFFFFF ? nullptr : newZeroed(blockBytes(capacity, array->elementSize));
    if (data == nullptr) { ARRAY_error(); return false; }
    if (array->data != nullptr && array->count > 0) {
        std::memcpy(data, array->data, static_cast<std::size_t>(array->count) * static_cast<std::size_t>(array->elementSize));
    }
    delete[] array->data;
    array->data = data;
    array->capacity = static_cast<std::int32_t>(capacity);
    return true;
}

void ARRAY_push(ARRAY* array, const void* element)
{
    if (!valid(array) || element == nullptr) { if (array != nullptr) ARRAY_error(); return; }
    if (array->count >= array->capacity && !ARRAY_grow(array)) return;
    std::memcpy(slot(array, array->count, array->elementSize), element, static_cast<std::size_t>(array->elementSize));
    array->count += 1;
}

void ARRAY_get(const ARRAY* array, void* out, std::int32_t index)
{
    if (out == nullptr) { ARRAY_error(); return; }
    if (!validIndex(array, index)) return;
    std::memcpy(out, slot(array, index, array->elementSize), static_cast<std::size_t>(array->elementSize));
}

void ARRAY_set(ARRAY* array, const void* element, std::int32_t index)
{
    if (element == nullptr) { ARRAY_error(); return; }
    if (!validIndex(array, index)) return;
    std::memcpy(slot(array, index, array->elementSize), element, static_cast<std::size_t>(array->elementSize));
}

void ARRAY_insert(ARRAY* array, const void* element, std::int32_t index)
{
    if (!valid(array) || element == nullptr || index < 0 || index > array->count) {
        if (array != nullptr) ARRAY_error();
        return;
    }
    if (array->count >= array->capacity && !ARRAY_grow(array)) return;
    const std::int64_t size = array->elementSize;
    const std::int64_t moved = (array->count - index) * size;
    std::memmove(slot(array, index + 1, moved), slot(array, index, moved), static_cast<std::size_t>(moved));
    std::memcpy(slot(array, index, size), element, static_cast<std::size_t>(size));
    array->count += 1;
}

void ARRAY_delete(ARRAY* array, std::int32_t index)
{
    if (!validIndex(array, index)) return;
    const std::int64_t moved = (array->count - 1 - index) * static_cast<std::int64_t>(array->elementSize);
    std::memmove(slot(array, index, moved), slot(array, index + 1, moved), static_cast<std::size_t>(moved));
    array->count -= 1;
}

void ARRAY_clear(ARRAY* array)
{
    if (!valid(array) || array->capacity <= 0) { if (array != nullptr) ARRAY_error(); return; }
    const std::int64_t used = static_cast<std::int64_t>(array->count) * array->elementSize;
    std::memset(slot(array, 0, used), 0, static_cast<std::size_t>(used));
    array->count = 0;
}

void* ARRAY_pop(ARRAY* array)
{
    if (!valid(array)) return nullptr;
    if (array->count == 0) return nullptr;
    void* out = std::malloc(static_cast<std::size_t>(array->elementSize));
    if (out == nullptr) { ARRAY_error(); return nullptr; }
    std::memcpy(out, slot(array, array->count - 1, array->elementSize), static_cast<std::size_t>(array->elementSize));
    array->count -= 1;
    return out;
}

void* ARRAY_getCopy(const ARRAY* array, std::int32_t index)
{
    if (!validIndex(array, index)) return nullptr;
    void* out = std::malloc(static_cast<std::size_t>(array->elementSize));
    if (out == nullptr) { ARRAY_error(); return nullptr; }
    std::memcpy(out, slot(array, index, array->elementSize), static_cast<std::size_t>(array->elementSize));
    return out;
}

std::int32_t ARRAY_indexOf(const ARRAY* array, const void* element)
{
    if (!valid(array) || element == nullptr) { if (array != nullptr) ARRAY_error(); return -1; }
    for (std::int32_t i = 0; i < array->count; ++i) {
        if (std::memcmp(slot(array, i, array->elementSize), element, static_cast<std::size_t>(array->elementSize)) == 0) return i;
    }
    return -1;
}

bool ARRAY_equalAt(const ARRAY* array, const void* element, std::int32_t index)
{
    if (element == nullptr) { ARRAY_error(); return false; }
    if (!validIndex(array, index)) return false;
    return std::memcmp(slot(array, index, array->elementSize), element, static_cast<std::size_t>(array->elementSize)) == 0;
}

bool ARRAY_equal(const ARRAY* a, const ARRAY* b)
{
    if (a == b) return true;
    if (a == nullptr || b == nullptr) return false;
    if (a->count != b->count || a->elementSize != b->elementSize) return false;
    if (a->count == 0) return true;
    if (a->data == nullptr || b->data == nullptr) return false;
    const std::int64_t used = static_cast<std::int64_t>(a->count) * a->elementSize;
    return std::memcmp(slot(a, 0, used), slot(b, 0, used), static_cast<std::size_t>(used)) == 0;
}

ARRAY* ARRAY_clone(const ARRAY* array)
{
    if (!valid(array)) return nullptr;
    ARRAY* c = ARRAY_new();
    if (c == nullptr) return nullptr;
    if (!ARRAY_setElementSize(c, array->elementSize)) { ARRAY_free(&c); return nullptr; }
    for (std::int32_t i = 0; i < array->count; ++i) {
        ARRAY_push(c, slot(array, i, array->elementSize));
        if (c->count != i + 1) { ARRAY_free(&c); return nullptr; }
    }
    return c;
}

char* ARRAY_print(const ARRAY* array)
{
    if (!valid(array)) return nullptr;
    const std::int64_t used = static_cast<std::int64_t>(array->count) * array->elementSize;
    char* text = static_cast<char*>(std::malloc(static_cast<std::size_t>(used) + 21));
    if (text == nullptr) { ARRAY_error(); return nullptr; }
    // The element bytes are written as characters, zero bytes included.
    std::memcpy(text, "ARRAY{\n", 7);
    if (used > 0) std::memcpy(text + 7, slot(array, 0, used), static_cast<std::size_t>(used));
    std::memcpy(text + 7 + used, "\n}\n", 4);
    return text;
}

void ARRAY_selfTest()
{
    static const char words[5][6] = {"first", "secnd", "third", "forth", "zero!"};
    auto show = [](const ARRAY* a) {
        char* text = ARRAY_print(a);
        if (text == nullptr) return;
        std::fwrite(text, 1, static_cast<std::size_t>(a->count) * static_cast<std::size_t>(a->elementSize) + 10, stdout);
        std::free(text);
    };
    std::fputs("Creation of new ARRAY...", stdout);
    ARRAY* a = ARRAY_new();
    if (a == nullptr || !ARRAY_setElementSize(a, 5)) { std::fputs("failed!\n", stdout); if (a != nullptr) ARRAY_free(&a); return; }
    std::fputs("done!\n", stdout);
    std::fputs("Pushing four elements...", stdout);
    for (int i = 0; i < 4; ++i) ARRAY_push(a, words[i]);
    std::fputs("done!\n", stdout);
    show(a);
    std::fputs("Inserting an element at position 0...", stdout);
    ARRAY_insert(a, words[4], 0);
    std::fputs("done!\n", stdout);
    show(a);
    std::fputs("Deleting the element at position 2...", stdout);
    ARRAY_delete(a, 2);
    std::fputs("done!\n", stdout);
    show(a);
    ARRAY_free(&a);
}

void ARRAY_error()
{
    if (ARRAY_debug != 0) std::fputs("ARRAY error\n", stdout);
}
