// BYTEMAP's PNM file loader, through a scratch file. What it reads, saved as
// P5 and loaded again, is the same map.
#include "FUZZ.h"
#include "effects/BYTEMAP.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = FUZZ_scratchPath(".pnm");
    static const std::string again = FUZZ_scratchPath("-again.pgm");
    FUZZ_writeScratch(path, data, size);
    BYTEMAP* map = BYTEMAP_load(path.c_str());
    if (map == nullptr) return 0;
    const std::int64_t count = static_cast<std::int64_t>(map->width) * map->height;
    FUZZ_check(map->width > 0 && map->height > 0 && count <= BYTEMAP_MAX_CELLS, "size outside the cap");
    FUZZ_check(BYTEMAP_save(map, again.c_str()), "save failed");
    BYTEMAP* back = BYTEMAP_load(again.c_str());
    FUZZ_check(back != nullptr && BYTEMAP_equal(map, back), "saved file does not load back");
    BYTEMAP_free(&back);
    BYTEMAP_free(&map);
    return 0;
}
