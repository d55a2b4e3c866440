#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "audio/SAM.h"
#include "support/support.h"

// The WAVE files under tests/data/audio hold raw data of known values in 16-
// and 24-bit plain PCM; s24-mono-extensible.wav uses the extensible format
// tag instead, which is not plain PCM.

namespace {

namespace fs = std::filesystem;

const fs::path scratchDir = fs::temp_directory_path() / ("qorn-sam-" + std::to_string(::getpid()));

// Removes the scratch files when the test program ends.
struct ScratchCleanup {
    ~ScratchCleanup() { std::error_code e; fs::remove_all(scratchDir, e); }
} cleanup;

fs::path scratch(const std::string& name)
{
    fs::create_directories(scratchDir);
    return scratchDir / name;
}

void writeBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

std::string readText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Loads a file into a fresh record; null when the load fails.
SAM* load(const fs::path& path, std::int32_t depth = 0, std::uint8_t sign = 0, std::uint8_t endian = 0)
{
    SAM* sam = SAM_new();
    SAM_setFileName(sam, path.c_str());
    sam->depth = depth;
    sam->sign = sign;
    sam->endian = endian;
    if (!SAM_load(sam)) SAM_free(&sam);
    return sam;
}

std::vector<std::int32_t> valuesOf(const SAM* sam)
{
    return std::vector<std::int32_t>(sam->sample->values, sam->sample->values + sam->sample->count);
}

// A canonical 16-bit mono header followed by two values.
std::vector<std::uint8_t> wave()
{
    std::vector<std::uint8_t> w = {'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                   16, 0, 0, 0, 1, 0, 1, 0, 0x44, 0xAC, 0, 0, 0x88, 0x58, 1, 0,
                                   2, 0, 16, 0, 'd', 'a', 't', 'a', 4, 0, 0, 0, 0x34, 0x12, 0xFF, 0xFF};
    return w;
}

}  // namespace

TEST(SamRiff, ReadsSoxFiles)
{
    const fs::path data = fs::path(QORN_TEST_DATA) / "audio";
    SAM* sam = load(data / "u8-mono.wav");
    ASSERT_NE(sam, nullptr);
    EXPECT_EQ(sam->channels, 1);
    EXPECT_EQ(sam->depth, 8);
    EXPECT_EQ(sam->sign, 'u');
    ASSERT_EQ(sam->sample->count, 256);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(sam->sample->values[i], i);   // not centred
    SAM_free(&sam);

    sam = load(data / "u8-stereo.wav");
    ASSERT_NE(sam, nullptr);
    EXPECT_EQ(sam->channels, 2);
    ASSERT_EQ(sam->sample->count, 128);
    for (int i = 0; i < 64; ++i) {
        ASSERT_EQ(sam->sample->values[2 * i], 4 * i);
        ASSERT_EQ(sam->sample->values[2 * i + 1], 255 - 4 * i);
    }
    SAM_free(&sam);

    sam = load(data / "s16-mono.wav");
    ASSERT_NE(sam, nullptr);
    EXPECT_EQ(sam->depth, 16);
    EXPECT_EQ(sam->sign, 's');
    EXPECT_EQ(sam->endian, 'l');
    ASSERT_EQ(sam->sample->count, 256);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(sam->sample->values[i], i * 257 - 32768);
    SAM_free(&sam);

    sam = load(data / "s16-stereo.wav");
    ASSERT_NE(sam, nullptr);
    ASSERT_EQ(sam->sample->count, 512);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(sam->sample->values[2 * i], i * 100 - 12800);
        ASSERT_EQ(sam->sample->values[2 * i + 1], 12799 - i * 100);
    }
    SAM_free(&sam);

    sam = load(data / "s24-mono.wav");
    ASSERT_NE(sam, nullptr);
    EXPECT_EQ(sam->depth, 24);
    ASSERT_EQ(sam->sample->count, 256);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(sam->sample->values[i], i * 65793 - 8388608);
    SAM_free(&sam);

    EXPECT_EQ(load(data / "s24-mono-extensible.wav", 16, 's'), nullptr);
}

TEST(SamRiff, BadFilesFailWithTheError)
{
    std::vector<std::vector<std::uint8_t>> bad;
    auto w = wave();
    w[40] = 6;   // data size beyond the file
    bad.push_back(w);
    w = wave();
    w.resize(30);   // truncated header
    bad.push_back(w);
    w = wave();
    w[20] = 3;   // floating point
    bad.push_back(w);
    w = wave();
    w[22] = 0;   // no channels
    bad.push_back(w);
    for (const std::uint8_t depth : {0, 7, 64}) {
        w = wave();
        w[34] = depth;
        bad.push_back(w);
    }
    bad.push_back({'R', 'I', 'F'});
    int n = 0;
    for (const auto& bytes : bad) {
        const fs::path path = scratch("bad" + std::to_string(n++) + ".wav");
        writeBytes(path, bytes);
        EXPECT_EQ(support::printed(SAM_debug, [&] { EXPECT_EQ(load(path), nullptr) << n; }), "SAM error.\n") << n;
    }
    const fs::path good = scratch("good.wav");
    writeBytes(good, wave());
    SAM* sam = load(good);
    ASSERT_NE(sam, nullptr);
    EXPECT_EQ(valuesOf(sam), (std::vector<std::int32_t>{0x1234, -1}));
    SAM_free(&sam);
    EXPECT_EQ(load(scratch("missing.wav")), nullptr);
}

TEST(SamForms, AsciiAndBinarySaveAndReadBack)
{
    SAM* sam = SAM_new();
    SAMPLE* s = SAMPLE_new();
    SAMPLE_append(s, 1);
    SAMPLE_append(s, -2);
    SAM_setSample(sam, s);
    sam->storage = 'a';
    const fs::path text = scratch("ones.sam");
    SAM_setFileName(sam, text.c_str());
    ASSERT_TRUE(SAM_save(sam));
    EXPECT_EQ(readText(text), "SAM\nASCII\nsigned\nbits 16\nlittle endian\nchanels 1\n2\n1\n-2\n");
    SAMPLE_append(s, 70000);   // binary keeps the low 16 bits
    sam->storage = 'B';
    const fs::path binary = scratch("ones.bin");
    SAM_setFileName(sam, binary.c_str());
    ASSERT_TRUE(SAM_save(sam));
    EXPECT_EQ(readText(binary), std::string("SAM\nbinary\nsigned\nbits 16\nlittle endian\nchanels 1\n3\n"
                                            "\x01\x00\xFE\xFF\x70\x11", 58));
    sam->storage = 'x';
    EXPECT_FALSE(SAM_save(sam));
    EXPECT_EQ(readText(binary), "SAM\nsigned\nbits 16\nlittle endian\nchanels 1\n3\n");
    SAM_free(&sam);

    sam = load(text);
    ASSERT_NE(sam, nullptr);
    EXPECT_EQ(sam->storage, 'a');
    EXPECT_EQ(valuesOf(sam), (std::vector<std::int32_t>{1, -2}));
    SAM_free(&sam);
    sam = load(scratch("ones.bin"));
    EXPECT_EQ(sam, nullptr);   // the failed save left no storage line
}

TEST(SamForms, WidthAndBareFormsReadBack)
{
    SAM* sam = SAM_new();
    SAMPLE* s = SAMPLE_new();
    for (const std::int32_t v : {-3, 100, -128}) SAMPLE_append(s, v);
    SAM_setSample(sam, s);
    const fs::path bare = scratch("tune.WAV");
    SAM_setFileName(sam, bare.c_str());
    ASSERT_TRUE(SAM_save(sam));
    EXPECT_EQ(readText(bare), std::string("8\n\xFD\x64\x80"));
    SAMPLE_append(s, 300);
    const fs::path raw = scratch("tune.raw");
    SAM_setFileName(sam, raw.c_str());
    ASSERT_TRUE(SAM_save(sam));
    EXPECT_EQ(readText(raw), std::string("SAM\nbinary\n4\n16\n\xFF\xFD\x00\x64\xFF\x80\x01\x2C", 24));
    SAMPLE_append(s, 40000);   // too wide for the bare form
    SAM_setFileName(sam, bare.c_str());
    EXPECT_FALSE(SAM_save(sam));
    EXPECT_EQ(fs::file_size(bare), 0u);
    SAM_setFileName(sam, raw.c_str());
    ASSERT_TRUE(SAM_save(sam));
    SAM_free(&sam);

    sam = load(raw);
    ASSERT_NE(sam, nullptr);
    EXPECT_EQ(sam->depth, 24);
    EXPECT_EQ(sam->endian, 'm');
    EXPECT_EQ(valuesOf(sam), (std::vector<std::int32_t>{-3, 100, -128, 300, 40000}));
    SAM_free(&sam);

    // The bare form has no header a reader recognises: it comes back as
    // headerless data, its width line included.
    const fs::path small = scratch("small.wav");
    writeBytes(small, {'8', '\n', 0xFD, 0x64});
    sam = load(small, 8, 's', 'm');
    ASSERT_NE(sam, nullptr);
    EXPECT_EQ(valuesOf(sam), (std::vector<std::int32_t>{56, 10, -3, 100}));
    SAM_free(&sam);
    sam = load(small, 16, 'u', 'l');
    ASSERT_NE(sam, nullptr);
    EXPECT_EQ(valuesOf(sam), (std::vector<std::int32_t>{0x0A38, 0x64FD}));
    SAM_free(&sam);
    EXPECT_EQ(load(small), nullptr);   // no depth: nothing can read it
}
