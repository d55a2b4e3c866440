// PNMREAD: what the PNM readers of IMG and BYTEMAP share: a whole file read
// into memory under a size cap, and the header, read with every access
// bounded by the data. Callers report their own errors.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct PNMREAD {
    std::int32_t magic;              // 1..6 for P1..P6
    std::int64_t width, height;      // as written, held to at most PNMREAD_NUMBER_CAP
    std::int64_t maximum;            // 0 for P1 and P4, which have none
    std::size_t body;                // index of the first body byte, at most the data size
};

// Header numbers stop growing here, so a product of two fits in 64 bits and
// an oversized value still fails every size check.
inline constexpr std::int64_t PNMREAD_NUMBER_CAP = 0x100000000LL;
// Files larger than this are not read at all.
inline constexpr std::size_t PNMREAD_MAX_FILE_BYTES = std::size_t{1} << 30;

// The header: "P" and the type digit, then width, height and (but for P1 and
// P4) the maximum, with blanks and "#" comments to the line end between.
// The one byte after the last number is the end of the header; with
// byteAfterEveryNumber the byte after each number is taken. False on data
// cut short, a bad type digit or any other printable byte.
bool PNMREAD_header(std::span<const std::uint8_t> bytes, bool byteAfterEveryNumber, PNMREAD* out);

// The whole file into out; false if it cannot be opened or read, or is larger
// than PNMREAD_MAX_FILE_BYTES.
bool PNMREAD_file(const char* fileName, std::vector<std::uint8_t>* out);
