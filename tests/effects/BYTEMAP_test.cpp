#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "effects/BYTEMAP.h"
#include "foundation/RANDOM.h"

namespace {

std::span<const std::uint8_t> bytesOf(const std::string& s)
{
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

BYTEMAP* sized(std::int32_t w, std::int32_t h)
{
    BYTEMAP* map = BYTEMAP_new();
    BYTEMAP_setSize(map, w, h);
    return map;
}

std::string text(BYTEMAP* map)
{
    char* t = BYTEMAP_print(map);
    std::string s = t != nullptr ? t : "(null)";
    std::free(t);
    return s;
}

std::string tempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / (std::string("qorn-bytemap-") + name)).string();
}

void writeFile(const std::string& path, const std::string& content)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
}

// Runs f with the debug flag set and returns how many error lines it printed.
template <typename F>
int errorsOf(F f)
{
    BYTEMAP_debug = 1;
    testing::internal::CaptureStdout();
    f();
    const std::string out = testing::internal::GetCapturedStdout();
    BYTEMAP_debug = 0;
    int n = 0;
    for (std::size_t p = out.find("BYTEMAP error\n"); p != std::string::npos; p = out.find("BYTEMAP error\n", p + 1)) ++n;
    return n;
}

}  // namespace

TEST(BytemapCore, CreationSizesAndCells)
{
    BYTEMAP* map = BYTEMAP_new();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->width, 16);
    EXPECT_EQ(map->height, 16);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(map->bytes[i], 0);
    BYTEMAP_putPixel(map, 15, 15, 9);
    BYTEMAP_putPixel(map, 16, 0, 9);
    BYTEMAP_putPixel(map, -1, 3, 9);
    EXPECT_EQ(BYTEMAP_getPixel(map, 15, 15), 9);
    EXPECT_EQ(BYTEMAP_getPixel(map, 16, 15), 0);
    BYTEMAP* twin = BYTEMAP_clone(map);
    EXPECT_TRUE(BYTEMAP_equal(map, twin));
    BYTEMAP* other = sized(2, 2);
    EXPECT_EQ(errorsOf([&] {
                  EXPECT_FALSE(BYTEMAP_setSize(map, -1, 4));
                  EXPECT_FALSE(BYTEMAP_setSize(map, 65536, 65536));
                  BYTEMAP_copy(other, map);
              }),
              3);
    BYTEMAP_free(&other);
    EXPECT_EQ(map->width, 16);
    EXPECT_EQ(BYTEMAP_getPixel(map, 15, 15), 9);
    BYTEMAP_clear(map);
    EXPECT_FALSE(BYTEMAP_equal(map, twin));
    BYTEMAP_free(&map);
    BYTEMAP_free(&twin);
    EXPECT_EQ(map, nullptr);
}

TEST(BytemapDump, EmptyOneCellAndSevenCells)
{
    BYTEMAP* map = sized(0, 0);
    EXPECT_EQ(text(map), "BYTEMAP{}");
    BYTEMAP_setSize(map, 1, 1);
    BYTEMAP_putPixel(map, 0, 0, 7);
    EXPECT_EQ(text(map), "BYTEMAP{\nP3\n1 1\n255\n  0   0   7\n}\n");
    BYTEMAP_setSize(map, 7, 1);
    for (int i = 0; i < 7; ++i) BYTEMAP_putPixel(map, i, 0, static_cast<std::uint8_t>(250 + i % 6));
    std::string cells;
    for (int i = 0; i < 7; ++i) {
        cells += "  0   0 " + std::to_string(250 + i % 6);
        cells += i == 5 || i == 6 ? "\n" : " ";
    }
    EXPECT_EQ(text(map), "BYTEMAP{\nP3\n7 1\n255\n" + cells + "}\n");
    BYTEMAP_free(&map);
}

TEST(BytemapDump, ParseAveragesTheThreeNumbers)
{
    BYTEMAP* map = sized(3, 2);
    for (int i = 0; i < 6; ++i) map->bytes[i] = static_cast<std::uint8_t>(i * 50);
    char* dump = BYTEMAP_print(map);
    BYTEMAP* back = BYTEMAP_parse(dump);
    std::free(dump);
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->width, 3);
    ASSERT_EQ(back->height, 2);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(back->bytes[i], i * 50 / 3) << i;   // the dump holds (0, 0, v)
    BYTEMAP_free(&back);
    back = BYTEMAP_parse("x BYTEMAP { P3\n2 1\n255\n9 9 9 200 201 202 }");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->bytes[0], 9);
    EXPECT_EQ(back->bytes[1], 201);
    BYTEMAP_free(&back);
    BYTEMAP_free(&map);
}

TEST(BytemapDump, BadTextGivesNull)
{
    const char* bad[] = {
        "", "BYTEMAP", "BYTEMAP{", "P3\n1 1\n255\n1 1 1", "{ BYTEMAP P3\n1 1\n255\n1 1 1",
        "BYTEMAP{\nP3\n", "BYTEMAP{\nP3\n2 2\n255\n1 2 3 4 5 6 7 8 9 10 11",   // one number short
        "BYTEMAP{\nP3\n0 5\n255\n", "BYTEMAP{\nP3\nx 1\n255\n1 1 1",
        "BYTEMAP{\nP3\n4294967296 1\n255\n1 1 1", "BYTEMAP{\nP3\n99999 99999\n255\n1 1 1",
    };
    for (const char* t : bad) {
        BYTEMAP* map = nullptr;
        EXPECT_EQ(errorsOf([&] { map = BYTEMAP_parse(t); }), 1) << t;
        EXPECT_EQ(map, nullptr) << t;
    }
    // The length bounds the text even without a terminating zero.
    const std::string whole = "BYTEMAP{\nP3\n1 1\n255\n3 3 3\n}\n";
    BYTEMAP* map = BYTEMAP_parse(std::string_view(whole.data(), whole.size() - 4));
    EXPECT_EQ(map, nullptr);
}

TEST(BytemapPnm, EveryVariantFromMemory)
{
    struct Case { std::string data; std::int32_t w; std::vector<int> cells; };
    const Case cases[] = {
        {"P1\n3 1\n1 0 1\n", 3, {255, 0, 255}},
        {"P1 3 1 102", 3, {255, 0, 255}},   // packed digits, any non-zero digit is set
        {"P2\n# grey\n2 1\n255\n7 300\n", 2, {7, 44}},   // 300 keeps its low byte
        {"P3\n2 1\n255\n1 2 3 90 90 90\n", 2, {2, 90}},
        {std::string("P4\n12 1\n\x55\x5F", 10), 16, {0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 255, 255, 255, 255}},
        {std::string("P5 2 1 255 \x00\xFE", 13), 2, {0, 254}},
        {std::string("P6\n1 1\n#c\n255\n\x03\x04\x06", 17), 1, {4}},
    };
    for (const Case& c : cases) {
        BYTEMAP* map = BYTEMAP_fromPNM(bytesOf(c.data));
        ASSERT_NE(map, nullptr) << c.data;
        EXPECT_EQ(map->width, c.w) << c.data;
        EXPECT_EQ(map->height, 1) << c.data;
        for (std::size_t i = 0; i < c.cells.size(); ++i) EXPECT_EQ(map->bytes[i], c.cells[i]) << c.data << " cell " << i;
        BYTEMAP_free(&map);
    }
}

TEST(BytemapPnm, BadDataGivesNull)
{
    const std::string bad[] = {
        "", "P", "P7\n1 1\n255\n\x01", "P5", "P5\n", "P5\n4", "P5\n4 ", "P5\n4 1", "P5\n4 1\n", "P5\n4 1\n255",
        "P5\n4 1\n255\n\x01\x02\x03",   // one cell short
        "P5\n0 1\n255\n", "P6\n1 0\n255\n", "P5\n2147483648 1\n255\n\x01", "P5\n65536 65536\n255\n\x01",
        "P5\n99999999999999999999 1\n255\n\x01", "P5\nx 1\n255\n\x01", "P5\n-1 1\n255\n\x01", "P2\n2 1\n255\n7",
        "P3\n1 1\n255\n1 2", "P1\n5 1\n1 0 1", "P4\n16 2\n\x01\x02\x03", "P5 # only a comment",
        "1 1 P5 255 \x01", "P5\n1 1\n65535\n\x01\x02",
    };
    for (const std::string& d : bad) {
        BYTEMAP* map = nullptr;
        EXPECT_EQ(errorsOf([&] { map = BYTEMAP_fromPNM(bytesOf(d)); }), 1) << d;
        EXPECT_EQ(map, nullptr) << d;
    }
}

TEST(BytemapPnm, FilesFromNetpbmAndSaveRoundTrip)
{
    const std::string dir = QORN_TEST_DATA "/bytemap/";
    BYTEMAP* ramp = BYTEMAP_load((dir + "ramp.pgm").c_str());
    BYTEMAP* plain = BYTEMAP_load((dir + "ramp-plain.pgm").c_str());
    ASSERT_NE(ramp, nullptr);
    ASSERT_EQ(ramp->width, 16);
    ASSERT_EQ(ramp->height, 4);
    EXPECT_EQ(BYTEMAP_getPixel(ramp, 0, 3), 0);
    EXPECT_EQ(BYTEMAP_getPixel(ramp, 1, 0), 17);
    EXPECT_EQ(BYTEMAP_getPixel(ramp, 15, 2), 255);
    EXPECT_TRUE(BYTEMAP_equal(ramp, plain));
    // A 12-wide bit map file keeps its width; each row reads two bytes.
    BYTEMAP* bits = BYTEMAP_load((dir + "gray12.pbm").c_str());
    BYTEMAP* bitsPlain = BYTEMAP_load((dir + "gray12-plain.pbm").c_str());
    ASSERT_NE(bits, nullptr);
    EXPECT_EQ(bits->width, 12);
    EXPECT_EQ(bits->height, 3);
    EXPECT_EQ(BYTEMAP_getPixel(bits, 0, 0), 0);
    EXPECT_EQ(BYTEMAP_getPixel(bits, 11, 0), 255);
    EXPECT_EQ(BYTEMAP_getPixel(bits, 0, 1), 255);
    EXPECT_TRUE(BYTEMAP_equal(bits, bitsPlain));
    BYTEMAP* colour = BYTEMAP_load((dir + "flat.ppm").c_str());
    BYTEMAP* colourPlain = BYTEMAP_load((dir + "flat-plain.ppm").c_str());
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(BYTEMAP_getPixel(colour, 2, 1), 60);   // (30 + 60 + 90) / 3
    EXPECT_TRUE(BYTEMAP_equal(colour, colourPlain));

    // Every value survives a P5 file, 10 and 13 included.
    BYTEMAP* all = sized(16, 16);
    for (int i = 0; i < 256; ++i) all->bytes[i] = static_cast<std::uint8_t>(i);
    const std::string path = tempPath("all.pgm");
    ASSERT_TRUE(BYTEMAP_save(all, path.c_str()));
    EXPECT_EQ(std::filesystem::file_size(path), 13u + 256u);
    BYTEMAP* back = BYTEMAP_load(path.c_str());
    EXPECT_TRUE(BYTEMAP_equal(all, back));
    std::remove(path.c_str());
    for (BYTEMAP* m : {ramp, plain, bits, bitsPlain, colour, colourPlain, all, back}) BYTEMAP_free(&m);
}

TEST(BytemapPnm, UnreadableFilesGiveNull)
{
    const std::string one = tempPath("one.pgm");
    const std::string cut = tempPath("cut.pgm");
    writeFile(one, "P");
    writeFile(cut, "P5\n4 4\n255\n\x01\x02");
    const std::string names[] = {one, cut, tempPath("missing.pgm"), std::filesystem::temp_directory_path().string()};
    for (const std::string& n : names) {
        BYTEMAP* map = nullptr;
        EXPECT_EQ(errorsOf([&] { map = BYTEMAP_load(n.c_str()); }), 1) << n;
        EXPECT_EQ(map, nullptr);
    }
    BYTEMAP* map = BYTEMAP_new();
    EXPECT_EQ(errorsOf([&] { EXPECT_FALSE(BYTEMAP_save(map, (tempPath("no-dir") + "/x.pgm").c_str())); }), 1);
    std::remove(one.c_str());
    std::remove(cut.c_str());
    BYTEMAP_free(&map);
}

TEST(BytemapArithmetic, WrapFloorTablesAndPalette)
{
    BYTEMAP* map = sized(2, 1);
    map->bytes[0] = 250;
    map->bytes[1] = 5;
    BYTEMAP_add(map, 10);
    EXPECT_EQ(map->bytes[0], 4);
    EXPECT_EQ(map->bytes[1], 15);
    BYTEMAP_sub(map, 10);
    EXPECT_EQ(map->bytes[0], 0);
    EXPECT_EQ(map->bytes[1], 5);
    BYTEMAP_invert(map);
    EXPECT_EQ(map->bytes[0], 255);
    EXPECT_EQ(map->bytes[1], 250);
    BYTEMAP_replace(map, 250, 3);
    EXPECT_EQ(map->bytes[1], 3);
    BYTEMAP* table = sized(16, 16);
    for (int i = 0; i < 256; ++i) table->bytes[i] = static_cast<std::uint8_t>(i / 2);
    BYTEMAP_lookup(map, table);
    EXPECT_EQ(map->bytes[0], 127);
    EXPECT_EQ(map->bytes[1], 1);
    BYTEMAP* mask = sized(2, 1);
    mask->bytes[0] = 0x0F;
    mask->bytes[1] = 0xFE;
    BYTEMAP_and(mask, map);
    EXPECT_EQ(map->bytes[0], 0x0F);
    EXPECT_EQ(map->bytes[1], 0);

    // Palette: 255 entries write nothing; 256 map every cell.
    IMG* image = IMG_new();
    IMG_setSize(image, 2, 1);
    SAMPLE palette{255, 256, new std::int32_t[256]()};
    for (int i = 0; i < 256; ++i) palette.values[i] = 0x010101 * i;
    EXPECT_EQ(errorsOf([&] { BYTEMAP_toImage(map, image, &palette); }), 1);
    EXPECT_EQ(image->pixels[0], 0u);
    palette.count = 256;
    BYTEMAP_toImage(map, image, &palette);
    EXPECT_EQ(image->pixels[0], 0x0F0F0Fu);
    EXPECT_EQ(image->pixels[1], 0u);
    delete[] palette.values;
    IMG_free(&image);
    BYTEMAP_free(&table);
    BYTEMAP_free(&mask);
    BYTEMAP_free(&map);
}

TEST(BytemapArithmetic, RandomFillDrawsThirtyBitValuesCellByCell)
{
    BYTEMAP* map = sized(3, 1);
    RANDOM_srand(0x10531751u);
    BYTEMAP_randomFill(map, 250, 0x3F);
    std::uint64_t seed = 0x10531751u;
    for (int i = 0; i < 3; ++i) {
        std::uint64_t draws[2];
        for (std::uint64_t& d : draws) {
            seed = (seed * 214013u + 2531011u) % 4294967296u;
            d = (seed >> 16) % 32768;
        }
        EXPECT_EQ(map->bytes[i], (250 + ((draws[0] * 32768 + draws[1]) & 0x3F)) % 256) << i;
    }
    BYTEMAP_free(&map);
}

TEST(BytemapBlits, ClippingTransparencyAverageAndWrap)
{
    BYTEMAP* src = sized(3, 3);
    for (int i = 0; i < 9; ++i) src->bytes[i] = static_cast<std::uint8_t>(i * 10);   // cell 0 is 0
    BYTEMAP* dst = sized(4, 4);
    BYTEMAP_fillRect(dst, 0, 0, 4, 4, 7);
    BYTEMAP_blit(src, dst, 0, 0, -1, -1, 3, 3);   // only the lower right 2 x 2 lands
    EXPECT_EQ(BYTEMAP_getPixel(dst, 0, 0), 40);
    EXPECT_EQ(BYTEMAP_getPixel(dst, 1, 1), 80);
    EXPECT_EQ(BYTEMAP_getPixel(dst, 2, 0), 7);
    BYTEMAP_blit(src, dst, 0, 0, 3, 3, 3, 3);     // the zero corner is transparent
    EXPECT_EQ(BYTEMAP_getPixel(dst, 3, 3), 7);
    BYTEMAP_copyBlit(src, dst, 0, 0, 3, 3, 3, 3);
    EXPECT_EQ(BYTEMAP_getPixel(dst, 3, 3), 0);
    BYTEMAP_copyBlit(src, dst, 0, 0, -3, 0, 3, 3); // dx + w = 0: nothing
    EXPECT_EQ(BYTEMAP_getPixel(dst, 0, 2), 7);
    BYTEMAP_fillRect(dst, 0, 0, 4, 4, 255);
    BYTEMAP_drawAverage(src, dst, 2, 2);         // zero averages too
    EXPECT_EQ(BYTEMAP_getPixel(dst, 2, 2), 127);
    EXPECT_EQ(BYTEMAP_getPixel(dst, 3, 3), (255 + 40) / 2);
    EXPECT_EQ(BYTEMAP_getPixel(dst, 1, 1), 255);

    BYTEMAP_clear(dst);
    BYTEMAP_blitRowWrap(src, dst, 1, 0, -1);      // 30, 40, 50 from column 3 on
    EXPECT_EQ(BYTEMAP_getPixel(dst, 3, 0), 30);
    EXPECT_EQ(BYTEMAP_getPixel(dst, 0, 0), 40);
    EXPECT_EQ(BYTEMAP_getPixel(dst, 1, 0), 50);
    BYTEMAP_orRowWrap(src, dst, 0, 0, 0);         // 0 | 40, 10 | 50, 20 | 0
    EXPECT_EQ(BYTEMAP_getPixel(dst, 0, 0), 40);
    EXPECT_EQ(BYTEMAP_getPixel(dst, 1, 0), 10 | 50);
    EXPECT_EQ(BYTEMAP_getPixel(dst, 2, 0), 20);
    BYTEMAP_blitColumnWrap(src, dst, 2, 3, 6);    // 20, 50, 80 from row 2 on
    EXPECT_EQ(BYTEMAP_getPixel(dst, 3, 2), 20);
    EXPECT_EQ(BYTEMAP_getPixel(dst, 3, 3), 50);
    EXPECT_EQ(BYTEMAP_getPixel(dst, 3, 0), 80);
    EXPECT_EQ(errorsOf([&] { BYTEMAP_blitRowWrap(src, dst, 3, 0, 0); }), 1);
    BYTEMAP_free(&src);
    BYTEMAP_free(&dst);
}

TEST(BytemapShapes, RectanglesLinesAndCircle)
{
    BYTEMAP* map = sized(12, 12);
    BYTEMAP_fillRect(map, -5, 0, 10, 1, 1);      // columns 0..4
    BYTEMAP_fillRect(map, 10, 1, -3, 1, 2);      // columns 7..9
    EXPECT_EQ(BYTEMAP_getPixel(map, 4, 0), 1);
    EXPECT_EQ(BYTEMAP_getPixel(map, 5, 0), 0);
    EXPECT_EQ(BYTEMAP_getPixel(map, 6, 1), 0);
    EXPECT_EQ(BYTEMAP_getPixel(map, 7, 1), 2);
    EXPECT_EQ(BYTEMAP_getPixel(map, 9, 1), 2);
    EXPECT_EQ(BYTEMAP_getPixel(map, 10, 1), 0);
    BYTEMAP_clear(map);
    BYTEMAP_fillRectInside(map, 10, 10, 3, 1, 5);   // one cell outside: nothing
    BYTEMAP_drawRect(map, -1, 0, 3, 3, 5);
    BYTEMAP_drawRect(map, 9, 9, 3, 3, 6);            // ends at the last cell
    int count = 0;
    for (int i = 0; i < 144; ++i) count += map->bytes[i] != 0;
    EXPECT_EQ(count, 8);
    EXPECT_EQ(BYTEMAP_getPixel(map, 10, 10), 0);
    EXPECT_EQ(BYTEMAP_getPixel(map, 11, 10), 6);

    // The minor axis starts half a cell in: (0,0)-(3,1) takes (1,0), not (1,1).
    BYTEMAP_clear(map);
    BYTEMAP_drawLine(map, 0, 0, 3, 1, 9);
    EXPECT_EQ(BYTEMAP_getPixel(map, 0, 0), 9);
    EXPECT_EQ(BYTEMAP_getPixel(map, 1, 0), 9);
    EXPECT_EQ(BYTEMAP_getPixel(map, 2, 1), 9);
    EXPECT_EQ(BYTEMAP_getPixel(map, 3, 1), 9);
    BYTEMAP_drawLine(map, 5, 11, 4, 8, 3);            // steep, upwards: x 5, 5, 4, 4
    EXPECT_EQ(BYTEMAP_getPixel(map, 5, 11), 3);
    EXPECT_EQ(BYTEMAP_getPixel(map, 5, 10), 3);
    EXPECT_EQ(BYTEMAP_getPixel(map, 4, 9), 3);
    EXPECT_EQ(BYTEMAP_getPixel(map, 4, 8), 3);
    BYTEMAP_drawLine(map, 7, 7, 7, 7, 4);            // a point
    EXPECT_EQ(BYTEMAP_getPixel(map, 7, 7), 4);
    BYTEMAP_drawLine(map, -2000000000, 3, 2000000000, 3, 8);   // clipped to the row
    for (int x = 0; x < 12; ++x) EXPECT_EQ(BYTEMAP_getPixel(map, x, 3), 8) << x;

    // Radius 2: the pairs (s, c) are (0, 1) then (1, 1): a 2 x 3 block whose
    // right column sits one cell left of the centre's right neighbour.
    BYTEMAP_clear(map);
    BYTEMAP_drawCircleSine(map, 5, 5, 2, 1);
    count = 0;
    for (int i = 0; i < 144; ++i) count += map->bytes[i];
    EXPECT_EQ(count, 6);
    for (int y = 4; y <= 6; ++y) {
        EXPECT_EQ(BYTEMAP_getPixel(map, 4, y), 1);
        EXPECT_EQ(BYTEMAP_getPixel(map, 5, y), 1);
    }
    BYTEMAP_drawHLine(map, 11, 20, -20, 2);
    BYTEMAP_drawVLine(map, 0, 3, -3, 2);
    EXPECT_EQ(BYTEMAP_getPixel(map, 11, 11), 2);
    EXPECT_EQ(BYTEMAP_getPixel(map, 0, 3), 2);
    EXPECT_EQ(BYTEMAP_getPixel(map, 0, 4), 0);
    BYTEMAP_free(&map);
}

TEST(BytemapTransforms, ScaleAndRotateAsTheImageDoes)
{
    BYTEMAP* small = sized(2, 2);
    for (int i = 0; i < 4; ++i) small->bytes[i] = static_cast<std::uint8_t>(i + 1);
    BYTEMAP* big = sized(4, 4);
    BYTEMAP_scale(small, big);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(BYTEMAP_getPixel(big, x, y), (y / 2) * 2 + x / 2 + 1) << x << "," << y;
    BYTEMAP_scale(big, small);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(small->bytes[i], i + 1);

    BYTEMAP* square = sized(16, 16);
    BYTEMAP_putPixel(square, 8, 8, 200);
    BYTEMAP_putPixel(square, 8, 3, 100);
    BYTEMAP* turned = BYTEMAP_rotate(square, 512);   // nearly upright: cosine 32766
    ASSERT_NE(turned, nullptr);
    EXPECT_EQ(turned->width, 22);   // 16 * 92667 / 65536
    EXPECT_EQ(turned->height, 22);
    EXPECT_EQ(BYTEMAP_getPixel(turned, 11, 11), 200);
    EXPECT_EQ(BYTEMAP_getPixel(turned, 11, 6), 100);   // v = -5 reads row 8 - 5 = 3
    EXPECT_EQ(BYTEMAP_getPixel(turned, 11, 7), 0);     // v = -4 reads row 4
    EXPECT_EQ(BYTEMAP_getPixel(turned, 0, 0), 0);      // outside the source
    BYTEMAP_free(&turned);
    BYTEMAP_free(&square);
    BYTEMAP_free(&small);
    BYTEMAP_free(&big);
}

// Maps are capped at 2^24 cells; sides are checked before their product, so
// no header can overflow it, and a map is allocated only for data present.
TEST(BytemapLimits, SizeCapAndAnnouncedDataMustBePresent)
{
    const std::string full(4096 * 4096, '\x07');
    struct Case { std::string data; bool good; };
    const Case cases[] = {
        {"P5 4096 4096 255\n" + full, true},
        {"P5 4097 4096 255\n" + full + std::string(4096, '\x07'), false},
        {"P5 4096 4096 255\n\x01", false}, {"P4 4096 4096\n\x01", false}, {"P2 4096 4096 255\n1", false},
        {"P5 1099511627776 1099511627776 255\n\x01", false},   // past 64 bits when multiplied
        {"P5 4294967296 4294967296 255\n\x01", false},
    };
    for (const Case& c : cases) {
        BYTEMAP* map = nullptr;
        EXPECT_EQ(errorsOf([&] { map = BYTEMAP_fromPNM(bytesOf(c.data)); }), c.good ? 0 : 1) << c.data.substr(0, 24);
        EXPECT_EQ(map != nullptr, c.good) << c.data.substr(0, 24);
        if (map != nullptr) {
            EXPECT_EQ(map->bytes[4096 * 4096 - 1], 7);
            BYTEMAP_free(&map);
        }
    }
    for (const char* t : {"BYTEMAP{\nP3\n1099511627776 1099511627776\n255\n1 1 1", "BYTEMAP{\nP3\n4096 4096\n255\n1 1 1",
                          "BYTEMAP{\nP3\n4097 4096\n255\n1 1 1"}) {
        BYTEMAP* map = nullptr;
        EXPECT_EQ(errorsOf([&] { map = BYTEMAP_parse(t); }), 1) << t;
        EXPECT_EQ(map, nullptr) << t;
    }
    BYTEMAP* map = BYTEMAP_new();
    EXPECT_TRUE(BYTEMAP_setSize(map, 4096, 4096));
    EXPECT_EQ(errorsOf([&] { EXPECT_FALSE(BYTEMAP_setSize(map, 4097, 4096)); }), 1);
    EXPECT_EQ(map->width, 4096);
    BYTEMAP_free(&map);
}
