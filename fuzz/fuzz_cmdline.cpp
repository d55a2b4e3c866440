// The command line: the input split at its zero bytes is argv[1...]. The
// parser either takes it or fails with a message. Kept thin, so it
// follows the command-line entry point wherever that goes.
#include <algorithm>
#include <string>
#include <vector>

#include "FUZZ.h"
#include "driver/OPTIONS.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string all(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> words;
    for (std::size_t from = 0; from <= all.size();) {
        const std::size_t zero = std::min(all.find('\0', from), all.size());
        words.push_back(all.substr(from, zero - from));
        from = zero + 1;
    }
    std::vector<const char*> argv = {"qorn7316"};
    for (const std::string& w : words) argv.push_back(w.c_str());
    OPTIONS options;
    std::string error;
    if (!OPTIONS_parse(static_cast<int>(argv.size()), argv.data(), &options, &error)) {
        FUZZ_check(!error.empty(), "failure without a message");
    }
    return 0;
}
