// Inputs the fuzz targets once failed on (tests/data/bad/TARGET/) through the same readers in every
// build: refused cleanly or read at a sane size. A new TARGET folder needs its reader in the table.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "effects/BYTEMAP.h"
#include "raster/IMG.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// An image or byte map read from bad input is at least one wide and within the reader's cap.
template <typename T, typename Free>
void check(T* read, std::int64_t most, Free free)
{
    if (read == nullptr) return;
    EXPECT_GT(read->width, 0);
    EXPECT_LE(static_cast<std::int64_t>(read->width) * read->height, most);
    free(&read);
}

const std::map<std::string, std::function<void(const Bytes&)>> readers = {
    {"img_pnm", [](const Bytes& b) { check(IMG_fromPNM(b), IMG_MAX_PIXELS, IMG_free); }},
    {"img_text", [](const Bytes& b) { check(IMG_parse(std::string(b.begin(), b.end()).c_str()), IMG_MAX_PIXELS, IMG_free); }},
    {"bytemap_pnm", [](const Bytes& b) { check(BYTEMAP_fromPNM(b), BYTEMAP_MAX_CELLS, BYTEMAP_free); }},
    {"bytemap_text", [](const Bytes& b) {
         check(BYTEMAP_parse(std::string_view(reinterpret_cast<const char*>(b.data()), b.size())), BYTEMAP_MAX_CELLS, BYTEMAP_free);
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
}
