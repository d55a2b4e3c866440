// SAMPLE's text form ("SAMPLE { n ..."), given as a zero-terminated copy of
// the input. A sample it reads prints and reads back to itself.
#include <cstdlib>
#include <string>

#include "FUZZ.h"
#include "audio/SAMPLE.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    SAMPLE* sample = SAMPLE_parse(text.c_str());
    if (sample == nullptr) return 0;
    FUZZ_check(sample->count >= 0 && static_cast<std::size_t>(sample->count) * 2 <= size, "more values than the text holds");
    char* printed = SAMPLE_print(sample);
    SAMPLE* back = SAMPLE_parse(printed);
    FUZZ_check(back != nullptr && SAMPLE_equal(sample, back), "printed form does not read back");
    SAMPLE_free(&back);
    std::free(printed);
    SAMPLE_free(&sample);
    return 0;
}
