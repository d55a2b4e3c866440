// Inputs the fuzz targets once failed on, in tests/data/bad/TARGET/, go
// through the same reader here in every build: each is refused cleanly or
// read into something of a sane size, and nothing crashes or leaks.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "audio/SAM.h"
#include "audio/SAMPLE.h"
#include "driver/OPTIONS.h"
#include "effects/BYTEMAP.h"
#include "foundation/LIST.h"
#include "platform/PLAYER.h"
#include "raster/IMG.h"
#include "vector/OBJ2D.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::string scratch(const char* ending)
{
    return (fs::temp_directory_path() / ("qorn-bad-" + std::to_string(::getpid()) + ending)).string();
}

std::string written(const Bytes& b, const char* ending)
{
    const std::string path = scratch(ending);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return path;
}

// An image or byte map read from bad input is at least one wide and within the reader's cap.
template <typename T, typename Free>
void check(T* read, std::int64_t most, Free free)
{
    if (read == nullptr) return;
    EXPECT_GT(read->width, 0);
    EXPECT_LE(static_cast<std::int64_t>(read->width) * read->height, most);
    free(&read);
}

void checkImage(IMG* image) { check(image, IMG_MAX_PIXELS, IMG_free); }
void checkMap(BYTEMAP* map) { check(map, BYTEMAP_MAX_CELLS, BYTEMAP_free); }

void parseArgs(const std::vector<std::string>& words)
{
    std::vector<const char*> argv = {"qorn7316"};
    for (const std::string& w : words) argv.push_back(w.c_str());
    OPTIONS options;
    std::string error;
    OPTIONS_parse(static_cast<int>(argv.size()), argv.data(), &options, &error);
}

std::string text(const Bytes& b) { return std::string(b.begin(), b.end()); }

// Every fuzz target's reader, as the target calls it.
const std::map<std::string, std::function<void(const Bytes&)>> readers = {
    {"img_pnm", [](const Bytes& b) { checkImage(IMG_fromPNM(b)); }},
    {"img_load", [](const Bytes& b) { checkImage(IMG_load(written(b, ".pnm").c_str())); }},
    {"img_text", [](const Bytes& b) { checkImage(IMG_parse(text(b).c_str())); }},
    {"bytemap_pnm", [](const Bytes& b) { checkMap(BYTEMAP_fromPNM(b)); }},
    {"bytemap_load", [](const Bytes& b) { checkMap(BYTEMAP_load(written(b, ".pnm").c_str())); }},
    {"bytemap_text", [](const Bytes& b) { checkMap(BYTEMAP_parse(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()))); }},
    {"obj2d", [](const Bytes& b) {
         LIST* list = OBJ2D_parse(std::span<const std::uint8_t>(b));
         ASSERT_NE(list, nullptr);
         for (std::int32_t i = 0; i < list->count; ++i) {
             OBJ2D* o = static_cast<OBJ2D*>(list->items[i]);
             if (o != nullptr) OBJ2D_free(&o);
         }
         LIST_free(&list);
     }},
    {"sample_text", [](const Bytes& b) {
         SAMPLE* s = SAMPLE_parse(text(b).c_str());
         if (s != nullptr) SAMPLE_free(&s);
     }},
    {"sam_load", [](const Bytes& b) {   // the first byte picks the file's ending, depth, sign and byte order
         if (b.empty()) return;
         static const char* const endings[] = {".sam", ".wav", ".raw", ".dat"};
         SAM* sam = SAM_new();
         SAM_setFileName(sam, written(Bytes(b.begin() + 1, b.end()), endings[b[0] & 3]).c_str());
         sam->depth = 8 * (((b[0] >> 2) & 3) + 1);   // 8, 16, 24 or 32
         sam->sign = (b[0] & 16) != 0 ? 's' : 'u';
         sam->endian = (b[0] & 32) != 0 ? 'm' : 'l';
         if (SAM_load(sam)) { EXPECT_LE(static_cast<std::size_t>(sam->sample->count), b.size()); }
         SAM_free(&sam);
     }},
    {"wave", [](const Bytes& b) {
         std::vector<std::int16_t> out;
         if (PLAYER_decode(b, out)) { EXPECT_LE(out.size(), b.size() * 6 + 1); }
     }},
    {"keys", [](const Bytes& b) { parseArgs({"--headless", "--keys", text(b)}); }},
    {"pointer", [](const Bytes& b) { parseArgs({"--headless", "--pointer", text(b)}); }},
    {"cmdline", [](const Bytes& b) {
         std::vector<std::string> words(1);
         for (const std::uint8_t c : b) {
             if (c == 0) words.emplace_back();
             else words.back() += static_cast<char>(c);
         }
         parseArgs(words);
     }},
};

}  // namespace

TEST(FuzzFindings, EveryBadInputIsReadSafely)
{
    const fs::path root = fs::path(QORN_TEST_DATA) / "bad";
    ASSERT_TRUE(fs::is_directory(root));
    int files = 0;
    for (const auto& folder : fs::directory_iterator(root)) {
        if (!folder.is_directory()) continue;
        const auto reader = readers.find(folder.path().filename().string());
        ASSERT_NE(reader, readers.end()) << "no reader for " << folder.path();
        for (const auto& file : fs::directory_iterator(folder.path())) {
            std::ifstream in(file.path(), std::ios::binary);
            SCOPED_TRACE(file.path().string());
            reader->second(Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
            ++files;
        }
    }
    EXPECT_GT(files, 0);
    for (const char* ending : {".pnm", ".sam", ".wav", ".raw", ".dat"}) fs::remove(scratch(ending));
}
