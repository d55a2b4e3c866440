// The scene keys of CIRCLES WAVES and RECTANGLES MOVE, pressed through the
// program's scripted keys and read back from the dumped frames.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "driver/QORN7316.h"
#include "raster/IMG.h"
#include "vector/FONT.h"

namespace fs = std::filesystem;

namespace {

class SceneKeys : public testing::Test {
protected:
    fs::path dir;

    void SetUp() override
    {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / ("qorn-keys-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    int run(const std::string& args)
    {
        const std::string command = "cd '" + dir.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY '" + QORN_PROGRAM +
                                    "' --headless " + args + " >stdout.txt 2>stderr.txt";
        const int raw = std::system(command.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

    // Frames presented before the scene's enter: start-up shows pictures of its own.
    std::uint32_t sceneStart(int scene)
    {
        EXPECT_EQ(run("--scene " + std::to_string(scene) + " --trace --frames 200"), 0);
        std::ifstream err(dir / "stderr.txt");
        std::string word;
        std::uint32_t presented = 0;
        err >> word >> presented;   // "frame N: scene TITLE"
        EXPECT_EQ(word, "frame");
        return presented;
    }

    IMG* shot(std::uint32_t n)
    {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%05u.ppm", static_cast<unsigned>(n));
        IMG* image = IMG_load((dir / "shots" / name).string().c_str());
        EXPECT_NE(image, nullptr) << name;
        return image;
    }
};

// Reads digits drawn with the small font: a cell matches the glyph whose set
// pixels are exactly the cell's pixels in the font colour.
struct SmallDigits {
    const FONT* font;

    bool cellIs(const IMG* image, std::int32_t x, std::int32_t y, char c) const
    {
        const std::int32_t p = c * 8;
        const std::int32_t gx = p % font->glyphs->width, gy = p / font->glyphs->width * 8;
        const std::uint32_t ink = 0x7FFF00u;
        for (std::int32_t j = 0; j < 8; ++j) {
            for (std::int32_t i = 0; i < 8; ++i) {
                const bool glyph = IMG_getPixel(font->glyphs, gx + i, gy + j) != 0;
                if (glyph != (IMG_getPixel(image, x + i, y + j) == ink)) return false;
            }
        }
        return true;
    }

    // n hexadecimal digits at (x, y); -1 when a cell holds no digit.
    std::int64_t hex(const IMG* image, std::int32_t x, std::int32_t y, std::int32_t n) const
    {
        std::int64_t value = 0;
        for (std::int32_t k = 0; k < n; ++k) {
            std::int32_t digit = -1;
            for (std::int32_t d = 0; d < 16 && digit < 0; ++d) {
                if (cellIs(image, x + 8 * k, y, "0123456789ABCDEF"[d])) digit = d;
            }
            if (digit < 0) return -1;
            value = value * 16 + digit;
        }
        return value;
    }
};

struct WavesText {
    std::int64_t length, alpha, chain[4], step2, step3;
};

WavesText readWaves(const SmallDigits& digits, const IMG* image)
{
    return {digits.hex(image, 64, 232, 4), digits.hex(image, 152, 232, 2),
            {digits.hex(image, 32, 240, 4), digits.hex(image, 32, 248, 4), digits.hex(image, 104, 240, 4), digits.hex(image, 104, 248, 4)},
            digits.hex(image, 240, 240, 2), digits.hex(image, 240, 248, 2)};
}

std::int64_t nextFrameStep(std::int64_t byte)
{
    const std::int64_t v = static_cast<std::int8_t>(byte);
    return (((v + 17) % 33 - 16) & 0xFF);
}

}  // namespace

TEST_F(SceneKeys, CirclesWavesKeysChangeTheShownParameters)
{
    if (smallFont == nullptr) QORN7316_makeFonts();
    ASSERT_NE(smallFont, nullptr);
    const SmallDigits digits{smallFont};
    const std::uint32_t first = sceneStart(SCENE_CIRCLES_WAVES) + 33;   // after the fade-out
    const std::uint32_t k = first + 4;
    std::ostringstream keys;
    keys << k << ":C," << k + 1 << ":Z," << k + 2 << ":Z," << k + 3 << ":S," << k + 4 << ":X," << k + 5 << ":X,"
         << k + 6 << ":L," << k + 7 << ":K," << k + 8 << ":plus," << k + 9 << ":I," << k + 10 << ":greater";
    for (std::uint32_t n = 0; n < 20; ++n) keys << "," << k + 11 + n << ":U";
    keys << "," << k + 31 << ":O";
    ASSERT_EQ(run("--scene 16 --frames " + std::to_string(k + 33) + " --keys " + keys.str() + " --dump-frames=shots"), 0);

    IMG* image = shot(k);
    const WavesText before = readWaves(digits, image);
    IMG_free(&image);
    ASSERT_GE(before.length, 32);
    ASSERT_GE(before.chain[0], 73);
    ASSERT_GE(before.step2, 1);

    const auto at = [&](std::uint32_t n) {
        IMG* frame = shot(n);
        const WavesText text = readWaves(digits, frame);
        IMG_free(&frame);
        return text;
    };
    EXPECT_EQ(at(k + 1).chain[0], before.chain[0] + 1);
    EXPECT_EQ(at(k + 3).chain[0], before.chain[0] - 1);
    EXPECT_EQ(at(k + 4).chain[1], before.chain[1] + 1);
    const WavesText mid = at(k + 9);
    EXPECT_EQ(mid.chain[1], before.chain[1] - 1);
    EXPECT_EQ(mid.chain[2], before.chain[2] + 1);
    EXPECT_EQ(mid.chain[3], before.chain[3] - 1);
    EXPECT_EQ(mid.length, before.length + 1);
    const WavesText late = at(k + 11);
    EXPECT_EQ(late.chain[3], before.chain[3]);
    EXPECT_EQ(late.alpha, before.alpha + 1);
    // Twenty presses of U run the frame step round 16 to -16 (shown as its low byte).
    std::int64_t step = before.step2;
    for (int n = 0; n < 20; ++n) step = nextFrameStep(step);
    const WavesText last = at(k + 32);
    EXPECT_EQ(last.step2, step);
    EXPECT_EQ(last.step3, before.step3 + 1);
}

TEST_F(SceneKeys, RectanglesMoveKeyMovesOneStepThenHolds)
{
    const std::uint32_t first = sceneStart(SCENE_RECTANGLES_MOVE) + 33;
    const std::uint32_t k = first + 10;
    // Key 1 takes the scroller away; the logo and the hidden title stay above row 40.
    ASSERT_EQ(run("--scene 6 --frames " + std::to_string(k + 12) + " --keys " + std::to_string(first) + ":1," +
                  std::to_string(k) + ":S --dump-frames=shots"), 0);
    IMG* before = shot(k);
    IMG* moved = shot(k + 1);
    std::int32_t differ = 0, notShifted = 0;
    for (std::int32_t y = 40; y < 255; ++y) {
        for (std::int32_t x = 0; x < 256; ++x) {
            differ += IMG_getPixel(moved, x, y) != IMG_getPixel(before, x, y) ? 1 : 0;
            notShifted += IMG_getPixel(moved, x, y) != IMG_getPixel(before, x, y + 1) ? 1 : 0;
        }
    }
    EXPECT_GT(differ, 0);
    EXPECT_EQ(notShifted, 0);   // every rectangle went up one pixel
    for (std::uint32_t n = k + 2; n <= k + 12; ++n) {
        IMG* held = shot(n);
        std::int32_t changed = 0;
        for (std::int32_t y = 40; y < 256; ++y) {
            for (std::int32_t x = 0; x < 256; ++x) changed += IMG_getPixel(held, x, y) != IMG_getPixel(moved, x, y) ? 1 : 0;
        }
        EXPECT_EQ(changed, 0) << "frame " << n;
        IMG_free(&held);
    }
    IMG_free(&before);
    IMG_free(&moved);
}
