// The --keys script parser, reached through the command line as the program
// reads it. Every entry kept has a frame from 1 and a known key.
#include <string>

#include "FUZZ.h"
#include "driver/OPTIONS.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string script(reinterpret_cast<const char*>(data), size);
    const char* argv[] = {"qorn7316", "--headless", "--keys", script.c_str()};
    OPTIONS options;
    std::string error;
    if (!OPTIONS_parse(4, argv, &options, &error)) {
        FUZZ_check(!error.empty(), "failure without a message");
        return 0;
    }
    FUZZ_check(options.keysGiven && !options.keys.empty(), "keys lost");
    FUZZ_check(options.keys.size() * 4 <= size + 1, "more entries than the script holds");
    for (const HOST_SCRIPTED_KEY& k : options.keys) FUZZ_check(k.frame >= 1 && k.key != 0, "bad entry kept");
    return 0;
}
