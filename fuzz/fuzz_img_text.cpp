// IMG's text form ("IMG{ P3 ..."), given as a zero-terminated copy of the
// input. A picture it reads prints and reads back to itself.
#include <cstdlib>
#include <string>

#include "FUZZ.h"
#include "raster/IMG.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    IMG* image = IMG_parse(text.c_str());
    if (image == nullptr) return 0;
    const std::int64_t count = static_cast<std::int64_t>(image->width) * image->height;
    FUZZ_check(image->width > 0 && image->height > 0 && count <= IMG_MAX_PIXELS, "size outside the cap");
    FUZZ_check(static_cast<std::size_t>(count) * 6 <= size + 1, "more pixels than the text can hold");
    char* printed = IMG_print(image);
    IMG* back = IMG_parse(printed);
    FUZZ_check(back != nullptr && IMG_equal(image, back), "printed form does not read back");
    IMG_free(&back);
    std::free(printed);
    IMG_free(&image);
    return 0;
}
