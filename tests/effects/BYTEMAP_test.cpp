#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "effects/BYTEMAP.h"
#include "foundation/RANDOM.h"
#include "support/raster.h"
#include "support/support.h"

namespace {

using namespace std::string_literals;

const std::string ERR = "BYTEMAP error\n";

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

// The cells of a map, row by row.
std::vector<int> cells(const BYTEMAP* map)
{
    return {map->bytes, map->bytes + static_cast<std::size_t>(map->width) * static_cast<std::size_t>(map->height)};
}

}  // namespace

TEST(BytemapCore, CreationSizesAndCells)
{
    BYTEMAP* map = BYTEMAP_new();
    EXPECT_EQ(cells(map), std::vector<int>(256, 0));
    BYTEMAP_putPixel(map, 15, 15, 9);
    BYTEMAP_putPixel(map, 16, 0, 9);   // no wrap into the next row
    BYTEMAP_putPixel(map, -1, 3, 9);
    EXPECT_EQ(BYTEMAP_getPixel(map, 15, 15), 9);
    EXPECT_EQ(BYTEMAP_getPixel(map, 0, 1), 0);
    EXPECT_EQ(BYTEMAP_getPixel(map, 16, 15), 0);
    BYTEMAP* twin = BYTEMAP_clone(map);
    EXPECT_TRUE(BYTEMAP_equal(map, twin));
    BYTEMAP* other = sized(2, 2);
    EXPECT_EQ(support::printed(BYTEMAP_debug, [&] {
                  EXPECT_FALSE(BYTEMAP_setSize(map, -1, 4));
                  EXPECT_FALSE(BYTEMAP_setSize(map, 4097, 4096));   // 2^24 cells at most
                  BYTEMAP_copy(other, map);
              }),
              ERR + ERR + ERR);
    EXPECT_EQ(map->width, 16);
    EXPECT_EQ(BYTEMAP_getPixel(map, 15, 15), 9);
    EXPECT_TRUE(BYTEMAP_setSize(other, 4096, 4096));
    BYTEMAP_clear(map);
    EXPECT_FALSE(BYTEMAP_equal(map, twin));
    for (BYTEMAP* m : {twin, other}) BYTEMAP_free(&m);
    BYTEMAP_free(&map);
}

TEST(BytemapDump, PrintFormAndParseRoundTrip)
{
    BYTEMAP* map = sized(0, 0);
    EXPECT_EQ(text(map), "BYTEMAP{}");
    BYTEMAP_setSize(map, 7, 1);
    for (int i = 0; i < 7; ++i) BYTEMAP_putPixel(map, i, 0, static_cast<std::uint8_t>(i == 0 ? 7 : 249 + i));
    EXPECT_EQ(text(map), "BYTEMAP{\nP3\n7 1\n255\n  0   0   7   0   0 250   0   0 251   0   0 252   0   0 253   0   0 254\n"
                         "  0   0 255\n}\n");
    // The dump holds (0, 0, v); parsing averages the three numbers.
    char* dump = BYTEMAP_print(map);
    BYTEMAP* back = BYTEMAP_parse(dump);
    std::free(dump);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(cells(back), (std::vector<int>{2, 83, 83, 84, 84, 84, 85}));
    BYTEMAP_free(&back);
    back = BYTEMAP_parse("x BYTEMAP { P3\n2 1\n255\n9 9 9 200 201 202 }");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(cells(back), (std::vector<int>{9, 201}));
    BYTEMAP_free(&back);
    BYTEMAP_free(&map);
}

TEST(BytemapDump, BadTextGivesNull)
{
    const std::string bad[] = {
        "BYTEMAP", "BYTEMAP{", "P3\n1 1\n255\n1 1 1", "{ BYTEMAP P3\n1 1\n255\n1 1 1",
        "BYTEMAP{\nP3\n2 2\n255\n1 2 3 4 5 6 7 8 9 10 11",   // one number short
        "BYTEMAP{\nP3\n0 5\n255\n", "BYTEMAP{\nP3\nx 1\n255\n1 1 1", "BYTEMAP{\nP3\n4294967296 1\n255\n1 1 1",
        "BYTEMAP{\nP3\n1099511627776 1099511627776\n255\n1 1 1", "BYTEMAP{\nP3\n4097 4096\n255\n1 1 1",
        "BYTEMAP{\nP3\n4096 4096\n255\n1 1 1",               // in the cap, but the data is missing
        "BYTEMAP{\nP3\n1 1\n255\n3 3 3\n}\n"s.substr(0, 24),  // the length bounds the text, not a zero
    };
    for (const std::string& t : bad) {
        BYTEMAP* map = nullptr;
        EXPECT_EQ(support::printed(BYTEMAP_debug, [&] { map = BYTEMAP_parse(t); }), ERR) << t;
        EXPECT_EQ(map, nullptr) << t;
    }
}

TEST(BytemapPnm, EveryVariantFromMemory)
{
    struct Case { std::string data; std::int32_t w; std::vector<int> cells; };
    const Case cases[] = {
        {"P1 3 1 102", 3, {255, 0, 255}},   // packed digits, any non-zero digit is set
        {"P2\n# grey\n2 1\n255\n7 300\n", 2, {7, 44}},   // 300 keeps its low byte
        {"P3\n2 1\n255\n1 2 3 90 90 90\n", 2, {2, 90}},
        {"P4\n12 1\n\x55\x5F"s, 16, {0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 255, 255, 255, 255}},
        {"P5 2 1 255 \x00\xFE"s, 2, {0, 254}},
        {"P6\n1 1\n#c\n255\n\x03\x04\x06"s, 1, {4}},
    };
    for (const Case& c : cases) {
        BYTEMAP* map = BYTEMAP_fromPNM(support::bytesOf(c.data));
        ASSERT_NE(map, nullptr) << c.data;
        EXPECT_EQ(map->width, c.w) << c.data;
        EXPECT_EQ(cells(map), c.cells) << c.data;
        BYTEMAP_free(&map);
    }
    // The largest map: 2^24 cells, every one read.
    BYTEMAP* map = BYTEMAP_fromPNM(support::bytesOf("P5 4096 4096 255\n" + std::string(4096 * 4096, '\x07')));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->bytes[4096 * 4096 - 1], 7);
    BYTEMAP_free(&map);
}

// The body checks BYTEMAP makes itself (header syntax is tested with the IMG
// reader): 2^24 cells at most, sides before their product, data before allocating.
TEST(BytemapPnm, BadDataGivesNull)
{
    const std::string bad[] = {
        "P5\n4 1\n255\n\x01\x02\x03", "P6 1 1 255\n\x01\x02", "P5\n0 1\n255\n", "P5 4294967296 4294967296 255\n\x01",
        "P2\n2 1\n255\n7", "P3\n1 1\n255\n1 2", "P1\n5 1\n1 0 1", "P4\n16 2\n\x01\x02\x03", "P5\n1 1\n65535\n\x01\x02",
        "P4 4096 4096\n\x01", "P2 4096 4096 255\n1", "P5 4097 4096 255\n" + std::string(4097 * 4096, '\x07'),
    };
    for (const std::string& d : bad) {
        BYTEMAP* map = nullptr;
        EXPECT_EQ(support::printed(BYTEMAP_debug, [&] { map = BYTEMAP_fromPNM(support::bytesOf(d)); }), ERR) << d.substr(0, 24);
        EXPECT_EQ(map, nullptr) << d.substr(0, 24);
    }
}

TEST(BytemapPnm, FilesAndSaveRoundTrip)
{
    // A bit map file keeps its width of 12, each row reading two bytes.
    BYTEMAP* bits = BYTEMAP_load(QORN_TEST_DATA "/bytemap/gray12.pbm");
    ASSERT_NE(bits, nullptr);
    EXPECT_EQ(bits->width, 12);
    EXPECT_EQ(bits->height, 3);
    EXPECT_EQ(BYTEMAP_getPixel(bits, 11, 0), 255);
    BYTEMAP_free(&bits);
    // Every value survives a P5 file, 10 and 13 included.
    support::Scratch scratch;
    BYTEMAP* all = sized(16, 16);
    for (int i = 0; i < 256; ++i) all->bytes[i] = static_cast<std::uint8_t>(i);
    ASSERT_TRUE(BYTEMAP_save(all, scratch.path("all.pgm").c_str()));
    EXPECT_EQ(std::filesystem::file_size(scratch.path("all.pgm")), 13u + 256u);
    BYTEMAP* back = BYTEMAP_load(scratch.path("all.pgm").c_str());
    EXPECT_TRUE(BYTEMAP_equal(all, back));
    EXPECT_EQ(support::printed(BYTEMAP_debug, [&] {
                  EXPECT_EQ(BYTEMAP_load(scratch.path("missing.pgm").c_str()), nullptr);
                  EXPECT_FALSE(BYTEMAP_save(all, scratch.path("no/x.pgm").c_str()));
              }),
              ERR + ERR);
    BYTEMAP_free(&all);
    BYTEMAP_free(&back);
}

TEST(BytemapArithmetic, WrapFloorTablesPaletteAndRandomFill)
{
    BYTEMAP* map = sized(2, 1);
    map->bytes[0] = 250;
    map->bytes[1] = 5;
    BYTEMAP_add(map, 10);
    EXPECT_EQ(cells(map), (std::vector<int>{4, 15}));   // wraps
    BYTEMAP_sub(map, 10);
    EXPECT_EQ(cells(map), (std::vector<int>{0, 5}));    // floors
    BYTEMAP_invert(map);
    BYTEMAP_replace(map, 250, 3);
    EXPECT_EQ(cells(map), (std::vector<int>{255, 3}));
    BYTEMAP* table = sized(16, 16);
    for (int i = 0; i < 256; ++i) table->bytes[i] = static_cast<std::uint8_t>(i / 2);
    BYTEMAP_lookup(map, table);
    EXPECT_EQ(cells(map), (std::vector<int>{127, 1}));
    BYTEMAP* mask = sized(2, 1);
    mask->bytes[0] = 0x0F;
    mask->bytes[1] = 0xFE;
    BYTEMAP_and(mask, map);
    EXPECT_EQ(cells(map), (std::vector<int>{0x0F, 0}));

    // Palette: 255 entries write nothing; 256 map every cell.
    support::Picture image(2, 1);
    std::vector<std::int32_t> values(256);
    for (int i = 0; i < 256; ++i) values[i] = 0x010101 * i;
    SAMPLE palette{255, 256, values.data()};
    EXPECT_EQ(support::printed(BYTEMAP_debug, [&] { BYTEMAP_toImage(map, image.img, &palette); }), ERR);
    EXPECT_EQ(image.at(0, 0), 0u);
    palette.count = 256;
    BYTEMAP_toImage(map, image.img, &palette);
    EXPECT_EQ(image.at(0, 0), 0x0F0F0Fu);
    EXPECT_EQ(image.at(1, 0), 0u);
    // Random fill: base + (random30 & mask) in the low byte, first cell first.
    BYTEMAP_setSize(map, 3, 1);
    RANDOM_srand(0x10531751u);
    BYTEMAP_randomFill(map, 250, 0x3F);
    EXPECT_EQ(cells(map), (std::vector<int>{2, 1, 36}));
    for (BYTEMAP* m : {map, table, mask}) BYTEMAP_free(&m);
}

TEST(BytemapBlits, ClippingTransparencyAverageAndWrap)
{
    BYTEMAP* src = sized(3, 3);
    for (int i = 0; i < 9; ++i) src->bytes[i] = static_cast<std::uint8_t>(i * 10);   // cell 0 is 0
    BYTEMAP* dst = sized(4, 4);
    BYTEMAP_fillRect(dst, 0, 0, 4, 4, 7);
    BYTEMAP_blit(src, dst, 0, 0, -1, -1, 3, 3);     // only the lower right 2 x 2 lands
    BYTEMAP_blit(src, dst, 0, 0, 3, 3, 3, 3);       // the zero corner is transparent
    BYTEMAP_copyBlit(src, dst, 0, 0, 3, 0, 3, 3);
    BYTEMAP_copyBlit(src, dst, 0, 0, -3, 0, 3, 3);  // dx + w = 0: nothing
    EXPECT_EQ(cells(dst), (std::vector<int>{40, 50, 7, 0, 70, 80, 7, 30, 7, 7, 7, 60, 7, 7, 7, 7}));
    BYTEMAP_fillRect(dst, 0, 0, 4, 4, 255);
    BYTEMAP_drawAverage(src, dst, 2, 2);            // zero averages too
    EXPECT_EQ(cells(dst), (std::vector<int>{255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 127, 132, 255, 255, 142, 147}));

    BYTEMAP_clear(dst);
    BYTEMAP_blitRowWrap(src, dst, 1, 0, -1);        // 30, 40, 50 from column 3 on
    BYTEMAP_orRowWrap(src, dst, 0, 0, 0);           // | 0, 10, 20
    BYTEMAP_blitColumnWrap(src, dst, 2, 3, 6);      // 20, 50, 80 from row 2 on; 0 would be skipped
    EXPECT_EQ(cells(dst), (std::vector<int>{40, 10 | 50, 20, 80, 0, 0, 0, 0, 0, 0, 0, 20, 0, 0, 0, 50}));
    EXPECT_EQ(support::printed(BYTEMAP_debug, [&] { BYTEMAP_blitRowWrap(src, dst, 3, 0, 0); }), ERR);
    BYTEMAP_free(&src);
    BYTEMAP_free(&dst);
}

TEST(BytemapShapes, RectanglesLinesAndCircle)
{
    BYTEMAP* map = sized(6, 6);
    BYTEMAP_fillRect(map, -5, 0, 8, 1, 1);          // columns 0..2
    BYTEMAP_fillRect(map, 6, 1, -3, 1, 2);          // columns 3..5
    BYTEMAP_fillRectInside(map, 4, 4, 3, 1, 5);     // one cell outside: nothing
    BYTEMAP_drawRect(map, 3, 3, 3, 3, 6);           // ends at the last cell
    BYTEMAP_drawHLine(map, 2, 20, -20, 3);
    BYTEMAP_drawVLine(map, 0, 5, 3, 4);
    EXPECT_EQ(cells(map), (std::vector<int>{1, 1, 1, 0, 0, 0, 0, 0, 0, 2, 2, 2, 3, 3, 3, 3, 3, 3,
                                            4, 0, 0, 6, 6, 6, 4, 0, 0, 6, 0, 6, 4, 0, 0, 6, 6, 6}));

    // The minor axis starts half a cell in: (0,0)-(3,1) takes (1,0); (5,5)-(4,2) takes x 5, 5, 4, 4.
    BYTEMAP_clear(map);
    BYTEMAP_drawLine(map, 0, 0, 3, 1, 9);
    BYTEMAP_drawLine(map, 5, 5, 4, 2, 3);
    BYTEMAP_drawLine(map, 0, 4, 0, 4, 4);           // a point
    EXPECT_EQ(cells(map), (std::vector<int>{9, 9, 0, 0, 0, 0, 0, 0, 9, 9, 0, 0, 0, 0, 0, 0, 3, 0,
                                            0, 0, 0, 0, 3, 0, 4, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 3}));
    BYTEMAP_drawLine(map, -2000000000, 3, 2000000000, 3, 8);   // clipped to the row
    for (int x = 0; x < 6; ++x) EXPECT_EQ(BYTEMAP_getPixel(map, x, 3), 8) << x;

    // Radius 2: a 2 x 3 block, its right column one left of the centre's neighbour.
    BYTEMAP_clear(map);
    BYTEMAP_drawCircleSine(map, 3, 3, 2, 1);
    EXPECT_EQ(cells(map), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0,
                                            0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
    BYTEMAP_free(&map);
}

TEST(BytemapTransforms, ScaleAndRotateAsTheImageDoes)
{
    BYTEMAP* small = sized(2, 2);
    for (int i = 0; i < 4; ++i) small->bytes[i] = static_cast<std::uint8_t>(i + 1);
    BYTEMAP* big = sized(4, 4);
    BYTEMAP_scale(small, big);
    EXPECT_EQ(cells(big), (std::vector<int>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}));
    BYTEMAP_scale(big, small);
    EXPECT_EQ(cells(small), (std::vector<int>{1, 2, 3, 4}));

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
    for (BYTEMAP* m : {turned, square, small, big}) BYTEMAP_free(&m);
}
