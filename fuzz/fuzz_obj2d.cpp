// The vector-object text parser, one parse per input. The parser carries a
// pending minus sign from one call to the next; a parse of "0 " takes it, so
// every input starts from the same state.
#include "FUZZ.h"
#include "foundation/LIST.h"
#include "vector/OBJ2D.h"

namespace {

void freeAll(LIST* list)
{
    for (std::int32_t i = 0; i < list->count; ++i) {
        OBJ2D* object = static_cast<OBJ2D*>(list->items[i]);
        if (object != nullptr) OBJ2D_free(&object);
    }
    LIST_free(&list);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    LIST* reset = OBJ2D_parse("0 ");
    FUZZ_check(reset != nullptr && reset->count == 0, "reset parse gave objects");
    freeAll(reset);
    LIST* list = OBJ2D_parse({data, size});
    FUZZ_check(list != nullptr, "no list");
    FUZZ_check(list->count <= static_cast<std::int32_t>(size), "more objects than bytes");
    for (std::int32_t i = 0; i < list->count; ++i) {
        const OBJ2D* object = static_cast<const OBJ2D*>(list->items[i]);
        if (object == nullptr) continue;
        FUZZ_check(object->points->count == 2 * object->segments->count, "points and segments disagree");
        FUZZ_check(object->segments->count * 8 <= static_cast<std::int32_t>(size), "more segments than the text holds");
    }
    freeAll(list);
    return 0;
}
