// The --pointer script parser, reached through the command line as the
// program reads it. Every state kept has a frame from 1 and buttons 0 to 7.
#include <string>

#include "FUZZ.h"
#include "driver/OPTIONS.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string script(reinterpret_cast<const char*>(data), size);
    const char* argv[] = {"qorn7316", "--headless", "--pointer", script.c_str()};
    OPTIONS options;
    std::string error;
    if (!OPTIONS_parse(4, argv, &options, &error)) {
        FUZZ_check(!error.empty(), "failure without a message");
        return 0;
    }
    FUZZ_check(options.pointerGiven && !options.pointer.empty(), "states lost");
    FUZZ_check(options.pointer.size() * 8 <= size + 1, "more states than the script holds");
    for (const HOST_SCRIPTED_POINTER& s : options.pointer)
        FUZZ_check(s.frame >= 1 && s.buttons >= 0 && s.buttons <= 7, "bad state kept");
    return 0;
}
