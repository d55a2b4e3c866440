#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "platform/HOST.h"
#include "platform/WINDPY.h"

namespace {

IMG* image(std::int32_t w, std::int32_t h)
{
    IMG* img = IMG_new();
    IMG_setSize(img, w, h);
    return img;
}

}  // namespace

TEST(WindpyShow, ConvertsToBottomUpBlueGreenRedRows)
{
    HOST_reset();
    WINDPY* display = WINDPY_new();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->width, 256);
    EXPECT_EQ(display->height, 256);
    WINDPY_setSize(display, 2, 2);
    IMG* img = image(2, 2);
    IMG_putPixel(img, 0, 0, 0x112233u);
    IMG_putPixel(img, 1, 0, 0x445566u);
    IMG_putPixel(img, 0, 1, 0x778899u);
    IMG_putPixel(img, 1, 1, 0xAABBCCu);
    WINDPY_show(display, img);
    std::int32_t w = 0, h = 0;
    const std::uint8_t* rows = HOST_lastFrame(&w, &h);
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 2);
    const std::uint8_t expected[12] = {0x99, 0x88, 0x77, 0xCC, 0xBB, 0xAA, 0x33, 0x22, 0x11, 0x66, 0x55, 0x44};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(rows[i], expected[i]) << i;
    EXPECT_EQ(HOST_presentedFrames(), 1u);
    IMG_free(&img);
    WINDPY_free(&display);
    EXPECT_EQ(display, nullptr);
    EXPECT_EQ(WINDPY_current(), nullptr);
}

TEST(WindpyShow, RefusesAFrameOfAnotherSize)
{
    HOST_reset();
    WINDPY* display = WINDPY_new();
    IMG* small = image(16, 16);
    const std::uint32_t number = WINDPY_frameNumber();
    WINDPY_show(display, small);
    WINDPY_show(display, nullptr);
    WINDPY_show(nullptr, small);
    EXPECT_EQ(HOST_presentedFrames(), 0u);
    EXPECT_EQ(WINDPY_frameNumber(), number);
    WINDPY_setSize(display, -1, 5);   // refused: the size stays
    EXPECT_EQ(display->width, 256);
    WINDPY other{256, 256, 0};
    EXPECT_TRUE(WINDPY_equal(display, WINDPY_clone(display)));
    EXPECT_FALSE(WINDPY_equal(display, &other));
    EXPECT_EQ(WINDPY_clone(&other), nullptr);
    IMG_free(&small);
    WINDPY_free(&display);
}

TEST(WindpyDump, NumbersEveryPresentedFrameFromOne)
{
    HOST_reset();
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("qorn-dump-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    ASSERT_TRUE(WINDPY_dumpTo(dir.c_str()));
    WINDPY* display = WINDPY_new();
    EXPECT_EQ(WINDPY_dumpFrames, 1);
    WINDPY_setSize(display, 3, 1);
    IMG* img = image(3, 1);
    IMG_putPixel(img, 2, 0, 0x0000FFu);
    const std::uint32_t first = WINDPY_frameNumber() + 1;
    for (int i = 0; i < 3; ++i) WINDPY_show(display, img);
    for (std::uint32_t n = first; n < first + 3; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%05u.ppm", static_cast<unsigned>(n));
        std::ifstream in(dir / name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(bytes, std::string("P6\n3 1\n255\n", 11) + std::string(8, '\0') + std::string("\xFF", 1)) << name;
    }
    EXPECT_EQ(WINDPY_frameNumber(), first + 2);
    WINDPY_dumpTo(nullptr);
    IMG_free(&img);
    WINDPY_free(&display);
    std::filesystem::remove_all(dir);
}
