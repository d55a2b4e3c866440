#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/ARRAY.h"
#include "foundation/RANDOM.h"
#include "raster/FILL.h"
#include "raster/IMG.h"
#include "support/support.h"

namespace {

IMG* plainImage(std::int32_t w, std::int32_t h, std::uint32_t colour)
{
    IMG* image = IMG_new();
    IMG_setSize(image, w, h);
    IMG_clear(image, colour);
    return image;
}

FILL* fillOn(IMG* image)
{
    FILL* fill = FILL_new();
    fill->image = image;
    return fill;
}

}  // namespace

TEST(FillPlain, OnePixelIslandFinishesInOneStep)
{
    IMG* image = plainImage(3, 3, 0x111111);
    IMG_putPixel(image, 1, 1, 0x222222);
    FILL* fill = fillOn(image);
    EXPECT_EQ(fill->colourStep, 0x010101u);
    FILL_start(fill, 1, 1, 0xFF0000);
    EXPECT_EQ(fill->oldColour, 0x222222u);
    EXPECT_EQ(fill->mode, 'f');
    EXPECT_EQ(FILL_step(fill), 0);
    EXPECT_EQ(IMG_getPixel(image, 1, 1), 0xFF0000u);
    EXPECT_EQ(IMG_getPixel(image, 0, 1), 0x111111u);
    EXPECT_EQ(fill->generation, 1);
    EXPECT_EQ(fill->right, 3);
    EXPECT_EQ(fill->bottom, 3);
    FILL_free(&fill);
    EXPECT_EQ(fill, nullptr);
    IMG_free(&image);
}

TEST(FillPlain, StripSpreadsOnePixelPerGeneration)
{
    IMG* image = plainImage(10, 1, 0);
    FILL* fill = fillOn(image);
    FILL_start(fill, 0, 0, 0x00FF00);
    for (int g = 1; g <= 9; ++g) {
        ASSERT_EQ(FILL_step(fill), 1) << g;
        EXPECT_EQ(IMG_getPixel(image, g - 1, 0), 0x00FF00u);
        EXPECT_EQ(IMG_getPixel(image, g, 0), 0u);
    }
    EXPECT_EQ(FILL_step(fill), 0);
    EXPECT_EQ(IMG_getPixel(image, 9, 0), 0x00FF00u);
    EXPECT_EQ(FILL_step(fill), 0);   // finished fills stay finished
    FILL_free(&fill);
    IMG_free(&image);
}

// Pixels outside read as 0 too, but the clip box keeps the fill inside.
TEST(FillPlain, BlackStopsAtTheImageEdgeAndCollectsEveryPixelOnce)
{
    IMG* image = plainImage(5, 4, 0);
    FILL* fill = fillOn(image);
    ARRAY* points = ARRAY_new();
    ARRAY_setElementSize(points, 8);
    FILL_start(fill, 2, 1, 0x0000FF);
    int steps = 0;
    while (FILL_stepCollect(fill, points) != 0) ASSERT_LT(++steps, 20);
    EXPECT_EQ(steps + 1, 5);   // the farthest corners, (0, 3) and (4, 3), are 2 + 2 away
    ASSERT_EQ(points->count, 20);
    std::vector<int> seen(20, 0);
    for (std::int32_t i = 0; i < points->count; ++i) {
        std::int32_t p[2];
        ARRAY_get(points, p, i);
        ASSERT_TRUE(p[0] >= 0 && p[0] < 5 && p[1] >= 0 && p[1] < 4);
        seen[p[1] * 5 + p[0]] += 1;
    }
    for (int i = 0; i < 20; ++i) EXPECT_EQ(seen[i], 1) << i;
    for (int i = 0; i < 20; ++i) EXPECT_EQ(image->pixels[i], 0x0000FFu);
    ARRAY_free(&points);
    FILL_free(&fill);
    IMG_free(&image);
}

TEST(FillPlain, SameColourWrongModeAndNullAreRefused)
{
    IMG* image = plainImage(4, 4, 0x333333);
    FILL* fill = fillOn(image);
    FILL_start(fill, 0, 0, 0x333333);   // painting would change nothing
    EXPECT_EQ(FILL_step(fill), 0);
    EXPECT_EQ(fill->front->count, 0);
    EXPECT_EQ(fill->next->count, 0);

    FILL_start(fill, 0, 0, 0x444444);
    fill->mode = 'a';
    EXPECT_EQ(support::printed(FILL_debug, [&] {
                  EXPECT_EQ(FILL_step(fill), 0);
                  EXPECT_EQ(FILL_stepPattern(fill), 0);   // no pattern, and the wrong mode
                  EXPECT_EQ(FILL_step(nullptr), 0);
                  FILL_start(nullptr, 0, 0, 0);
              }),
              "FILL error\nFILL error\nFILL error\nFILL error\n");
    EXPECT_EQ(IMG_getPixel(image, 0, 0), 0x333333u);
    FILL_free(&fill);
    IMG_free(&image);
}

// The pattern pixel is read at ((x + patternX) % width, (y + patternY) %
// height); a negative remainder means index 0 on its axis. Letters name the
// 2 x 2 tile: A B on row 0, C D on row 1.
TEST(FillPattern, TilesThePatternWithOffsets)
{
    struct Case {
        std::int32_t patternX, patternY;
        const char* rows[3];
    };
    const Case cases[] = {
        {1, 2, {"BABA", "DCDC", "BABA"}},
        {-3, 0, {"AAAA", "CCCC", "AAAA"}},    // every column remainder is -1 or 0
        {-1, -2, {"AABA", "AABA", "AABA"}},   // x - 1 = -1 and y - 2 = -1 read index 0
        {INT32_MAX, 0, {"BAAA", "DCCC", "BAAA"}},   // the sum wraps to INT32_MIN at x = 1
    };
    for (const Case& c : cases) {
        support::Picture image(4, 3, 0);
        support::Picture pattern(2, 2, 0);
        IMG_putPixel(pattern.img, 0, 0, 0x0000AA);
        IMG_putPixel(pattern.img, 1, 0, 0x0000BB);
        IMG_putPixel(pattern.img, 0, 1, 0x0000CC);
        IMG_putPixel(pattern.img, 1, 1, 0x0000DD);
        FILL* fill = fillOn(image.img);
        fill->pattern = pattern.img;
        FILL_start(fill, 0, 0, 0xFFFFFF);
        fill->mode = 'p';
        fill->patternX = c.patternX;
        fill->patternY = c.patternY;
        int steps = 0;
        while (FILL_stepPattern(fill) != 0) ASSERT_LT(++steps, 20);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 4; ++x) {
                const std::uint32_t want = 0xAAu + 0x11u * static_cast<std::uint32_t>(c.rows[y][x] - 'A');
                EXPECT_EQ(image.at(x, y), want) << c.patternX << "," << c.patternY << " at " << x << "," << y;
            }
        }
        FILL_free(&fill);
    }
}

// A pattern pixel equal to the colour being replaced leaves its pixel as it
// was and acts as a wall; the fill must still come to an end.
TEST(FillPattern, PatternHolesOfTheOldColourStillFinish)
{
    IMG* image = plainImage(8, 8, 0);
    IMG* pattern = plainImage(2, 1, 0);
    IMG_putPixel(pattern, 0, 0, 0x808080);   // (1, 0) stays 0, the old colour
    FILL* fill = fillOn(image);
    fill->pattern = pattern;
    FILL_start(fill, 0, 0, 1);
    fill->mode = 'p';
    int steps = 0;
    while (FILL_stepPattern(fill) != 0) ASSERT_LT(++steps, 100);
    EXPECT_EQ(IMG_getPixel(image, 0, 0), 0x808080u);
    EXPECT_EQ(IMG_getPixel(image, 0, 7), 0x808080u);
    EXPECT_EQ(IMG_getPixel(image, 1, 0), 0u);
    EXPECT_EQ(IMG_getPixel(image, 2, 0), 0u);
    FILL_free(&fill);
    IMG_free(&pattern);
    IMG_free(&image);
}

TEST(FillShade, ColourDriftsOneChannelPerGeneration)
{
    IMG* image = plainImage(16, 16, 0);
    FILL* fill = fillOn(image);
    RANDOM_srand(12345);
    FILL_start(fill, 8, 8, 0x808080);
    fill->mode = 'a';
    const std::uint32_t expected[4] = {0x818080, 0x818180, 0x818181, 0x828181};
    for (const std::uint32_t colour : expected) {
        std::vector<std::uint32_t> before(image->pixels, image->pixels + 256);
        ASSERT_NE(FILL_stepShade(fill), 0);
        EXPECT_EQ(fill->newColour, colour);
        for (int i = 0; i < 256; ++i) {
            if (image->pixels[i] != before[i]) {
                EXPECT_EQ(image->pixels[i], colour) << i;
            }
        }
    }
    int steps = 4;
    while (FILL_stepShade(fill) != 0) ASSERT_LT(++steps, 400);
    for (int i = 0; i < 256; ++i) ASSERT_NE(image->pixels[i], 0u) << i;
    EXPECT_GT(steps, 17);   // the plain fill needs 17 generations

    // A step with the sign bit set subtracts; newColour 0 ends the fill.
    IMG_clear(image, 0);
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
    IMG_free(&image);
}

TEST(FillRainbow, TableCornersAndColourPerGeneration)
{
    EXPECT_EQ(FILL_rainbow[0], 0xFF0000u);
    EXPECT_EQ(FILL_rainbow[255], 0xFFFF00u);
    EXPECT_EQ(FILL_rainbow[256], 0xFFFF00u);
    EXPECT_EQ(FILL_rainbow[512], 0x00FF00u);
    EXPECT_EQ(FILL_rainbow[768], 0x00FFFFu);
    EXPECT_EQ(FILL_rainbow[1024], 0x0000FFu);
    EXPECT_EQ(FILL_rainbow[1280], 0xFF00FFu);
    EXPECT_EQ(FILL_rainbow[1535], 0xFF0000u);

    IMG* image = plainImage(8, 8, 0x404040);
    FILL* fill = fillOn(image);
    FILL_start(fill, 3, 3, 0x808080);
    fill->mode = 'a';
    fill->colourStep = 700;
    fill->generation = 2;
    ASSERT_NE(FILL_stepRainbow(fill), 0);
    EXPECT_EQ(fill->newColour, FILL_rainbow[1400 % 1536]);
    ASSERT_NE(FILL_stepRainbow(fill), 0);
    EXPECT_EQ(fill->newColour, FILL_rainbow[2100 % 1536]);
    fill->generation = -1;   // the index stays inside the table
    FILL_stepRainbow(fill);
    FILL_free(&fill);
    IMG_free(&image);
}
