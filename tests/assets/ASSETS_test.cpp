// The embedded data: picture variants and sizes, glyph coverage of every
// font, the object texts' blocks and the greetings text.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
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

IMG* decode(const char* name) { return IMG_fromPNM(ASSETS_find(name)); }

std::string_view text(const char* name)
{
    auto bytes = ASSETS_find(name);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
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

// An embedded object text, parsed; frees its objects at the end of the scope.
struct Parsed {
    LIST* list;
    explicit Parsed(const char* name) : list(OBJ2D_parse(ASSETS_find(name))) {}
    ~Parsed()
    {
        for (std::int32_t i = 0; list != nullptr && i < list->count; ++i) {
            OBJ2D* o = static_cast<OBJ2D*>(list->items[i]);
            if (o != nullptr) OBJ2D_free(&o);
        }
        LIST_free(&list);
    }
    OBJ2D* operator[](int i) const { return static_cast<OBJ2D*>(list->items[i]); }
    std::string name(int i) const { return (*this)[i]->name != nullptr ? (*this)[i]->name : ""; }
};

}  // namespace

TEST(EmbeddedPictures, HaveTheirVariantSizeCommentLineAndTones)
{
    struct Picture {
        const char* name;
        const char* magic;
        std::int32_t width, height;
        bool transparent;   // black around the shapes: 20..90 per cent of the pixels
    };
    const Picture pictures[] = {
        {"intro.pbm", "P4", 128, 64, true},      {"small.pbm", "P4", 128, 128, false},
        {"banner.pbm", "P4", 512, 288, false},   {"emblem.pbm", "P4", 256, 128, false},
        {"title.pgm", "P5", 128, 256, false},    {"big.pgm", "P5", 256, 1024, false},
        {"tiles.ppm", "P6", 8, 256, false},      {"background.ppm", "P6", 256, 128, true},
        {"bubbles.ppm", "P6", 256, 128, true},   {"logo-warm.ppm", "P6", 128, 64, false},
        {"logo-cool.ppm", "P6", 128, 64, false}, {"pointer.ppm", "P6", 16, 16, true},
    };
    EXPECT_TRUE(ASSETS_find("no such file").empty());
    for (const Picture& p : pictures) {
        SCOPED_TRACE(p.name);
        auto bytes = ASSETS_find(p.name);
        EXPECT_EQ(text(p.name).substr(0, 4), std::string(p.magic) + "\n#");   // one comment line follows the magic
        std::size_t samples = std::size_t(p.width) * std::size_t(p.height);
        if (p.magic[1] == '4') samples /= 8;
        if (p.magic[1] == '6') samples *= 3;
        // Built by appending: GCC 12 at -O3 sees a false overlap in a chain of +.
        std::string sizeLine = "\n";
        sizeLine.append(std::to_string(p.width)).append(" ").append(std::to_string(p.height)).append("\n");
        if (p.magic[1] != '4') sizeLine.append("255\n");
        const std::size_t at = text(p.name).find(sizeLine);
        ASSERT_NE(at, std::string_view::npos);
        EXPECT_EQ(at + sizeLine.size() + samples, bytes.size());   // no stray bytes
        IMG* img = decode(p.name);
        ASSERT_NE(img, nullptr);
        EXPECT_EQ(img->width * 10000 + img->height, p.width * 10000 + p.height);
        int black = 0;
        for (std::int32_t i = 0; i < p.width * p.height; ++i) black += img->pixels[i] == 0;
        EXPECT_TRUE(!p.transparent || (black * 5 >= p.width * p.height && black * 10 <= 9 * p.width * p.height)) << black;
        IMG_free(&img);
    }
}

TEST(EmbeddedFonts, EveryPrintableCharacterHasAGlyphInTheFontsTones)
{
    IMG* small = decode("small.pbm");
    IMG* title = decode("title.pgm");   // two recolourable tones
    IMG* big = decode("big.pgm");
    IMG* tiles = decode("tiles.ppm");
    ASSERT_TRUE(small && title && big && tiles);
    for (std::int32_t i = 0; i < title->width * title->height; ++i)
        ASSERT_TRUE(title->pixels[i] == 0 || title->pixels[i] == 0x7F7F7Fu || title->pixels[i] == 0xFFFFFFu) << i;
    for (std::int32_t k = 0; k < 32; ++k) {
        int lit = 0;
        for (std::int32_t j = 0; j < 64; ++j) lit += IMG_getPixel(tiles, j % 8, 8 * k + j / 8) != 0;
        EXPECT_TRUE(lit >= 16 && lit < 64) << k;   // each tile keeps some black around its shape
    }
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
    for (int code : {8, 9, 11}) EXPECT_TRUE(cellHas(big, code % 8 * 32, code / 8 * 64, 32, 64, body));
    for (IMG* i : {small, title, big, tiles}) IMG_free(&i);
}

TEST(EmbeddedTexts, FontTextsParseToTwoHundredFiftySixGlyphsInTheirCells)
{
    EXPECT_NE(text("wire16.txt").find("\nname font 16x16 wire\nversion 20120515\n"), std::string_view::npos);
    EXPECT_NE(text("line8.txt").find("\nname font 2D 8x8\nversion 20130903\n"), std::string_view::npos);
    Parsed wire("wire16.txt");
    Parsed line("line8.txt");
    ASSERT_TRUE(wire.list && line.list);
    ASSERT_EQ(wire.list->count, 256);
    ASSERT_EQ(line.list->count, 256);
    struct Name {
        const Parsed& font;
        int code;
        const char* name;
    };
    const Name names[] = {
        {wire, 0, ""}, {wire, 32, "space"}, {wire, 65, "A"}, {wire, 81, "Q"}, {wire, 97, "a"}, {wire, 126, "~"},
        {wire, 127, "esc"}, {wire, 200, ""}, {line, 0, ""}, {line, 32, "space"}, {line, 65, "A"},
        {line, 97, "A"}, {line, 126, "smile"}, {line, 127, "esc"},   // capitals in the small-letter blocks
    };
    for (const Name& n : names) EXPECT_EQ(n.font.name(n.code), n.name) << n.code;
    EXPECT_EQ(line[65]->segments->count, 3);
    EXPECT_EQ(line[0]->segments->count, 0);
    EXPECT_EQ(wire[32]->segments->count, 0);
    // The line font's one colour line inside block 32 colours every later
    // segment; the wire font is white.
    EXPECT_EQ(static_cast<SEG2D*>(line[90]->segments->items[0])->start->colour, 0xAACCEEu);
    EXPECT_EQ(static_cast<SEG2D*>(wire[90]->segments->items[0])->start->colour, 0xFFFFFFu);
    // Every printable character has a glyph with segments within its cell.
    for (int code = 33; code < 127; ++code) {
        for (const Parsed* font : {&wire, &line}) {
            const OBJ2D* o = (*font)[code];
            ASSERT_NE(o, nullptr);
            EXPECT_GT(o->segments->count, 0) << code;
            EXPECT_LE(o->segments->count, 15) << code;
            const std::int32_t limit = font == &wire ? 15 : 7;
            for (std::int32_t p = 0; p < o->points->count; ++p) {
                auto* v = static_cast<VEC2D*>(o->points->items[p]);
                EXPECT_TRUE(v->x >= 0 && v->x <= limit && v->y >= 0 && v->y <= limit) << code;
            }
        }
    }
}

TEST(EmbeddedTexts, PictureLibraryHasItsEightySevenObjectsInOrder)
{
    Parsed pics("pictures.txt");
    ASSERT_NE(pics.list, nullptr);
    ASSERT_EQ(pics.list->count, 87);
    // Five objects have no name; "star2" comes before "star".
    const std::pair<int, const char*> names[] = {{0, "apple1"}, {15, "candle3"}, {16, ""},     {17, "car1"},  {28, ""},
                                                 {33, ""},      {45, ""},        {47, ""},     {71, "star2"}, {72, "star"},
                                                 {85, "wheel2"}, {86, "wheel3"}};
    for (const auto& [k, name] : names) EXPECT_EQ(pics.name(k), name) << k;
    int unnamed = 0;
    for (int k = 0; k < 87; ++k) {
        unnamed += pics.name(k).empty();
        EXPECT_TRUE(pics[k]->segments->count >= 3 && pics[k]->segments->count <= 28) << k;
    }
    EXPECT_EQ(unnamed, 5);
    EXPECT_EQ(static_cast<SEG2D*>(pics[0]->segments->items[0])->start->colour, 0xFFFFFFu);
}

TEST(EmbeddedTexts, GreetingsAreOneLineWithTwelveOfEachControlByte)
{
    auto g = ASSETS_find("greetings.txt");
    ASSERT_EQ(g.size(), 2045u);
    EXPECT_EQ(g.data()[g.size()], 0u);   // a zero byte follows, not counted
    int counts[256] = {};
    for (std::uint8_t c : g) ++counts[c];
    int upper = 0, lower = 0;
    for (int c = 0; c < 256; ++c) {
        const bool symbol = c == 8 || c == 9 || c == 11;
        if (symbol || c < 32 || c >= 127) {
            EXPECT_EQ(counts[c], symbol ? 12 : 0) << c;
        }
        if (c >= 'A' && c <= 'Z') upper += counts[c];
        if (c >= 'a' && c <= 'z') lower += counts[c];
    }
    EXPECT_EQ(lower, 0);
    EXPECT_GT(upper, 1200);
}
