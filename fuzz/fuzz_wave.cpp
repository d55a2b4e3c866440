// The player's in-memory WAVE decoder. What it makes is bounded by the data:
// at most 5.5 values (8000 Hz upwards) per byte, plus rounding.
#include <vector>

#include "FUZZ.h"
#include "platform/PLAYER.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::int16_t> out;
    if (!PLAYER_decode({data, size}, out)) {
        FUZZ_check(out.empty(), "values left after a failure");
        return 0;
    }
    FUZZ_check(out.size() <= size * 6 + 1, "more values than the data can make");
    return 0;
}
