// ASSETS: the pictures, fonts and texts compiled into the program.
// The bytes are generated at build time from the files in assets/data.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

// The bytes of the data file with this name (for example "logo.pbm"),
// followed in memory by one zero byte not counted in the size; empty if
// there is no such file.
std::span<const std::uint8_t> ASSETS_find(std::string_view name);
