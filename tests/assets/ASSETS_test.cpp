// The embedded data: picture variants and sizes, glyph coverage of every
// font, the object texts' block structure and the greetings text.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "assets/ASSETS.h"
#include "foundation/LIST.h"
#include "foundation/VEC2D.h"
#include "raster/IMG.h"
#include "vector/OBJ2D.h"
#include "vector/SEG2D.h"

namespace {

struct Picture {
    const char* name;
    const char* magic;
    std::int32_t width, height;
};

// The pictures the program carries, with the PNM variant each must have.
constexpr Picture pictures[] = {
    {"intro.pbm", "P4", 128, 64},       {"small.pbm", "P4", 128, 128},
    {"banner.pbm", "P4", 512, 288},     {"emblem.pbm", "P4", 256, 128},
    {"title.pgm", "P5", 128, 256},      {"big.pgm", "P5", 256, 1024},
    {"tiles.ppm", "P6", 8, 256},        {"background.ppm", "P6", 256, 128},
    {"bubbles.ppm", "P6", 256, 128},    {"logo-warm.ppm", "P6", 128, 64},
    {"logo-cool.ppm", "P6", 128, 64},   {"pointer.ppm", "P6", 16, 16},
};

IMG* decode(const char* name)
{
    return IMG_fromPNM(ASSETS_find(name));
}

// True when the w x h cell at (x, y) holds a pixel for which keep() holds.
template <typename Keep>
bool cellHas(const IMG* img, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, Keep keep)
{
    for (std::int32_t j = 0; j < h; ++j)
        for (std::int32_t i = 0; i < w; ++i)
            if (keep(IMG_getPixel(img, x + i, y + j))) return true;
    return false;
}

// Counts top-level "{ ... }" blocks and the names given by "{ name X" lines.
struct Blocks {
    int count = 0;
    std::vector<std::string> names;   // "" for a block without the keyword
};

Blocks scanBlocks(std::string_view text)
{
    Blocks b;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (line.empty() || line[0] != '{') continue;
        ++b.count;
        if (line.substr(0, 7) == "{ name ") b.names.emplace_back(line.substr(7));
        else b.names.emplace_back();
    }
    return b;
}

std::string_view text(const char* name)
{
    auto bytes = ASSETS_find(name);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

TEST(EmbeddedPictures, HaveTheirVariantSizeAndCommentLine)
{
    for (const Picture& p : pictures) {
        SCOPED_TRACE(p.name);
        auto bytes = ASSETS_find(p.name);
        ASSERT_GT(bytes.size(), 8u);
        EXPECT_EQ(std::memcmp(bytes.data(), p.magic, 2), 0);
        EXPECT_EQ(bytes[2], '\n');
        EXPECT_EQ(bytes[3], '#');   // one comment line follows the magic
        std::size_t samples = std::size_t(p.width) * std::size_t(p.height);
        if (p.magic[1] == '4') samples /= 8;
        if (p.magic[1] == '6') samples *= 3;
        std::string_view all(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        // Built by appending: GCC 12 at -O3 sees a false overlap in a chain of +.
        std::string sizeLine = "\n";
        sizeLine.append(std::to_string(p.width)).append(" ").append(std::to_string(p.height)).append("\n");
        if (p.magic[1] != '4') sizeLine.append("255\n");
        std::size_t at = all.find(sizeLine);
        ASSERT_NE(at, std::string_view::npos);
        EXPECT_EQ(at + sizeLine.size() + samples, bytes.size());   // no stray bytes
        IMG* img = decode(p.name);
        ASSERT_NE(img, nullptr);
        EXPECT_EQ(img->width, p.width);
        EXPECT_EQ(img->height, p.height);
        IMG_free(&img);
    }
}

TEST(EmbeddedPictures, IntroLogoHasLettersAsSetBitsOnAClearFrame)
{
    IMG* img = decode("intro.pbm");
    ASSERT_NE(img, nullptr);
    int set = 0;
    for (std::int32_t i = 0; i < img->width * img->height; ++i) {
        ASSERT_TRUE(img->pixels[i] == 0 || img->pixels[i] == 0xFFFFFFu);
        set += img->pixels[i] != 0;
    }
    EXPECT_GT(set, 800);                          // four bold letters
    EXPECT_LT(set, 128 * 64 * 3 / 4);             // with clear ground around them
    EXPECT_EQ(IMG_getPixel(img, 0, 0), 0u);
    EXPECT_EQ(IMG_getPixel(img, 127, 63), 0u);
    IMG_free(&img);
}

TEST(EmbeddedPictures, TransparentPicturesKeepBlackAroundTheirShapes)
{
    for (const char* name : {"background.ppm", "bubbles.ppm", "pointer.ppm"}) {
        SCOPED_TRACE(name);
        IMG* img = decode(name);
        ASSERT_NE(img, nullptr);
        int black = 0;
        for (std::int32_t i = 0; i < img->width * img->height; ++i) black += img->pixels[i] == 0;
        EXPECT_GT(black, img->width * img->height / 5);
        EXPECT_LT(black, img->width * img->height * 9 / 10);
        IMG_free(&img);
    }
}

TEST(EmbeddedFonts, EveryPrintableCharacterHasAGlyph)
{
    IMG* small = decode("small.pbm");
    IMG* title = decode("title.pgm");
    IMG* big = decode("big.pgm");
    ASSERT_TRUE(small && title && big);
    auto any = [](std::uint32_t c) { return c != 0; };
    auto body = [](std::uint32_t c) { return c == 0x7F7F7Fu; };
    for (int code = 33; code < 127; ++code) {
        SCOPED_TRACE(code);
        EXPECT_TRUE(cellHas(small, code % 16 * 8, code / 16 * 8, 8, 8, any));
        EXPECT_TRUE(cellHas(title, code % 8 * 16, code / 8 * 16, 16, 16, body));
        EXPECT_TRUE(cellHas(big, code % 8 * 32, code / 8 * 64, 32, 64, body));
    }
    // Blank stays blank; the scroller's control bytes draw small symbols.
    EXPECT_FALSE(cellHas(small, 0, 16, 8, 8, any));
    EXPECT_FALSE(cellHas(title, 0, 64, 16, 16, any));
    EXPECT_FALSE(cellHas(big, 0, 256, 32, 64, any));
    for (int code : {8, 9, 11}) EXPECT_TRUE(cellHas(big, code % 8 * 32, code / 8 * 64, 32, 64, body));
    IMG_free(&small);
    IMG_free(&title);
    IMG_free(&big);
}

TEST(EmbeddedFonts, TitleFontUsesOnlyItsTwoRecolourableTones)
{
    IMG* title = decode("title.pgm");
    ASSERT_NE(title, nullptr);
    for (std::int32_t i = 0; i < title->width * title->height; ++i) {
        std::uint32_t c = title->pixels[i];
        ASSERT_TRUE(c == 0 || c == 0x7F7F7Fu || c == 0xFFFFFFu) << i;
    }
    IMG_free(&title);
}

TEST(EmbeddedFonts, TileFontHasThirtyTwoColourfulTiles)
{
    IMG* tiles = decode("tiles.ppm");
    ASSERT_NE(tiles, nullptr);
    for (std::int32_t k = 0; k < 32; ++k) {
        int lit = 0;
        for (std::int32_t j = 0; j < 8; ++j)
            for (std::int32_t i = 0; i < 8; ++i) lit += IMG_getPixel(tiles, i, 8 * k + j) != 0;
        EXPECT_GE(lit, 16) << k;
        EXPECT_LT(lit, 64) << k;   // each keeps some black around its shape
    }
    IMG_free(&tiles);
}

TEST(EmbeddedTexts, FontTextsHaveHeaderAndTwoHundredFiftySixBlocks)
{
    for (const char* name : {"wire16.txt", "line8.txt"}) {
        SCOPED_TRACE(name);
        std::string_view t = text(name);
        ASSERT_FALSE(t.empty());
        EXPECT_EQ(t.front(), '#');
        EXPECT_EQ(t.back(), '\n');
        Blocks b = scanBlocks(t);
        ASSERT_EQ(b.count, 256);
        EXPECT_EQ(b.names[32], "space");
        EXPECT_EQ(b.names[65], "A");
        EXPECT_EQ(b.names[127], "esc");
        EXPECT_EQ(b.names[0], "");
        EXPECT_EQ(b.names[200], "");
    }
    EXPECT_NE(text("wire16.txt").find("\nname font 16x16 wire\nversion 20120515\n"), std::string_view::npos);
    EXPECT_NE(text("line8.txt").find("\nname font 2D 8x8\nversion 20130903\n"), std::string_view::npos);
    Blocks line8 = scanBlocks(text("line8.txt"));
    EXPECT_EQ(line8.names[97], "A");      // capitals in the small-letter blocks
    EXPECT_EQ(line8.names[126], "smile");
    EXPECT_EQ(scanBlocks(text("wire16.txt")).names[126], "~");
    EXPECT_EQ(scanBlocks(text("wire16.txt")).names[97], "a");
}

TEST(EmbeddedTexts, PictureLibraryHasItsEightySevenBlocksInOrder)
{
    Blocks b = scanBlocks(text("pictures.txt"));
    ASSERT_EQ(b.count, 87);
    const char* expected[87] = {
        "apple1", "apple2", "ball1", "ball2", "ball3", "ball4", "bird1", "bird2", "birds1", "birds2",
        "brick1", "brick2", "cadeau1", "candle1", "candle2", "candle3", "", "car1", "car2", "car3",
        "circle1", "circle2", "circle3", "clobber", "cloud1", "cloud2", "clouds1", "clouds2", "",
        "cubeClear1", "droplet1", "droplet2", "droplet3", "", "female1", "flower1", "flower2",
        "flower3", "flower4", "fruit1", "fruit2", "heart", "house1", "house2", "kiss1", "", "lips2",
        "", "lolipop2", "lolipopBig1", "lolipopBig2", "male1", "maple", "maple2", "mug1", "mug2",
        "mug3", "paquet1", "paquet2", "pear1", "pentagon", "polo1", "polo2", "smile1", "smile2",
        "smileFace1", "smileFace2", "smileFace3", "smileFace4", "smileFace5", "square1", "star2",
        "star", "star3", "star4", "star5", "sun1", "sun2", "sunSmile1", "sweet1", "sweet2", "sweet3",
        "tree1", "triangle1", "wheel1", "wheel2", "wheel3"};
    for (int k = 0; k < 87; ++k) EXPECT_EQ(b.names[k], expected[k]) << k;
    int unnamed = 0;
    for (const std::string& n : b.names) unnamed += n.empty();
    EXPECT_EQ(unnamed, 5);
}

TEST(EmbeddedTexts, GreetingsAreOneLineWithTwelveOfEachControlByte)
{
    auto g = ASSETS_find("greetings.txt");
    ASSERT_EQ(g.size(), 2045u);
    int counts[256] = {};
    for (std::uint8_t c : g) ++counts[c];
    EXPECT_EQ(counts[8], 12);
    EXPECT_EQ(counts[9], 12);
    EXPECT_EQ(counts[11], 12);
    int upper = 0, lower = 0;
    for (int c = 0; c < 256; ++c) {
        bool control = (c < 32 && c != 8 && c != 9 && c != 11) || c >= 127;
        if (control) {
            EXPECT_EQ(counts[c], 0) << c;
        }
        if (c >= 'A' && c <= 'Z') upper += counts[c];
        if (c >= 'a' && c <= 'z') lower += counts[c];
    }
    EXPECT_EQ(lower, 0);
    EXPECT_GT(upper, 1200);
}

namespace {

// Parses an embedded object text; the caller frees the list with freeObjects.
LIST* parseAsset(const char* name)
{
    return OBJ2D_parse(ASSETS_find(name));
}

void freeObjects(LIST** list)
{
    for (std::int32_t i = 0; i < (*list)->count; ++i) {
        OBJ2D* o = static_cast<OBJ2D*>((*list)->items[i]);
        if (o != nullptr) OBJ2D_free(&o);
    }
    LIST_free(list);
}

}  // namespace

TEST(EmbeddedTexts, ParseToTheirObjectCountsAndNames)
{
    LIST* wire = parseAsset("wire16.txt");
    LIST* line = parseAsset("line8.txt");
    LIST* pics = parseAsset("pictures.txt");
    ASSERT_TRUE(wire && line && pics);
    ASSERT_EQ(wire->count, 256);
    ASSERT_EQ(line->count, 256);
    ASSERT_EQ(pics->count, 87);
    auto obj = [](LIST* l, int i) { return static_cast<OBJ2D*>(l->items[i]); };
    EXPECT_STREQ(obj(line, 65)->name, "A");
    EXPECT_EQ(obj(line, 65)->segments->count, 3);
    EXPECT_STREQ(obj(line, 97)->name, "A");
    EXPECT_EQ(obj(line, 0)->name, nullptr);
    EXPECT_EQ(obj(line, 0)->segments->count, 0);
    EXPECT_STREQ(obj(wire, 32)->name, "space");
    EXPECT_EQ(obj(wire, 32)->segments->count, 0);
    EXPECT_STREQ(obj(wire, 81)->name, "Q");
    EXPECT_STREQ(obj(wire, 127)->name, "esc");
    EXPECT_EQ(obj(pics, 16)->name, nullptr);
    EXPECT_STREQ(obj(pics, 86)->name, "wheel3");
    // Colours: the line font's one colour line inside block 32 colours every
    // later segment; the wire font and the pictures are white.
    auto startColour = [&](LIST* l, int i) {
        return static_cast<SEG2D*>(obj(l, i)->segments->items[0])->start->colour;
    };
    EXPECT_EQ(startColour(line, 90), 0xAACCEEu);
    EXPECT_EQ(startColour(wire, 90), 0xFFFFFFu);
    EXPECT_EQ(startColour(pics, 0), 0xFFFFFFu);
    // Every printable character has a glyph with segments within its cell.
    for (int code = 33; code < 127; ++code) {
        for (LIST* l : {wire, line}) {
            OBJ2D* o = obj(l, code);
            ASSERT_NE(o, nullptr);
            EXPECT_GT(o->segments->count, 0) << code;
            EXPECT_LE(o->segments->count, 15) << code;
            std::int32_t limit = l == wire ? 15 : 7;
            for (std::int32_t p = 0; p < o->points->count; ++p) {
                auto* v = static_cast<VEC2D*>(o->points->items[p]);
                EXPECT_TRUE(v->x >= 0 && v->x <= limit && v->y >= 0 && v->y <= limit) << code;
            }
        }
    }
    for (int i = 0; i < 87; ++i) {
        EXPECT_GE(obj(pics, i)->segments->count, 3) << i;
        EXPECT_LE(obj(pics, i)->segments->count, 28) << i;
    }
    freeObjects(&wire);
    freeObjects(&line);
    freeObjects(&pics);
}
