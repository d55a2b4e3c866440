#include <gtest/gtest.h>

#include <string>

#include "foundation/ARRAY.h"
#include "foundation/RANDOM.h"
#include "raster/FILL.h"
#include "raster/IMG.h"
#include "support/support.h"

namespace {

using support::Picture;

// A fill on image, started at (x, y) with colour, in the given mode.
FILL* startedOn(IMG* image, std::int32_t x, std::int32_t y, std::uint32_t colour, std::int32_t mode = 'f')
{
    FILL* fill = FILL_new();
    fill->image = image;
    FILL_start(fill, x, y, colour);
    fill->mode = mode;
    return fill;
}

}  // namespace

// Pixels outside read as 0 too, but the clip box keeps the fill inside; the
// 0x111111 pixel is a wall. FILL_step and FILL_stepCollect paint alike.
TEST(FillPlain, OneGenerationAStepInsideTheImageAndTheOldColour)
{
    Picture plain(5, 4, 0);
    Picture collected(5, 4, 0);
    for (IMG* i : {plain.img, collected.img}) IMG_putPixel(i, 3, 1, 0x111111);
    FILL* a = startedOn(plain.img, 2, 1, 0x0000FF);
    FILL* b = startedOn(collected.img, 2, 1, 0x0000FF);
    ARRAY* points = ARRAY_new();
    ARRAY_setElementSize(points, 8);
    const int painted[5] = {1, 4, 10, 16, 19};   // (0, 3), (4, 3) and, round the wall, (4, 1) are 4 away
    for (int g = 1; g <= 5; ++g) {
        EXPECT_EQ(FILL_step(a) != 0, g < 5) << g;
        EXPECT_EQ(plain.count(0x0000FF), painted[g - 1]) << g;
        EXPECT_EQ(FILL_stepCollect(b, points) != 0, g < 5) << g;
        EXPECT_TRUE(IMG_equal(plain.img, collected.img)) << g;
    }
    EXPECT_EQ(FILL_step(a), 0);   // finished fills stay finished
    EXPECT_EQ(a->generation, 5);
    ASSERT_EQ(points->count, 19);   // each painted pixel once
    for (std::int32_t i = 0, p[2]; i < points->count; ++i) {
        ARRAY_get(points, p, i);
        EXPECT_EQ(collected.at(p[0], p[1]), 0x0000FFu) << p[0] << "," << p[1];
    }
    ARRAY_free(&points);
    FILL_free(&a);
    FILL_free(&b);
}

TEST(FillPlain, SameColourWrongModeAndNullAreRefused)
{
    Picture image(4, 4, 0x333333);
    FILL* fill = startedOn(image.img, 0, 0, 0x333333);   // painting would change nothing
    EXPECT_EQ(FILL_step(fill), 0);
    EXPECT_EQ(fill->front->count + fill->next->count, 0);

    FILL_start(fill, 0, 0, 0x444444);
    fill->mode = 'a';
    EXPECT_EQ(support::printed(FILL_debug, [&] {
                  EXPECT_EQ(FILL_step(fill), 0);
                  EXPECT_EQ(FILL_stepPattern(fill), 0);   // no pattern, and the wrong mode
                  EXPECT_EQ(FILL_step(nullptr), 0);
                  FILL_start(nullptr, 0, 0, 0);
              }),
              "FILL error\nFILL error\nFILL error\nFILL error\n");
    FILL_free(&fill);
}

// Pattern pixel ((x + patternX) % width, (y + patternY) % height), a negative
// remainder reading index 0; A B / C D name the 2 x 2 tile. A pattern pixel of
// the replaced colour is a wall, and the fill must still end.
TEST(FillPattern, TilesThePatternWithOffsetsAndHoles)
{
    struct Case {
        std::int32_t patternX, patternY;
        const char* rows;
    };
    const Case cases[] = {
        {1, 2, "BABA" "DCDC" "BABA"},
        {-3, 0, "AAAA" "CCCC" "AAAA"},    // every column remainder is -1 or 0
        {-1, -2, "AABA" "AABA" "AABA"},   // x - 1 = -1 and y - 2 = -1 read index 0
        {INT32_MAX, 0, "BAAA" "DCCC" "BAAA"},   // the sum wraps to INT32_MIN at x = 1
    };
    Picture pattern(2, 2, 0);
    for (int i = 0; i < 4; ++i) pattern.img->pixels[i] = 0xAAu + 0x11u * static_cast<std::uint32_t>(i);
    for (const Case& c : cases) {
        Picture image(4, 3, 0);
        FILL* fill = startedOn(image.img, 0, 0, 0xFFFFFF, 'p');
        fill->pattern = pattern.img;
        fill->patternX = c.patternX;
        fill->patternY = c.patternY;
        int steps = 0;
        while (FILL_stepPattern(fill) != 0) ASSERT_LT(++steps, 20);
        std::string got;
        for (int i = 0; i < 12; ++i) got += static_cast<char>('A' + (image.img->pixels[i] - 0xAAu) / 0x11u);
        EXPECT_EQ(got, c.rows) << c.patternX << "," << c.patternY;
        FILL_free(&fill);
    }

    Picture image(8, 8, 0);
    Picture holed(2, 1, 0);
    IMG_putPixel(holed.img, 0, 0, 0x808080);   // (1, 0) stays 0, the old colour
    FILL* fill = startedOn(image.img, 0, 0, 1, 'p');
    fill->pattern = holed.img;
    int steps = 0;
    while (FILL_stepPattern(fill) != 0) ASSERT_LT(++steps, 100);
    EXPECT_EQ(image.count(0x808080), 8);   // column 0 alone: column 1 is a wall
    FILL_free(&fill);
}

TEST(FillShade, ColourDriftsOneChannelPerGeneration)
{
    Picture image(16, 16, 0);
    RANDOM_srand(12345);
    FILL* fill = startedOn(image.img, 8, 8, 0x808080, 'a');
    for (const std::uint32_t colour : {0x818080u, 0x818180u, 0x818181u, 0x828181u}) {
        ASSERT_NE(FILL_stepShade(fill), 0);
        EXPECT_EQ(fill->newColour, colour);
    }
    int steps = 4;
    while (FILL_stepShade(fill) != 0) ASSERT_LT(++steps, 400);
    EXPECT_EQ(image.count(0), 0);
    EXPECT_GT(steps, 17);   // the plain fill needs 17 generations

    // A step with the sign bit set subtracts; newColour 0 ends the fill.
    IMG_clear(image.img, 0);
    FILL_start(fill, 0, 0, 0x808080);
    fill->mode = 'a';
    fill->colourStep = 0x80010101u;
    fill->generation = 0;
    FILL_stepShade(fill);
    EXPECT_EQ(fill->newColour, 0x7F8080u);
    fill->newColour = 0;
    EXPECT_EQ(FILL_stepShade(fill), 0);
    EXPECT_EQ(fill->front->count, 0);
    FILL_free(&fill);
}

TEST(FillRainbow, ColourPerGenerationFromTheTable)
{
    Picture image(8, 8, 0x404040);
    FILL* fill = startedOn(image.img, 3, 3, 0x808080, 'a');
    fill->colourStep = 700;
    fill->generation = 2;
    // Index generation * step: 1400 is 0xFF00FF - 120, 2100 - 1536 = 564 is 0x00FF00 + 52.
    for (const std::uint32_t colour : {0xFF0087u, 0x00FF34u}) {
        ASSERT_NE(FILL_stepRainbow(fill), 0);
        EXPECT_EQ(fill->newColour, colour);
    }
    fill->generation = -1;   // unsigned: 2^32 - 700 = 324 mod 1536, inside the table
    FILL_stepRainbow(fill);
    EXPECT_EQ(fill->newColour, 0xBBFF00u);
    FILL_free(&fill);
}
