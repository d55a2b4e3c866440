#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "raster/IMG.h"
#include "support/raster.h"
#include "support/support.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Words = std::vector<std::uint32_t>;

const std::string ERROR = "IMG error\n";

IMG* decode(const std::string& s) { return IMG_fromPNM(support::bytesOf(s)); }

Words pixelsOf(const IMG* image)
{
    return {image->pixels, image->pixels + static_cast<std::size_t>(image->width) * image->height};
}

std::string printed(const std::function<void()>& f) { return support::printed(IMG_debug, f); }

// A scratch directory per test, with the image tools of the system at hand.
class PnmFile : public testing::Test {
protected:
    support::Scratch scratch;
    std::string path(const std::string& name) const { return scratch.path(name); }
    // Runs a shell command in the scratch directory; false if it failed.
    bool run(const std::string& command) const
    {
        return std::system(("cd '" + scratch.dir() + "' && " + command + " 2>/dev/null").c_str()) == 0;
    }
    static bool have(const char* tool)
    {
        return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
    }
    std::vector<std::uint8_t> read(const std::string& name) const
    {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

}  // namespace

TEST(PnmMemory, EveryVariantMapsToColourWords)
{
    const std::uint32_t W = 0xFFFFFF;
    struct Case {
        std::string data;
        std::int32_t width;
        Words pixels;
    };
    const Case cases[] = {
        {"P6\n# made by hand\n2 1\n255\n\x01\x02\x03\xFF\x00\x80"s, 2, {0x010203, 0xFF0080}},
        {"P5 2 1 255\n\x10\xFF", 2, {0x101010, W}},
        {"P5\n2 1\n# between\n255\n\x10\xFF", 2, {0x101010, W}},   // a comment before the maximum
        {"P3\n2 1\n255\n1 2 3\n255 0\n128\n", 2, {0x010203, 0xFF0080}},
        {"P2 3 1 255 0 17 255", 3, {0, 0x111111, W}},
        // In memory a P1 pixel is one digit; digits may be packed.
        {"P1\n3 2\n101\n0 1 7", 3, {W, 0, W, 0, W, W}},
        // Width 12 rounds up to two bytes a row: 16 wide, the padding as pixels.
        {"P4\n# x\n12 2\n\xA5\xF0\x81\x0F", 16, {W, 0, W, 0, 0, W, 0, W, W, W, W, W, 0, 0, 0, 0,
                                                 W, 0, 0, 0, 0, 0, 0, W, 0, 0, 0, 0, W, W, W, W}},
    };
    for (const Case& c : cases) {
        IMG* image = decode(c.data);
        ASSERT_NE(image, nullptr) << c.data;
        EXPECT_EQ(image->width, c.width) << c.data;
        EXPECT_EQ(pixelsOf(image), c.pixels) << c.data;
        IMG_free(&image);
    }
}

// Sizes are capped at 2^24 pixels, and a picture is allocated only once the
// input is long enough to fill it; a header alone never costs its pixels.
TEST(PnmMemory, BadInputFailsWithAnErrorAndTheLimitsHold)
{
    const std::string bits4096(4096 / 8 * 4096, '\x55');
    struct Case {
        std::string bytes;
        std::string error;   // "" when the input is read
    };
    std::vector<Case> cases = {
        {"", ERROR}, {"P", ERROR}, {"P7\n1 1\n255\n\x01\x02\x03", ERROR}, {"P0 1 1 255 1", ERROR},
        {"P6\n0 1\n255\n\x01\x02\x03", ERROR}, {"P5 1 0 255 ", ERROR},
        {"P6\nx 1\n255\n\x01\x02\x03", ERROR},   // a stray letter in the header
        {"P5 1 1 P5 255 \x01", ERROR},           // a second magic
        {"2 1 P5 255 \x01\x02", ERROR},          // numbers before the magic
        {"P5 2147483648 1 255 \x01", ERROR}, {"P5 1 4294967296 255 \x01", ERROR},
        {"P5 99999999999999999999 1 255 \x01", ERROR}, {"P5 16385 16384 255 \x01", ERROR},
        {"P4 4294967295 1\n\x01", ERROR}, {"P5 1 1 65535 \x01\x02", ERROR}, {"P5 1 1\n", ERROR},
        {"P3 1 1 255 1 2 256", ERROR}, {"P2 2 1 255 1 x", ERROR},
        {"P4 4096 4096\n" + bits4096, ""},                                // the cap exactly
        {"P4 4104 4096\n" + bits4096 + std::string(4096, '\x55'), ERROR},   // one row byte wider
        {"P4 4096 4097\n" + bits4096 + std::string(512, '\x55'), ERROR},
        {"P1 4096 4096\n1", ERROR}, {"P2 4096 4096 255\n1", ERROR}, {"P3 4096 4096 255\n1", ERROR},
        {"P4 4096 4096\n\x01", ERROR}, {"P5 4096 4096 255\n\x01", ERROR}, {"P6 4096 4096 255\n\x01", ERROR},
        {"P5 2 2 255\n\x01\x02\x03", ERROR},                     // one byte short
        {"P5 4294967296 4294967296 255\n\x01", ERROR},           // a product beyond 64 bits
        {"P4 4294967296 4294967296\n\x01", ERROR},
        {"P2 3 1 255\n1 2 3", ""}, {"P3 2 1 255\n1 2 3 4 5 6", ""},   // the shortest bodies that fill
        {"P1 5 1\n01101", ""},
    };
    // Every proper prefix of a good file is cut short somewhere.
    for (const std::string& good : {"P6\n# c\n2 1\n255\n\x01\x02\x03\xFF\x00\x80"s, "P3\n2 1\n255\n1 2 3 255 0 8"s,
                                   "P4 16 1\n\xFF\x01"s}) {
        for (std::size_t n = 0; n < good.size(); ++n) cases.push_back({good.substr(0, n), ERROR});
        cases.push_back({good, ""});
    }
    for (const Case& c : cases) {
        const std::string label = c.bytes.substr(0, 24);
        IMG* image = nullptr;
        EXPECT_EQ(printed([&] { image = decode(c.bytes); }), c.error) << label;
        EXPECT_EQ(image != nullptr, c.error.empty()) << label;
        IMG_free(&image);
    }

    IMG* image = IMG_new();
    IMG_setSize(image, 4096, 4096);
    EXPECT_EQ(image->width, 4096);
    for (const auto& [w, h] : {std::pair{4097, 4096}, std::pair{4096, 4097}, std::pair{1 << 24, 2}})
        EXPECT_EQ(printed([&] { IMG_setSize(image, w, h); }), ERROR) << w << " x " << h;
    EXPECT_EQ(image->width, 4096);
    IMG_free(&image);
}

TEST(PnmText, PrintFormRoundTripAndBadTexts)
{
    IMG* image = IMG_new();
    IMG_setSize(image, 2, 1);
    image->pixels[0] = 0x010203;
    image->pixels[1] = 0xFFFFFF;
    char* text = IMG_print(image);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "IMG{\nP3\n2 1\n255\n  1   2   3 255 255 255\n}\n");
    std::free(text);

    // Six pixels a line; the top byte is not part of the form.
    IMG_setSize(image, 7, 1);
    IMG_clear(image, 0xAB0A6400);
    text = IMG_print(image);
    std::string row;
    for (int i = 0; i < 6; ++i) row += i < 5 ? " 10 100   0 " : " 10 100   0\n";
    EXPECT_EQ(std::string(text), "IMG{\nP3\n7 1\n255\n" + row + " 10 100   0\n}\n");
    std::free(text);

    IMG_setSize(image, 7, 3);
    for (int i = 0; i < 21; ++i) image->pixels[i] = 0x0F1E2Du * static_cast<std::uint32_t>(i) & 0xFFFFFFu;
    text = IMG_print(image);
    IMG* back = IMG_parse(text);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(IMG_equal(image, back));
    IMG_free(&back);
    // Any shorter piece of the text is refused, never read past its end.
    std::vector<std::string> bad = {
        "IMG{\nP3\n4096 4096\n255\n1 2 3 }", "IMG{\nP3\n4097 4096\n255\n1 2 3 }",
        "IMG{\nP3\n4294967296 4294967296\n255\n1 2 3 }", "IMG{\nP3\n2 1\n255\n1 2 3 4 5", "IMG{ P2\n1 1\n255\n1",
    };
    const std::string whole = text;
    const std::size_t lastNumber = whole.find_last_not_of("0123456789", whole.find_last_of("0123456789")) + 1;
    for (std::size_t n = 0; n < lastNumber; n += 3) bad.push_back(whole.substr(0, n));
    std::free(text);
    for (const std::string& t : bad) {
        EXPECT_EQ(printed([&] { back = IMG_parse(t.c_str()); }), ERROR) << t;
        EXPECT_EQ(back, nullptr) << t;
    }

    IMG_setSize(image, 0, 3);
    text = IMG_print(image);
    EXPECT_STREQ(text, "IMG{}");
    std::free(text);
    for (const auto& [t, pixel] : {std::pair{"junk IMG x { P3\n1 1\n255\n 7 8\n9 }", 0x070809u},
                                   std::pair{"IMG{\nP3\n2 1\n255\n1 2 3 4 5 6", 0x040506u}}) {
        back = IMG_parse(t);
        ASSERT_NE(back, nullptr) << t;
        EXPECT_EQ(back->pixels[back->width - 1], pixel) << t;
        IMG_free(&back);
    }
    IMG_free(&image);

    EXPECT_EQ(IMG_findString("abcabc", "bc"), 3);
    EXPECT_EQ(IMG_findString("abcabc", "cab"), 5);
    EXPECT_EQ(IMG_findString("abc", "abcd"), 0);
    EXPECT_EQ(printed([] { EXPECT_EQ(IMG_findString(nullptr, "a"), 0); }), ERROR);
}

TEST_F(PnmFile, NetpbmFilesReadBack)
{
    if (!have("pbmmake") || !have("pgmramp") || !have("ppmmake") || !have("pnmtoplainpnm"))
        GTEST_SKIP() << "netpbm is not installed";
    ASSERT_TRUE(run("ppmmake rgb:12/34/56 5 3 > c.ppm && pnmtoplainpnm c.ppm > c3.ppm"));
    ASSERT_TRUE(run("pgmramp -lr 256 2 > g.pgm && pnmtoplainpnm g.pgm > g2.pgm"));
    ASSERT_TRUE(run("pbmmake -gray 12 3 > b.pbm && pnmtoplainpnm b.pbm > b1.pbm"));
    // A bit in a row, 1 (set) is white; the file reader keeps the width 12,
    // the memory reader rounds a raw bit row up to 16 and the padding becomes
    // black pixels; the plain form has a packed digit a pixel.
    auto flat = [](int, int) { return 0x123456u; };
    auto grey = [](int x, int) { return 0x010101u * x; };
    auto bits = [](int x, int y) { return x < 12 && (x + y) % 2 ? 0xFFFFFFu : 0u; };
    struct Case {
        const char* name;
        bool memory;
        std::int32_t width, height;
        std::function<std::uint32_t(int, int)> want;
    };
    const Case cases[] = {
        {"c.ppm", false, 5, 3, flat}, {"c3.ppm", false, 5, 3, flat}, {"c3.ppm", true, 5, 3, flat},
        {"g.pgm", false, 256, 2, grey}, {"g2.pgm", false, 256, 2, grey},
        {"b.pbm", false, 12, 3, bits}, {"b1.pbm", false, 12, 3, bits},
        {"b.pbm", true, 16, 3, bits}, {"b1.pbm", true, 12, 3, bits},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.memory ? " in memory" : ""));
        IMG* image = c.memory ? IMG_fromPNM(read(c.name)) : IMG_load(path(c.name).c_str());
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->width, c.width);
        EXPECT_EQ(image->height, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) ASSERT_EQ(IMG_getPixel(image, x, y), c.want(x, y)) << x << "," << y;
        IMG_free(&image);
    }
}

TEST_F(PnmFile, SavedFilesAreReadByOtherTools)
{
    support::Picture frame(256, 256);
    for (int i = 0; i < 256 * 256; ++i) frame.img->pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFFu;
    ASSERT_TRUE(IMG_save(frame.img, path("f.ppm").c_str()));
    const std::vector<std::uint8_t> bytes = read("f.ppm");
    const std::string header = "P6\n256 256\n255\n";
    ASSERT_EQ(bytes.size(), header.size() + 196608u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + static_cast<long>(header.size())), header);

    std::vector<std::string> copies = {"f.ppm"};
    if (have("pnmfile") && have("pnmtoplainpnm")) {
        ASSERT_TRUE(run("pnmfile f.ppm > info.txt && pnmtoplainpnm f.ppm > plain.ppm"));
        const std::vector<std::uint8_t> info = read("info.txt");
        EXPECT_NE(std::string(info.begin(), info.end()).find("PPM raw, 256 by 256  maxval 255"), std::string::npos);
        copies.push_back("plain.ppm");
    }
    if (have("convert")) {
        ASSERT_TRUE(run("convert f.ppm -compress none im.ppm"));
        copies.push_back("im.ppm");
    }
    for (const std::string& name : copies) {
        IMG* back = IMG_load(path(name).c_str());
        ASSERT_NE(back, nullptr) << name;
        EXPECT_TRUE(IMG_equal(frame.img, back)) << name;
        IMG_free(&back);
    }
}

TEST_F(PnmFile, BadFilesAndFailedSaves)
{
    // Announced but missing data is refused before the pixels are made.
    const std::pair<const char*, std::string> files[] = {
        {"empty.ppm", ""}, {"one.ppm", "P"}, {"cut.ppm", "P6\n2 2\n255\n\x01\x02\x03\x04"},
        {"big.ppm", "P6\n4096 4096\n255\n\x01\x02\x03"}, {"huge.pgm", "P5 4294967296 4294967296 255\n\x01"},
        {"big-plain.pbm", "P1 4096 4096\n0 1"},
    };
    for (const auto& [name, content] : files) scratch.write(name, content);
    fs::create_directories(path("dir"));
    for (const std::string name : {"missing.ppm", "empty.ppm", "one.ppm", "cut.ppm", "dir", "big.ppm", "huge.pgm", "big-plain.pbm"}) {
        IMG* image = nullptr;
        EXPECT_EQ(printed([&] { image = IMG_load(path(name).c_str()); }), ERROR) << name;
        EXPECT_EQ(image, nullptr) << name;
    }
    EXPECT_EQ(printed([] { EXPECT_EQ(IMG_load(nullptr), nullptr); }), ERROR);
    scratch.write("comment.pgm", "P5\n# a\n1 1\n# b\n255\n\x07");
    IMG* grey = IMG_load(path("comment.pgm").c_str());
    ASSERT_NE(grey, nullptr);
    EXPECT_EQ(grey->pixels[0], 0x070707u);

    EXPECT_EQ(printed([&] { EXPECT_FALSE(IMG_save(grey, path("no/such/dir.ppm").c_str())); }), ERROR);
    EXPECT_EQ(printed([&] { EXPECT_FALSE(IMG_save(grey, nullptr)); }), ERROR);
    EXPECT_EQ(printed([&] { EXPECT_FALSE(IMG_save(nullptr, path("x.ppm").c_str())); }), ERROR);
    IMG_setSize(grey, 0, 4);
    EXPECT_EQ(printed([&] { EXPECT_FALSE(IMG_save(grey, path("x.ppm").c_str())); }), ERROR);
    EXPECT_FALSE(fs::exists(path("x.ppm")));
    IMG_free(&grey);
}
