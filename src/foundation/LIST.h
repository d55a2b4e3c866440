// LIST: a growable list of pointers, contiguous and doubling when full. The
// list owns its pointer array, never the items the pointers refer to.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"

struct LIST {
    std::int32_t capacity;   // pointer slots allocated; 2 at creation
    std::int32_t count;      // items in use, 0..capacity
    void** items;            // owned array of capacity pointers; the items are not owned
};

extern const MODID LIST_ID;
extern std::uint8_t LIST_debug;   // 0 at start; nothing sets it

LIST* LIST_new();                  // 2 empty slots; null after LIST_error
void LIST_free(LIST** list);       // frees the pointer array and record (not the items), stores null
void LIST_push(LIST* list, void* item);
void* LIST_pop(LIST* list);        // last item; null after LIST_error when empty
void* LIST_get(const LIST* list, std::int32_t index);              // null after LIST_error outside 0..count-1
void LIST_set(LIST* list, void* item, std::int32_t index);         // 0 <= index < count
void LIST_insert(LIST* list, void* item, std::int32_t index);      // 0 <= index <= count
void LIST_delete(LIST* list, std::int32_t index);                  // later items move down, freed slot null
void LIST_setCount(LIST* list, std::int32_t n);                    // grows capacity to n if needed; new slots are not cleared
bool LIST_setCapacity(LIST* list, std::int32_t n);                 // keeps the first min(count, n) items
std::int32_t LIST_indexOf(const LIST* list, const void* item);     // first slot holding item, -1 if none
bool LIST_equal(const LIST* a, const LIST* b);                     // same pointers in the same order
LIST* LIST_clone(const LIST* list);
LIST* LIST_sublist(const LIST* list, std::int32_t from, std::int32_t to);   // items from..to-1; 0 <= from < to <= count
void LIST_deleteRange(LIST* list, std::int32_t from, std::int32_t to);      // removes from..to-1
void LIST_insertRange(const LIST* src, LIST* dst, std::int32_t from, std::int32_t to, std::int32_t at);   // src may be dst
void LIST_error();                 // "LIST error\n" while LIST_debug != 0
