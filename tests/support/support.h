// Helpers shared by the tests: a picture that frees itself, and the error
// lines a module prints while its debug switch is on.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "raster/IMG.h"

namespace support {

// A width x height picture cleared to fill, freed at the end of the scope.
struct Picture {
    IMG* img = IMG_new();
    Picture(std::int32_t width, std::int32_t height, std::uint32_t fill = 0)
    {
        IMG_setSize(img, width, height);
        if (img->pixels != nullptr) IMG_clear(img, fill);
    }
    ~Picture() { IMG_free(&img); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    std::uint32_t at(std::int32_t x, std::int32_t y) const { return IMG_getPixel(img, x, y); }
    std::int32_t count(std::uint32_t colour) const   // pixels equal to colour
    {
        std::int32_t n = 0;
        for (std::int32_t i = 0; i < img->width * img->height; ++i) n += img->pixels[i] == colour;
        return n;
    }
};

// A w x h picture whose pixel (x, y) is num(x, y): each pixel tells where it came from.
inline std::uint32_t num(std::int32_t x, std::int32_t y) { return 0x010000u * static_cast<std::uint32_t>(y + 1) + static_cast<std::uint32_t>(x + 1); }
struct Numbered : Picture {
    Numbered(std::int32_t w, std::int32_t h) : Picture(w, h)
    {
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x) img->pixels[y * w + x] = num(x, y);
    }
};

// What f prints on standard output with the module's debug switch at 1; the
// switch is put back as it was.
template <class F>
std::string printed(std::uint8_t& debug, F f)
{
    const std::uint8_t before = debug;
    debug = 1;
    testing::internal::CaptureStdout();
    f();
    std::string out = testing::internal::GetCapturedStdout();
    debug = before;
    return out;
}

// What print writes to the stream it is given.
template <class F>
std::string written(F print)
{
    std::FILE* f = std::tmpfile();
    if (f == nullptr) return "(no temporary file)";
    print(f);
    std::string text(static_cast<std::size_t>(std::ftell(f)), '\0');
    std::rewind(f);
    text.resize(std::fread(text.data(), 1, text.size(), f));
    std::fclose(f);
    return text;
}

}  // namespace support
