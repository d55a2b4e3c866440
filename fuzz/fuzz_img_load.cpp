// IMG's PNM file loader, through a scratch file. What it reads, saved as P6
// and loaded again, is the same picture.
#include "FUZZ.h"
#include "raster/IMG.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = FUZZ_scratchPath(".pnm");
    static const std::string again = FUZZ_scratchPath("-again.ppm");
    FUZZ_writeScratch(path, data, size);
    IMG* image = IMG_load(path.c_str());
    if (image == nullptr) return 0;
    const std::int64_t count = static_cast<std::int64_t>(image->width) * image->height;
    FUZZ_check(image->width > 0 && image->height > 0 && count <= IMG_MAX_PIXELS, "size outside the cap");
    FUZZ_check(IMG_save(image, again.c_str()), "save failed");
    IMG* back = IMG_load(again.c_str());
    FUZZ_check(back != nullptr && IMG_equal(image, back), "saved file does not load back");
    IMG_free(&back);
    IMG_free(&image);
    return 0;
}
