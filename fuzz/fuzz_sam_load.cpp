// The sample file loader (RIFF/WAVE, the SAM forms, headerless data) through
// a scratch file. The first byte picks the file name's ending and the record's
// depth, sign and byte order for headerless data; the rest is the file. What
// it reads, saved in the form with a width line and loaded again, is the same.
#include <climits>

#include "FUZZ.h"
#include "audio/SAM.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    static const char* const endings[] = {".sam", ".wav", ".raw", ".dat"};
    static const std::int32_t depths[] = {8, 16, 24, 32};
    const std::uint8_t pick = data[0];
    const std::string path = FUZZ_scratchPath(endings[pick & 3]);
    static const std::string again = FUZZ_scratchPath("-again.raw");
    FUZZ_writeScratch(path, data + 1, size - 1);
    SAM* sam = SAM_new();
    SAM_setFileName(sam, path.c_str());
    sam->depth = depths[(pick >> 2) & 3];
    sam->sign = (pick & 16) != 0 ? 's' : 'u';
    sam->endian = (pick & 32) != 0 ? 'm' : 'l';
    if (SAM_load(sam)) {
        const SAMPLE* sample = sam->sample;
        FUZZ_check(sample != nullptr && sample->count >= 0 && static_cast<std::size_t>(sample->count) <= size,
                   "more values than the file holds");
        // The width-line form keeps every value but the one without a positive twin.
        if (sample->count > 0 && SAMPLE_min(sample) != INT32_MIN) {
            SAM* copy = SAM_new();
            SAM_setFileName(copy, again.c_str());
            SAM_setSample(copy, sam->sample);
            FUZZ_check(SAM_save(copy), "save failed");
            SAM_setSample(copy, nullptr);
            FUZZ_check(SAM_load(copy) && SAMPLE_equal(copy->sample, sam->sample), "saved file does not load back");
            SAM_free(&copy);
        }
    }
    SAM_free(&sam);
    return 0;
}
