// PNG: writes a picture as an 8-bit RGB PNG file through libpng, each pixel
// repeated scale x scale times (nearest neighbour). Every write is checked;
// a failed file is removed. In a build without libpng it only says so.
#pragma once
#include <cstddef>
#include <cstdint>

#include "raster/IMG.h"

inline constexpr std::int32_t PNG_MAX_SIDE = 131072;   // widest or tallest file after scaling

bool PNG_available();   // false in a build without libpng
// False with one line "PATH: reason" (no line end) in error when the file cannot be made
// or written, the image is empty, or the scale is below 1 or too large.
bool PNG_save(const IMG* image, const char* path, std::int32_t scale, char* error, std::size_t errorSize);
