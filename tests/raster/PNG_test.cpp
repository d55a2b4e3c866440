#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "raster/IMG.h"
#include "raster/PNG.h"
#include "support/raster.h"
#include "support/support.h"

#ifdef QORN_HAVE_PNG
#include <png.h>

namespace {

// Decodes with libpng's own reader into 0x00RRGGBB words.
bool decode(const std::string& path, std::int32_t* w, std::int32_t* h, std::vector<std::uint32_t>* pixels)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr) == 0) return false;
    *w = static_cast<std::int32_t>(image.width);
    *h = static_cast<std::int32_t>(image.height);
    pixels->resize(static_cast<std::size_t>(*w) * static_cast<std::size_t>(*h));
    for (std::size_t i = 0; i < pixels->size(); ++i)
        (*pixels)[i] = (static_cast<std::uint32_t>(bytes[3 * i]) << 16) | (static_cast<std::uint32_t>(bytes[3 * i + 1]) << 8) | bytes[3 * i + 2];
    return true;
}

// A 3 x 2 picture of the primaries, a dark grey, white and black.
struct Sample : support::Picture {
    Sample() : Picture(3, 2) { std::copy_n(std::data({0xFF0000u, 0x00FF00u, 0x0000FFu, 0x010203u, 0xFFFFFFu, 0u}), 6, img->pixels); }
};

}  // namespace

TEST(PngSave, DecodesToTheSamePixelsAtEveryScale)
{
    Sample sample;
    support::Scratch scratch;
    for (std::int32_t scale : {1, 3}) {
        const std::string path = scratch.path("round.png");
        char error[256] = "";
        ASSERT_TRUE(PNG_save(sample.img, path.c_str(), scale, error, sizeof error)) << error;
        std::int32_t w = 0, h = 0;
        std::vector<std::uint32_t> pixels;
        ASSERT_TRUE(decode(path, &w, &h, &pixels));
        ASSERT_EQ(w, 3 * scale);
        ASSERT_EQ(h, 2 * scale);
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x)
                ASSERT_EQ(pixels[static_cast<std::size_t>(y * w + x)], sample.img->pixels[(y / scale) * 3 + x / scale]) << x << "," << y;
    }
}

TEST(PngSave, ReportsEveryFailure)
{
    Sample sample;
    IMG* img = sample.img;
    support::Scratch scratch;
    char error[256] = "";
    EXPECT_FALSE(PNG_save(img, "/nonexistent-folder/x.png", 1, error, sizeof error));
    EXPECT_NE(std::string(error).find("/nonexistent-folder/x.png: "), std::string::npos) << error;
    if (std::filesystem::exists("/dev/full")) {   // every write fails: the disk is full
        error[0] = 0;
        EXPECT_FALSE(PNG_save(img, "/dev/full", 1, error, sizeof error));
        EXPECT_NE(std::string(error).find("/dev/full: "), std::string::npos) << error;
        EXPECT_TRUE(std::filesystem::exists("/dev/full"));   // a device is never removed
    }
    EXPECT_FALSE(PNG_save(img, scratch.path("zero.png").c_str(), 0, error, sizeof error));
    EXPECT_FALSE(PNG_save(nullptr, scratch.path("null.png").c_str(), 1, error, sizeof error));
    IMG_setSize(img, 16384, 1);
    EXPECT_FALSE(PNG_save(img, scratch.path("wide.png").c_str(), 9, error, sizeof error));   // past PNG_MAX_SIDE
    EXPECT_FALSE(std::filesystem::exists(scratch.path("wide.png")));
}

#else

TEST(PngSave, SaysThereIsNoPngSupport)
{
    char error[256] = "";
    EXPECT_FALSE(PNG_available());
    EXPECT_FALSE(PNG_save(nullptr, "x.png", 1, error, sizeof error));
    EXPECT_NE(std::string(error).find("no PNG support"), std::string::npos);
}

#endif
