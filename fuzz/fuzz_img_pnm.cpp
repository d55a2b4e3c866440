// In-memory PNM decoder of IMG. A decoded picture has a size within the cap
// and only colour words; its text form reads back to the same picture.
#include <cstdlib>

#include "FUZZ.h"
#include "raster/IMG.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    IMG* image = IMG_fromPNM({data, size});
    if (image == nullptr) return 0;
    const std::int64_t count = static_cast<std::int64_t>(image->width) * image->height;
    FUZZ_check(image->width > 0 && image->height > 0 && count <= IMG_MAX_PIXELS, "size outside the cap");
    for (std::int64_t i = 0; i < count; ++i) FUZZ_check(image->pixels[i] <= 0xFFFFFFu, "not a colour word");
    if (count <= 4096) {
        char* text = IMG_print(image);
        IMG* back = IMG_parse(text);
        FUZZ_check(back != nullptr && IMG_equal(image, back), "text form does not read back");
        IMG_free(&back);
        std::free(text);
    }
    IMG_free(&image);
    return 0;
}
