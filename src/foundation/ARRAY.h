// ARRAY: a growable array of fixed-size elements stored by value, contiguous
// and doubling when full. Elements are passed by address and copied byte for
// byte. Owns its storage.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"

struct ARRAY {
    std::int32_t elementSize;   // bytes per element; 4 at creation
    std::int32_t capacity;      // element slots allocated; 2 at creation
    std::int32_t count;         // elements in use, 0..capacity
    std::uint8_t* data;         // owned, capacity * elementSize bytes, zeroed when allocated
};

extern const MODID ARRAY_ID;
extern std::uint8_t ARRAY_debug;   // 0 at start; nothing sets it

ARRAY* ARRAY_new();                 // 2 slots of 4 bytes; null after ARRAY_error
void ARRAY_free(ARRAY** array);     // frees storage and record, stores null
bool ARRAY_setElementSize(ARRAY* array, std::int32_t size);   // drops all elements; false keeps the array as it was
bool ARRAY_grow(ARRAY* array);      // doubles capacity; false keeps the array as it was
void ARRAY_push(ARRAY* array, const void* element);
void ARRAY_get(const ARRAY* array, void* out, std::int32_t index);          // 0 <= index < count
void ARRAY_set(ARRAY* array, const void* element, std::int32_t index);      // 0 <= index < count
void ARRAY_insert(ARRAY* array, const void* element, std::int32_t index);   // 0 <= index <= count
void ARRAY_delete(ARRAY* array, std::int32_t index);                        // later elements move down
void ARRAY_clear(ARRAY* array);                                             // zeroes the used bytes, count 0
void* ARRAY_pop(ARRAY* array);      // std::malloc'ed copy of the last element, caller std::free()s; null when empty (no error)
void* ARRAY_getCopy(const ARRAY* array, std::int32_t index);   // std::malloc'ed copy, caller std::free()s; null on a bad index
std::int32_t ARRAY_indexOf(const ARRAY* array, const void* element);   // first equal element, -1 if none
bool ARRAY_equalAt(const ARRAY* array, const void* element, std::int32_t index);
bool ARRAY_equal(const ARRAY* a, const ARRAY* b);   // both null: true; one null: false
ARRAY* ARRAY_clone(const ARRAY* array);             // same element size, copies of all elements
char* ARRAY_print(const ARRAY* array);   // "ARRAY{\n", the raw element bytes, "\n}\n"; std::malloc'ed, caller std::free()s
void ARRAY_selfTest();                   // console walk-through of the operations; not used by the demo
void ARRAY_error();                      // "ARRAY error\n" while ARRAY_debug != 0
