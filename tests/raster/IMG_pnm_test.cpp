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

IMG* decode(const std::string& s) { return IMG_fromPNM(support::bytesOf(s)); }

std::vector<std::uint32_t> pixelsOf(const IMG* image)
{
    return {image->pixels, image->pixels + static_cast<std::size_t>(image->width) * image->height};
}

std::string printed(const std::function<void()>& f) { return support::printed(IMG_debug, f); }

// A scratch directory per test, with the image tools of the system at hand.
class PnmFile : public testing::Test {
protected:
    support::Scratch scratch;
    std::string path(const std::string& name) const { return scratch.path(name); }
    void write(const std::string& name, const std::string& content) const { scratch.write(name, content); }
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
    struct Case { std::string data; std::vector<std::uint32_t> pixels; };
    const Case cases[] = {
        {"P6\n# made by hand\n2 1\n255\n\x01\x02\x03\xFF\x00\x80"s, {0x010203, 0xFF0080}},
        {"P5 2 1 255\n\x10\xFF", {0x101010, 0xFFFFFF}},
        {"P5\n2 1\n# between\n255\n\x10\xFF", {0x101010, 0xFFFFFF}},   // a comment before the maximum
        {"P3\n2 1\n255\n1 2 3\n255 0\n128\n", {0x010203, 0xFF0080}},
        {"P2 3 1 255 0 17 255", {0, 0x111111, 0xFFFFFF}},
        // In memory a P1 pixel is one digit; digits may be packed.
        {"P1\n3 2\n101\n0 1 7", {0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF, 0xFFFFFF}},
    };
    for (const Case& c : cases) {
        IMG* image = decode(c.data);
        ASSERT_NE(image, nullptr) << c.data;
        EXPECT_EQ(pixelsOf(image), c.pixels) << c.data;
        IMG_free(&image);
    }
}

TEST(PnmMemory, P4WidthRoundsUpAndPaddingBecomesPixels)
{
    // Width 12: each row is two bytes and the image is 16 wide.
    IMG* image = decode("P4\n# x\n12 2\n\xA5\xF0\x81\x0F");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 16);
    EXPECT_EQ(image->height, 2);
    const std::uint32_t W = 0xFFFFFF;
    EXPECT_EQ(pixelsOf(image), (std::vector<std::uint32_t>{W, 0, W, 0, 0, W, 0, W, W, W, W, W, 0, 0, 0, 0,
                                                            W, 0, 0, 0, 0, 0, 0, W, 0, 0, 0, 0, W, W, W, W}));
    IMG_free(&image);
}

TEST(PnmMemory, BadInputFailsWithAnError)
{
    const std::string p6 = std::string("P6\n# c\n2 1\n255\n") + "\x01\x02\x03\xFF\x00\x80"s;
    const std::string p3 = "P3\n2 1\n255\n1 2 3 255 0 8";
    const std::string p4 = "P4 16 1\n\xFF\x01";
    std::vector<std::string> bad = {
        "", "P", "P7\n1 1\n255\n\x01\x02\x03", "P0 1 1 255 1", "P6\n0 1\n255\n\x01\x02\x03",
        "P5 1 0 255 ", "P6\nx 1\n255\n\x01\x02\x03",     // a stray letter in the header
        "P5 1 1 P5 255 \x01",                           // a second magic
        "2 1 P5 255 \x01\x02",                          // numbers before the magic
        "P5 2147483648 1 255 \x01", "P5 1 4294967296 255 \x01", "P5 99999999999999999999 1 255 \x01",
        "P5 16385 16384 255 \x01", "P4 4294967295 1\n\x01", "P5 1 1 65535 \x01\x02",
        "P5 1 1\n", "P3 1 1 255 1 2 256", "P2 2 1 255 1 x",
    };
    // Every proper prefix of a good file is cut short somewhere.
    for (const std::string* good : {&p6, &p3, &p4})
        for (std::size_t n = 0; n < good->size(); ++n) bad.push_back(good->substr(0, n));
    for (const std::string& s : bad) {
        IMG* image = nullptr;
        EXPECT_EQ(printed([&] { image = decode(s); }), "IMG error\n") << s;
        EXPECT_EQ(image, nullptr) << s;
    }
    IMG* whole = decode(p6);
    EXPECT_NE(whole, nullptr);
    IMG_free(&whole);
}

TEST(PnmText, PrintFormAndRoundTrip)
{
    IMG* pair = IMG_new();
    IMG_setSize(pair, 2, 1);
    pair->pixels[0] = 0x010203;
    pair->pixels[1] = 0xFFFFFF;
    char* text = IMG_print(pair);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "IMG{\nP3\n2 1\n255\n  1   2   3 255 255 255\n}\n");
    std::free(text);

    // Six pixels a line; the top byte is not part of the form.
    IMG* seven = IMG_new();
    IMG_setSize(seven, 7, 1);
    IMG_clear(seven, 0xAB0A6400);
    text = IMG_print(seven);
    std::string row;
    for (int i = 0; i < 6; ++i) row += i < 5 ? " 10 100   0 " : " 10 100   0\n";
    EXPECT_EQ(std::string(text), "IMG{\nP3\n7 1\n255\n" + row + " 10 100   0\n}\n");
    std::free(text);

    IMG* image = IMG_new();
    IMG_setSize(image, 7, 3);
    for (int i = 0; i < 21; ++i) image->pixels[i] = 0x0F1E2Du * static_cast<std::uint32_t>(i) & 0xFFFFFFu;
    text = IMG_print(image);
    IMG* back = IMG_parse(text);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(IMG_equal(image, back));
    // Any shorter piece of the text is refused, never read past its end.
    const std::string whole = text;
    const std::size_t lastNumber = whole.find_last_not_of("0123456789", whole.find_last_of("0123456789")) + 1;
    for (std::size_t n = 0; n < lastNumber; n += 3) {
        IMG* cut = nullptr;
        EXPECT_EQ(printed([&] { cut = IMG_parse(whole.substr(0, n).c_str()); }), "IMG error\n") << n;
        EXPECT_EQ(cut, nullptr);
    }
    std::free(text);

    IMG_setSize(image, 0, 3);
    text = IMG_print(image);
    EXPECT_STREQ(text, "IMG{}");
    std::free(text);
    IMG* mixed = IMG_parse("junk IMG x { P3\n1 1\n255\n 7 8\n9 }");
    ASSERT_NE(mixed, nullptr);
    EXPECT_EQ(mixed->pixels[0], 0x070809u);
    for (IMG* i : {pair, seven, image, back, mixed}) IMG_free(&i);
}

TEST(PnmText, FindString)
{
    EXPECT_EQ(IMG_findString("abcabc", "bc"), 3);
    EXPECT_EQ(IMG_findString("abcabc", "cab"), 5);
    EXPECT_EQ(IMG_findString("abc", "abcd"), 0);
    EXPECT_EQ(printed([] { EXPECT_EQ(IMG_findString(nullptr, "a"), 0); }), "IMG error\n");
    EXPECT_EQ(printed([] { EXPECT_EQ(IMG_parse("IMG{ P2\n1 1\n255\n1"), nullptr); }), "IMG error\n");
}

TEST_F(PnmFile, NetpbmFilesReadBack)
{
    if (!have("pbmmake") || !have("pgmramp") || !have("ppmmake") || !have("pnmtoplainpnm"))
        GTEST_SKIP() << "netpbm is not installed";
    ASSERT_TRUE(run("ppmmake rgb:12/34/56 5 3 > c.ppm && pnmtoplainpnm c.ppm > c3.ppm"));
    ASSERT_TRUE(run("pgmramp -lr 256 2 > g.pgm && pnmtoplainpnm g.pgm > g2.pgm"));
    ASSERT_TRUE(run("pbmmake -gray 12 3 > b.pbm && pnmtoplainpnm b.pbm > b1.pbm"));

    for (const char* name : {"c.ppm", "c3.ppm"}) {
        IMG* image = IMG_load(path(name).c_str());
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(image->width, 5);
        EXPECT_EQ(image->height, 3);
        EXPECT_EQ(pixelsOf(image), std::vector<std::uint32_t>(15, 0x123456u)) << name;
        IMG_free(&image);
    }
    for (const char* name : {"g.pgm", "g2.pgm"}) {
        IMG* image = IMG_load(path(name).c_str());
        ASSERT_NE(image, nullptr) << name;
        ASSERT_EQ(image->width, 256);
        for (int x = 0; x < 256; ++x) EXPECT_EQ(IMG_getPixel(image, x, 1), 0x010101u * x) << name;
        IMG_free(&image);
    }
    // A bit in a row, 1 (set) is white; the file reader keeps the width 12,
    // the memory reader rounds it to 16 and the padding becomes black pixels.
    for (const char* name : {"b.pbm", "b1.pbm"}) {
        IMG* image = IMG_load(path(name).c_str());
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(image->width, 12) << name;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 12; ++x)
                EXPECT_EQ(IMG_getPixel(image, x, y), (x + y) % 2 ? 0xFFFFFFu : 0u) << name << x << "," << y;
        IMG_free(&image);
    }
    IMG* memory = IMG_fromPNM(read("b.pbm"));
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(memory->width, 16);
    EXPECT_EQ(IMG_getPixel(memory, 11, 0), 0xFFFFFFu);
    EXPECT_EQ(IMG_getPixel(memory, 12, 1), 0u);
    IMG* plain = IMG_fromPNM(read("b1.pbm"));   // packed digits, one a pixel
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->width, 12);
    EXPECT_EQ(IMG_getPixel(plain, 1, 0), 0xFFFFFFu);
    EXPECT_EQ(IMG_getPixel(plain, 1, 1), 0u);
    IMG* colour = IMG_fromPNM(read("c3.ppm"));
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(IMG_getPixel(colour, 4, 2), 0x123456u);
    for (IMG* i : {memory, plain, colour}) IMG_free(&i);
}

TEST_F(PnmFile, SavedFilesAreReadByOtherTools)
{
    IMG* frame = IMG_new();
    IMG_setSize(frame, 256, 256);
    for (int i = 0; i < 256 * 256; ++i) frame->pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFFu;
    ASSERT_TRUE(IMG_save(frame, path("f.ppm").c_str()));
    const std::vector<std::uint8_t> bytes = read("f.ppm");
    const std::string header = "P6\n256 256\n255\n";
    ASSERT_EQ(bytes.size(), header.size() + 196608u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + static_cast<long>(header.size())), header);
    IMG* back = IMG_load(path("f.ppm").c_str());
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(IMG_equal(frame, back));
    IMG_free(&back);

    if (have("pnmfile") && have("pnmtoplainpnm")) {
        ASSERT_TRUE(run("pnmfile f.ppm > info.txt && pnmtoplainpnm f.ppm > plain.ppm"));
        const std::vector<std::uint8_t> info = read("info.txt");
        EXPECT_NE(std::string(info.begin(), info.end()).find("PPM raw, 256 by 256  maxval 255"), std::string::npos);
        back = IMG_load(path("plain.ppm").c_str());
        ASSERT_NE(back, nullptr);
        EXPECT_TRUE(IMG_equal(frame, back));
        IMG_free(&back);
    }
    if (have("convert")) {
        ASSERT_TRUE(run("convert f.ppm -compress none im.ppm"));
        back = IMG_load(path("im.ppm").c_str());
        ASSERT_NE(back, nullptr);
        EXPECT_TRUE(IMG_equal(frame, back));
        IMG_free(&back);
    }
    IMG_free(&frame);
}

TEST_F(PnmFile, BadFilesAndFailedSaves)
{
    write("empty.ppm", "");
    write("one.ppm", "P");
    write("cut.ppm", std::string("P6\n2 2\n255\n") + "\x01\x02\x03\x04");
    write("comment.pgm", "P5\n# a\n1 1\n# b\n255\n\x07");
    // Announced but missing data is refused before the pixels are made.
    write("big.ppm", "P6\n4096 4096\n255\n\x01\x02\x03");
    write("huge.pgm", "P5 4294967296 4294967296 255\n\x01");
    write("big-plain.pbm", "P1 4096 4096\n0 1");
    fs::create_directories(path("dir"));
    for (const std::string name : {"missing.ppm", "empty.ppm", "one.ppm", "cut.ppm", "dir", "big.ppm", "huge.pgm", "big-plain.pbm"}) {
        IMG* image = nullptr;
        EXPECT_EQ(printed([&] { image = IMG_load(path(name).c_str()); }), "IMG error\n") << name;
        EXPECT_EQ(image, nullptr) << name;
    }
    EXPECT_EQ(printed([] { EXPECT_EQ(IMG_load(nullptr), nullptr); }), "IMG error\n");
    IMG* grey = IMG_load(path("comment.pgm").c_str());
    ASSERT_NE(grey, nullptr);
    EXPECT_EQ(grey->pixels[0], 0x070707u);

    EXPECT_EQ(printed([&] { EXPECT_FALSE(IMG_save(grey, path("no/such/dir.ppm").c_str())); }), "IMG error\n");
    EXPECT_EQ(printed([&] { EXPECT_FALSE(IMG_save(grey, nullptr)); }), "IMG error\n");
    EXPECT_EQ(printed([&] { EXPECT_FALSE(IMG_save(nullptr, path("x.ppm").c_str())); }), "IMG error\n");
    IMG_setSize(grey, 0, 4);
    EXPECT_EQ(printed([&] { EXPECT_FALSE(IMG_save(grey, path("x.ppm").c_str())); }), "IMG error\n");
    EXPECT_FALSE(fs::exists(path("x.ppm")));
    IMG_free(&grey);
}

// Sizes are capped at 2^24 pixels, and a picture is allocated only once the
// input is long enough to fill it; a header alone never costs its pixels.
TEST(PnmLimits, SizeCapAndAnnouncedDataMustBePresent)
{
    const std::string bits4096(4096 / 8 * 4096, '\x55');
    struct Case { std::string data; std::int32_t width; };   // width 0: refused
    const Case cases[] = {
        {"P4 4096 4096\n" + bits4096, 4096},                        // the cap exactly
        {"P4 4104 4096\n" + bits4096 + std::string(4096, '\x55'), 0},   // one row byte wider
        {"P4 4096 4097\n" + bits4096 + std::string(512, '\x55'), 0},
        {"P1 4096 4096\n1", 0}, {"P2 4096 4096 255\n1", 0}, {"P3 4096 4096 255\n1", 0},
        {"P4 4096 4096\n\x01", 0}, {"P5 4096 4096 255\n\x01", 0}, {"P6 4096 4096 255\n\x01", 0},
        {"P5 2 2 255\n\x01\x02\x03", 0},                            // one byte short
        {"P5 4294967296 4294967296 255\n\x01", 0},                  // a product beyond 64 bits
        {"P4 4294967296 4294967296\n\x01", 0},
        {"P2 3 1 255\n1 2 3", 3}, {"P3 2 1 255\n1 2 3 4 5 6", 2},   // the shortest bodies that fill
        {"P1 5 1\n01101", 5},
    };
    for (const Case& c : cases) {
        IMG* image = nullptr;
        const std::string errors = printed([&] { image = decode(c.data); });
        if (c.width == 0) {
            EXPECT_EQ(errors, "IMG error\n") << c.data.substr(0, 24);
            EXPECT_EQ(image, nullptr) << c.data.substr(0, 24);
        } else {
            ASSERT_NE(image, nullptr) << c.data.substr(0, 24);
            EXPECT_EQ(image->width, c.width);
            EXPECT_EQ(errors, "");
        }
        IMG_free(&image);
    }
    const std::string texts[] = {
        "IMG{\nP3\n4096 4096\n255\n1 2 3 }", "IMG{\nP3\n4097 4096\n255\n1 2 3 }",
        "IMG{\nP3\n4294967296 4294967296\n255\n1 2 3 }", "IMG{\nP3\n2 1\n255\n1 2 3 4 5",
    };
    for (const std::string& t : texts) {
        IMG* image = nullptr;
        EXPECT_EQ(printed([&] { image = IMG_parse(t.c_str()); }), "IMG error\n") << t;
        EXPECT_EQ(image, nullptr) << t;
    }
    IMG* shortest = IMG_parse("IMG{\nP3\n2 1\n255\n1 2 3 4 5 6");
    ASSERT_NE(shortest, nullptr);
    EXPECT_EQ(shortest->pixels[1], 0x040506u);
    IMG_free(&shortest);

    IMG* image = IMG_new();
    IMG_setSize(image, 4096, 4096);
    EXPECT_EQ(image->width, 4096);
    for (const auto& [w, h] : {std::pair{4097, 4096}, std::pair{4096, 4097}, std::pair{1 << 24, 2}})
        EXPECT_EQ(printed([&] { IMG_setSize(image, w, h); }), "IMG error\n") << w << " x " << h;
    EXPECT_EQ(image->width, 4096);
    IMG_free(&image);
}
