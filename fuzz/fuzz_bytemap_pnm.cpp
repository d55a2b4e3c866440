// In-memory PNM decoder of BYTEMAP. A decoded map has a size within the cap,
// and no more cells than the input has bytes (P4 aside, eight a byte).
#include "FUZZ.h"
#include "effects/BYTEMAP.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    BYTEMAP* map = BYTEMAP_fromPNM({data, size});
    if (map == nullptr) return 0;
    const std::int64_t count = static_cast<std::int64_t>(map->width) * map->height;
    FUZZ_check(map->width > 0 && map->height > 0 && count <= BYTEMAP_MAX_CELLS, "size outside the cap");
    FUZZ_check(count <= static_cast<std::int64_t>(size) * 8, "more cells than the input can hold");
    BYTEMAP* copy = BYTEMAP_clone(map);
    FUZZ_check(copy != nullptr && BYTEMAP_equal(map, copy), "clone differs");
    BYTEMAP_free(&copy);
    BYTEMAP_free(&map);
    return 0;
}
