// BYTEMAP's text form, given the input's bytes with no terminating zero so
// that a read past the end is caught. At least three text bytes a cell.
#include <string_view>

#include "FUZZ.h"
#include "effects/BYTEMAP.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    BYTEMAP* map = BYTEMAP_parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (map == nullptr) return 0;
    const std::int64_t count = static_cast<std::int64_t>(map->width) * map->height;
    FUZZ_check(map->width > 0 && map->height > 0 && count <= BYTEMAP_MAX_CELLS, "size outside the cap");
    FUZZ_check(count * 3 <= static_cast<std::int64_t>(size), "more cells than the text can hold");
    BYTEMAP_free(&map);
    return 0;
}
