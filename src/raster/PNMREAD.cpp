// PNMREAD: the shared PNM header and file reading.
#include "raster/PNMREAD.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace {

bool isDigit(int c) { return c >= '0' && c <= '9'; }

}  // namespace

bool PNMREAD_header(std::span<const std::uint8_t> bytes, bool byteAfterEveryNumber, PNMREAD* out)
{
    if (out == nullptr) return false;
    std::size_t pos = 0;
    auto peek = [&]() { return pos < bytes.size() ? static_cast<int>(bytes[pos]) : -1; };
    auto next = [&]() { if (pos < bytes.size()) ++pos; };
    int magic = 0;
    std::int64_t values[3] = {0, 0, 0};   // width, height, maximum
    int found = 0;
    int needed = 3;
    while (magic == 0 || found < needed) {
        const int c = peek();
        if (c < 0) return false;   // header cut short
        if (c < 33 || c > 126) {
            next();
        } else if (c == 'P' && magic == 0) {
            next();
            const int v = peek();
            if (v < '1' || v > '6') return false;
            magic = v - '0';
            next();
            if (magic == 1 || magic == 4) needed = 2;   // bit maps have no maximum
        } else if (c == '#') {
            while (peek() >= 0 && peek() != 10) next();
            next();
        } else if (isDigit(c) && magic != 0) {
            std::int64_t value = 0;
            while (isDigit(peek())) {
                value = std::min(value * 10 + (peek() - '0'), PNMREAD_NUMBER_CAP);
                next();
            }
            values[found++] = value;
            if (byteAfterEveryNumber || found == needed) next();
        } else {
            // A stray printable byte is garbage, not a zero to read forever.
            return false;
        }
    }
    *out = PNMREAD{magic, values[0], values[1], values[2], pos};
    return true;
}

bool PNMREAD_file(const char* fileName, std::vector<std::uint8_t>* out)
{
    if (fileName == nullptr || out == nullptr) return false;
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) return false;
    // A directory or a read error fails.
    out->clear();
    bool ok = true;
    try {
        std::uint8_t chunk[65536];
        std::size_t got = 0;
        while (ok && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
            out->insert(out->end(), chunk, chunk + got);
            ok = out->size() <= PNMREAD_MAX_FILE_BYTES;
        }
        ok = ok && std::ferror(file) == 0;
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    std::fclose(file);
    return ok;
}
