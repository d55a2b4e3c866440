#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/SAM.h"
#include "support/raster.h"
#include "support/support.h"

// The WAVE files under tests/data/audio hold raw data of known values in 16-
// and 24-bit plain PCM; s24-mono-extensible.wav uses the extensible format
// tag instead, which is not plain PCM.

namespace {

using Values = std::vector<std::int32_t>;

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Loads a file into a fresh record; null when the load fails.
SAM* load(const std::string& path, std::int32_t depth = 0, std::uint8_t sign = 0, std::uint8_t endian = 0)
{
    SAM* sam = SAM_new();
    SAM_setFileName(sam, path.c_str());
    sam->depth = depth;
    sam->sign = sign;
    sam->endian = endian;
    if (!SAM_load(sam)) SAM_free(&sam);
    return sam;
}

Values valuesOf(const SAM* sam) { return Values(sam->sample->values, sam->sample->values + sam->sample->count); }

// A canonical 16-bit mono header followed by two values.
std::string wave()
{
    const std::uint8_t w[] = {'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                              16, 0, 0, 0, 1, 0, 1, 0, 0x44, 0xAC, 0, 0, 0x88, 0x58, 1, 0,
                              2, 0, 16, 0, 'd', 'a', 't', 'a', 4, 0, 0, 0, 0x34, 0x12, 0xFF, 0xFF};
    return std::string(std::begin(w), std::end(w));
}

}  // namespace

TEST(SamRiff, ReadsTheDataFiles)
{
    struct Row { const char* file; std::int32_t channels, depth; std::uint8_t sign; std::int32_t count, (*value)(std::int32_t); };
    const Row rows[] = {
        {"u8-mono.wav", 1, 8, 'u', 256, [](std::int32_t i) { return i; }},   // not centred
        {"u8-stereo.wav", 2, 8, 'u', 128, [](std::int32_t i) { return i % 2 ? 255 - 2 * (i - 1) : 2 * i; }},
        {"s16-mono.wav", 1, 16, 's', 256, [](std::int32_t i) { return i * 257 - 32768; }},
        {"s16-stereo.wav", 2, 16, 's', 512, [](std::int32_t i) { return i % 2 ? 12799 - (i / 2) * 100 : (i / 2) * 100 - 12800; }},
        {"s24-mono.wav", 1, 24, 's', 256, [](std::int32_t i) { return i * 65793 - 8388608; }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        SAM* sam = load(std::string(QORN_TEST_DATA) + "/audio/" + r.file);
        ASSERT_NE(sam, nullptr);
        EXPECT_EQ(sam->channels, r.channels);
        EXPECT_EQ(sam->depth, r.depth);
        EXPECT_EQ(sam->sign, r.sign);
        EXPECT_EQ(sam->endian, 'l');
        ASSERT_EQ(sam->sample->count, r.count);
        for (std::int32_t i = 0; i < r.count; ++i) ASSERT_EQ(sam->sample->values[i], r.value(i)) << i;
        SAM_free(&sam);
    }
    EXPECT_EQ(load(std::string(QORN_TEST_DATA) + "/audio/s24-mono-extensible.wav", 16, 's'), nullptr);
}

TEST(SamRiff, BadFilesFailWithTheErrorAndHeaderlessData)
{
    support::Scratch scratch;
    struct Row { const char* what; std::size_t at; std::uint8_t value; std::size_t keep; };   // at: the byte changed, or npos
    const std::size_t none = std::string::npos;
    const Row rows[] = {
        {"data size beyond the file", 40, 6, 48},
        {"truncated header", none, 0, 30},
        {"floating point", 20, 3, 48},
        {"no channels", 22, 0, 48},
        {"depth 7", 34, 7, 48},
        {"depth 64", 34, 64, 48},
    };
    for (const Row& r : rows) {
        std::string bytes = wave().substr(0, r.keep);
        if (r.at != none) bytes[r.at] = static_cast<char>(r.value);
        const std::string path = scratch.write("bad.wav", bytes);
        EXPECT_EQ(support::printed(SAM_debug, [&] { EXPECT_EQ(load(path), nullptr) << r.what; }), "SAM error.\n") << r.what;
    }
    SAM* sam = load(scratch.write("good.wav", wave()));
    ASSERT_NE(sam, nullptr);
    EXPECT_EQ(valuesOf(sam), (Values{0x1234, -1}));
    SAM_free(&sam);
    EXPECT_EQ(load(scratch.path("missing.wav")), nullptr);

    // The bare form has no header a reader recognises: it comes back as
    // headerless data, its width line included, read as the record says.
    const std::string small = scratch.write("small.wav", "8\n\xFD\x64");
    sam = load(small, 8, 's', 'm');
    ASSERT_NE(sam, nullptr);
    EXPECT_EQ(valuesOf(sam), (Values{56, 10, -3, 100}));
    SAM_free(&sam);
    sam = load(small, 16, 'u', 'l');
    ASSERT_NE(sam, nullptr);
    EXPECT_EQ(valuesOf(sam), (Values{0x0A38, 0x64FD}));
    SAM_free(&sam);
    EXPECT_EQ(load(small), nullptr);   // no depth: nothing can read it
}

// Each row saves values under a name (the ending picks the form unless a
// storage is given) and, when the save succeeds, reads the file back.
TEST(SamForms, SaveEachFormAndReadBack)
{
    support::Scratch scratch;
    // depth: when read back; 0: the file does not read back.
    struct Row { const char* name; std::uint8_t storage; Values values; bool saved; std::string bytes; std::int32_t depth; };
    const Row rows[] = {
        {"ones.sam", 'a', {1, -2}, true, "SAM\nASCII\nsigned\nbits 16\nlittle endian\nchanels 1\n2\n1\n-2\n", 16},
        // Binary keeps the low 16 bits.
        {"ones.bin", 'B', {1, -2, 70000}, true,
         std::string("SAM\nbinary\nsigned\nbits 16\nlittle endian\nchanels 1\n3\n\x01\x00\xFE\xFF\x70\x11", 58), 16},
        // An unknown storage fails after the header, which then has no storage line and does not read back.
        {"ones.bin", 'x', {1, -2, 70000}, false, "SAM\nsigned\nbits 16\nlittle endian\nchanels 1\n3\n", 0},
        {"tune.WAV", 0, {-3, 100, -128}, true, "8\n\xFD\x64\x80", 0},
        {"tune.WAV", 0, {-3, 100, -128, 300, 40000}, false, "", 0},   // too wide for the bare form
        {"tune.raw", 0, {-3, 100, -128, 300}, true, std::string("SAM\nbinary\n4\n16\n\xFF\xFD\x00\x64\xFF\x80\x01\x2C", 24), 16},
        {"tune.raw", 0, {-3, 100, -128, 300, 40000}, true,
         std::string("SAM\nbinary\n5\n24\n\xFF\xFF\xFD\x00\x00\x64\xFF\xFF\x80\x00\x01\x2C\x00\x9C\x40", 31), 24},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.name) + " " + std::to_string(r.values.size()));
        SAM* sam = SAM_new();
        SAMPLE* s = SAMPLE_new();
        for (const std::int32_t v : r.values) SAMPLE_append(s, v);
        SAM_setSample(sam, s);
        sam->storage = r.storage;
        const std::string path = scratch.path(r.name);
        SAM_setFileName(sam, path.c_str());
        EXPECT_EQ(SAM_save(sam), r.saved);
        SAM_free(&sam);
        EXPECT_EQ(readText(path), r.bytes);
        sam = load(path);
        ASSERT_EQ(sam != nullptr, r.depth != 0);
        if (sam == nullptr) continue;
        EXPECT_EQ(sam->depth, r.depth);
        Values back;   // the low bits the depth holds
        for (const std::int32_t v : r.values) back.push_back(r.depth == 16 ? static_cast<std::int16_t>(v) : v);
        EXPECT_EQ(valuesOf(sam), back);
        SAM_free(&sam);
    }
}
