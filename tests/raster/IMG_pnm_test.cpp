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

using namespace std::string_literals;
using Words = std::vector<std::uint32_t>;

const std::string ERROR = "IMG error\n";

std::string printed(const std::function<void()>& f) { return support::printed(IMG_debug, f); }

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
        {"P6\n2 1\n# made by hand\n255\n\x01\x02\x03\xFF\x00\x80"s, 2, {0x010203, 0xFF0080}},   // a comment before the maximum
        {"P5 2 1 255\n\x10\xFF", 2, {0x101010, W}},
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
        // The header: bad type digits, a stray letter, a second magic, numbers first, maximum > 255.
        {"P7 1 1 255 \x01\x02\x03", false}, {"P0 1 1 255 \x01", false},
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
    // Every proper prefix of a good file is cut short somewhere, in the header or the body.
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
    for (const auto& [w, h] : {std::pair{4097, 4096}, std::pair{4096, 4097}})
        EXPECT_EQ(printed([&] { IMG_setSize(image.img, w, h); }), ERROR) << w << " x " << h;
    EXPECT_EQ(image.img->width, 4096);
}

TEST(PnmText, PrintFormRoundTripAndBadTexts)
{
    support::Picture image(7, 1, 0xAB0A6400);
    auto print = [&] {
        char* text = IMG_print(image.img);
        const std::string s = text;
        std::free(text);
        return s;
    };
    std::string row;   // six pixels a line, no top byte
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
    // Refused: oversized sizes, a sample above 255, another type, any shorter piece of the text.
    std::vector<std::string> bad = {"IMG{\nP3\n4294967296 4294967296\n255\n1 2 3 }", "IMG{\nP3\n1 1\n255\n1 2 256",
                                    "IMG{ P2\n1 1\n255\n1"};
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

// Saved files are plain P6; a bit map file keeps its width, each row starting at a new byte.
TEST(PnmFile, SaveLoadRoundTripAndABitMapsWidth)
{
    support::Scratch scratch;
    support::Picture frame(256, 256);
    for (int i = 0; i < 256 * 256; ++i) frame.img->pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFFu;
    ASSERT_TRUE(IMG_save(frame.img, scratch.path("f.ppm").c_str()));
    std::ifstream in(scratch.path("f.ppm"), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::string header = "P6\n256 256\n255\n";
    ASSERT_EQ(bytes.size(), header.size() + 196608u);
    EXPECT_EQ(bytes.substr(0, header.size()), header);
    IMG* back = IMG_load(scratch.path("f.ppm").c_str());
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(IMG_equal(frame.img, back));
    IMG_free(&back);

    back = IMG_load(scratch.write("b.pbm", "P4\n12 2\n\xA5\xF1\x0F\x00"s).c_str());
    ASSERT_NE(back, nullptr);
    const std::uint32_t W = 0xFFFFFF;
    EXPECT_EQ(Words(back->pixels, back->pixels + back->width * back->height),
              (Words{W, 0, W, 0, 0, W, 0, W, W, W, W, W, 0, 0, 0, 0, W, W, W, W, 0, 0, 0, 0}));
    IMG_free(&back);
}

TEST(PnmFile, BadFilesAndFailedSaves)
{
    support::Scratch scratch;
    std::filesystem::create_directories(scratch.path("dir"));
    for (const std::string name : {"missing.ppm", "dir"}) {
        IMG* image = nullptr;
        EXPECT_EQ(printed([&] { image = IMG_load(scratch.path(name).c_str()); }), ERROR) << name;
        EXPECT_EQ(image, nullptr) << name;
    }
    EXPECT_EQ(printed([] { EXPECT_EQ(IMG_load(nullptr), nullptr); }), ERROR);

    support::Picture grey(1, 1);
    const std::string x = scratch.path("x.ppm");
    EXPECT_EQ(printed([&] { EXPECT_FALSE(IMG_save(grey.img, scratch.path("no/such/dir.ppm").c_str())); }), ERROR);
    EXPECT_EQ(printed([&] { EXPECT_FALSE(IMG_save(grey.img, nullptr)); }), ERROR);
    EXPECT_EQ(printed([&] { EXPECT_FALSE(IMG_save(nullptr, x.c_str())); }), ERROR);
    IMG_setSize(grey.img, 0, 4);
    EXPECT_EQ(printed([&] { EXPECT_FALSE(IMG_save(grey.img, x.c_str())); }), ERROR);
    EXPECT_FALSE(std::filesystem::exists(x));
}
