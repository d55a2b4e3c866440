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
        {"P4\n# x\n12 1\n\xA5\xF1", 16, {W, 0, W, 0, 0, W, 0, W, W, W, W, W, 0, 0, 0, W}},
    };
    for (const Case& c : cases) {
        IMG* image = IMG_fromPNM(support::bytesOf(c.data));
        ASSERT_NE(image, nullptr) << c.data;
        EXPECT_EQ(image->width, c.width) << c.data;
        EXPECT_EQ(Words(image->pixels, image->pixels + image->width * image->height), c.pixels) << c.data;
        IMG_free(&image);
    }
}

// One row per way to fail; sizes are capped at 2^24 pixels, allocated only once the input can fill them.
TEST(PnmMemory, BadInputFailsWithAnErrorAndTheLimitsHold)
{
    const std::string bits4096(4096 / 8 * 4096, '\x55');
    std::vector<std::pair<std::string, bool>> cases = {   // the bytes, and whether they are read
        // The header: cut short, bad type digits, a stray letter, a second magic, numbers first, maximum > 255.
        {"P5 1 1\n", false}, {"P7 1 1 255 \x01\x02\x03", false}, {"P0 1 1 255 \x01", false},
        {"P6\nx 1\n255\n\x01\x02\x03", false}, {"P5 1 1 P5 255 \x01", false}, {"2 1 P5 255 \x01\x02", false},
        {"P5 1 1 65535 \x01\x02", false},
        // Sizes: zero sides, the cap and one row past it, numbers and a product past 64 bits; a body far too short.
        {"P6\n0 1\n255\n\x01\x02\x03", false}, {"P5 1 0 255 ", false},
        {"P4 4096 4096\n" + bits4096, true}, {"P4 4096 4097\n" + bits4096 + std::string(512, '\x55'), false},
        {"P5 99999999999999999999 1 255 \x01", false},
        {"P5 4294967296 4294967296 255\n\x01", false}, {"P6 4096 4096 255\n\x01", false},
        // Bodies: a sample above 255, a sample missing; the shortest that fill.
        {"P3 1 1 255 1 2 256", false}, {"P2 2 1 255 1 x", false},
        {"P2 3 1 255\n1 2 3", true}, {"P3 2 1 255\n1 2 3 4 5 6", true}, {"P1 5 1\n01101", true},
    };
    // Every proper prefix of a good file is cut short somewhere.
    for (const std::string& good : {"P6\n# c\n2 1\n255\n\x01\x02\x03\xFF\x00\x80"s, "P3\n2 1\n255\n1 2 3 255 0 8"s,
                                   "P4 16 1\n\xFF\x01"s}) {
        for (std::size_t n = 0; n < good.size(); ++n) cases.emplace_back(good.substr(0, n), false);
        cases.emplace_back(good, true);
    }
    for (const auto& [bytes, good] : cases) {
        IMG* image = nullptr;
        EXPECT_EQ(printed([&] { image = IMG_fromPNM(support::bytesOf(bytes)); }), good ? "" : ERROR) << bytes.substr(0, 24);
        EXPECT_EQ(image != nullptr, good) << bytes.substr(0, 24);
        IMG_free(&image);
    }

    support::Picture image(4096, 4096);
    for (const auto& [w, h] : {std::pair{4097, 4096}, std::pair{4096, 4097}, std::pair{1 << 24, 2}})
        EXPECT_EQ(printed([&] { IMG_setSize(image.img, w, h); }), ERROR) << w << " x " << h;
    EXPECT_EQ(image.img->width, 4096);
}

TEST(PnmText, PrintFormRoundTripAndBadTexts)
{
    support::Picture image(2, 1);
    image.img->pixels[0] = 0x010203;
    image.img->pixels[1] = 0xFFFFFF;
    auto print = [&] {
        char* text = IMG_print(image.img);
        const std::string s = text;
        std::free(text);
        return s;
    };
    EXPECT_EQ(print(), "IMG{\nP3\n2 1\n255\n  1   2   3 255 255 255\n}\n");   // six pixels a line, no top byte:
    IMG_setSize(image.img, 7, 1);
    IMG_clear(image.img, 0xAB0A6400);
    std::string row;
    for (int i = 0; i < 6; ++i) row += i < 5 ? " 10 100   0 " : " 10 100   0\n";
    EXPECT_EQ(print(), "IMG{\nP3\n7 1\n255\n" + row + " 10 100   0\n}\n");
    IMG_setSize(image.img, 0, 3);
    EXPECT_EQ(print(), "IMG{}");

    IMG_setSize(image.img, 7, 3);
    for (int i = 0; i < 21; ++i) image.img->pixels[i] = 0x0F1E2Du * static_cast<std::uint32_t>(i) & 0xFFFFFFu;
    const std::string whole = print();
    IMG* back = IMG_parse(whole.c_str());
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(IMG_equal(image.img, back));
    IMG_free(&back);
    // Any shorter piece of the text is refused, never read past its end; so are
    // oversized sizes, a sample above 255, a missing sample and another type.
    std::vector<std::string> bad = {"IMG{\nP3\n4294967296 4294967296\n255\n1 2 3 }", "IMG{\nP3\n1 1\n255\n1 2 256",
                                    "IMG{\nP3\n1 1\n255\n1 2 x y", "IMG{ P2\n1 1\n255\n1"};
    const std::size_t lastNumber = whole.find_last_not_of("0123456789", whole.find_last_of("0123456789")) + 1;
    for (std::size_t n = 0; n < lastNumber; n += 3) bad.push_back(whole.substr(0, n));
    for (const std::string& t : bad) {
        EXPECT_EQ(printed([&] { back = IMG_parse(t.c_str()); }), ERROR) << t;
        EXPECT_EQ(back, nullptr) << t;
    }
    for (const auto& [t, pixel] : {std::pair{"junk IMG x { P3\n1 1\n255\n 7 8\n9 }", 0x070809u},
                                   std::pair{"IMG{\nP3\n2 1\n255\n1 2 3 4 5 6", 0x040506u}}) {
        back = IMG_parse(t);
        ASSERT_NE(back, nullptr) << t;
        EXPECT_EQ(back->pixels[back->width - 1], pixel) << t;
        IMG_free(&back);
    }

    EXPECT_EQ(IMG_findString("abcabc", "cab"), 5);   // the index just past the first match
    EXPECT_EQ(IMG_findString("abc", "abcd"), 0);
    EXPECT_EQ(printed([] { EXPECT_EQ(IMG_findString(nullptr, "a"), 0); }), ERROR);
}

// The file reader takes the byte after every header number and keeps a bit map's width as written.
TEST_F(PnmFile, NetpbmFilesReadBack)
{
    if (!have("pbmmake") || !have("pgmramp") || !have("ppmmake")) GTEST_SKIP() << "netpbm is not installed";
    ASSERT_TRUE(run("ppmmake rgb:12/34/56 5 3 > c.ppm && pgmramp -lr 256 2 > g.pgm && pbmmake -gray 12 3 > b.pbm"));
    struct Case {
        const char* name;
        std::int32_t width, height;
        std::function<std::uint32_t(int, int)> want;
    };
    const Case cases[] = {{"c.ppm", 5, 3, [](int, int) { return 0x123456u; }},
                          {"g.pgm", 256, 2, [](int x, int) { return 0x010101u * x; }},
                          {"b.pbm", 12, 3, [](int x, int y) { return (x + y) % 2 ? 0xFFFFFFu : 0u; }}};   // a set bit is white
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IMG* image = IMG_load(path(c.name).c_str());
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
    // Missing, a directory, cut short, and announced but missing data.
    scratch.write("cut.ppm", "P6\n2 2\n255\n\x01\x02\x03\x04");
    scratch.write("big.ppm", "P6\n4096 4096\n255\n\x01\x02\x03");
    fs::create_directories(path("dir"));
    for (const std::string name : {"missing.ppm", "dir", "cut.ppm", "big.ppm"}) {
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
