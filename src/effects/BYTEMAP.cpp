// BYTEMAP: byte cells with the IMG operation families. Readers of PNM data
// and of the text dump know the length of what they read: a truncated body,
// a zero or oversized map and garbage in a header give null, never a read
// past the end. Scaling and rotation go through IMG so that both resample
// alike.
#include "effects/BYTEMAP.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "foundation/RANDOM.h"
#include "raster/GRID.h"
#include "raster/PNMREAD.h"

const MODID BYTEMAP_ID = MODID{"BYTEMAP ", "20110512", "VANTOLEK", "C       ", "CODE    "};
std::uint8_t BYTEMAP_debug = 0;

namespace {

// Header and body numbers stop growing here, far above any valid value.
constexpr std::int64_t numberCap = 1LL << 40;

std::size_t cellCount(const BYTEMAP* map)
{
    return static_cast<std::size_t>(map->width) * static_cast<std::size_t>(map->height);
}

bool usable(const BYTEMAP* map)
{
    if (map == nullptr || map->bytes == nullptr) { BYTEMAP_error(); return false; }
    return true;
}

bool inside(const BYTEMAP* map, std::int64_t x, std::int64_t y)
{
    return x >= 0 && y >= 0 && x < map->width && y < map->height;
}

std::uint8_t& cell(BYTEMAP* map, std::int64_t x, std::int64_t y)
{
    return map->bytes[static_cast<std::size_t>(y) * static_cast<std::size_t>(map->width) + static_cast<std::size_t>(x)];
}

std::uint8_t cellOf(const BYTEMAP* map, std::int64_t x, std::int64_t y)
{
    return map->bytes[static_cast<std::size_t>(y) * static_cast<std::size_t>(map->width) + static_cast<std::size_t>(x)];
}

void plot(BYTEMAP* map, std::int64_t x, std::int64_t y, std::uint8_t value)
{
    if (inside(map, x, y)) cell(map, x, y) = value;
}

// Sides are checked one by one first, so their product cannot overflow.
bool sizeAllowed(std::int64_t w, std::int64_t h)
{
    return w > 0 && h > 0 && w <= BYTEMAP_MAX_CELLS && h <= BYTEMAP_MAX_CELLS && w * h <= BYTEMAP_MAX_CELLS;
}

BYTEMAP* newSized(std::int64_t w, std::int64_t h)
{
    if (w < 0 || h < 0 || w > BYTEMAP_MAX_CELLS || h > BYTEMAP_MAX_CELLS || w * h > BYTEMAP_MAX_CELLS) { BYTEMAP_error(); return nullptr; }
    BYTEMAP* map = BYTEMAP_new();
    if (map == nullptr) return nullptr;
    if (!BYTEMAP_setSize(map, static_cast<std::int32_t>(w), static_cast<std::int32_t>(h))) BYTEMAP_free(&map);
    return map;
}

// Offset reduced into 0..n-1 for n > 0.
std::int64_t wrapOffset(std::int64_t offset, std::int64_t n)
{
    const std::int64_t o = offset % n;
    return o < 0 ? o + n : o;
}

// Bounded reading of text and PNM bodies.
struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;

    bool atEnd() const { return pos >= size; }
    std::uint8_t peek() const { return data[pos]; }
    bool digitHere() const { return !atEnd() && data[pos] >= '0' && data[pos] <= '9'; }
    std::size_t left() const { return atEnd() ? 0 : size - pos; }

    // Digits at pos as a decimal number, capped; false if there are none.
    bool digits(std::int64_t& value)
    {
        if (!digitHere()) return false;
        value = 0;
        while (digitHere()) {
            value = std::min(numberCap, value * 10 + (data[pos] - '0'));
            ++pos;
        }
        return true;
    }

    // Skips non-digits, then reads a number; false at the end of the data.
    bool nextNumber(std::int64_t& value)
    {
        while (!atEnd() && !digitHere()) ++pos;
        return digits(value);
    }
};

// Index just past the first occurrence of token at or after from, 0 if none.
std::size_t findToken(std::string_view text, std::string_view token, std::size_t from)
{
    const std::size_t at = text.find(token, from);
    return at == std::string_view::npos ? 0 : at + token.size();
}

// The PNM decoder shared by the memory and file readers. The file reader
// keeps a P4 width as written, each row starting at a new byte.
BYTEMAP* decodePNM(std::span<const std::uint8_t> data, bool fromFile)
{
    PNMREAD head{};
    if (!PNMREAD_header(data, false, &head)) { BYTEMAP_error(); return nullptr; }
    // The maximum is never used for scaling, but above 255 the binary forms
    // hold two bytes a sample, which would be misread.
    if ((head.magic == 5 || head.magic == 6) && head.maximum > 255) { BYTEMAP_error(); return nullptr; }
    Reader in{data.data(), data.size(), head.body};
    const int type = head.magic;
    std::int64_t width = head.width;
    const std::int64_t height = head.height;
    if (type == 4 && !fromFile) width = (width + 7) / 8 * 8;   // row padding becomes cells
    if (!sizeAllowed(width, height)) { BYTEMAP_error(); return nullptr; }
    const std::int64_t cells = width * height;
    const std::int64_t rowBytes = (width + 7) / 8;
    // Each cell needs at least this much input; checked before allocating.
    std::int64_t needed = cells;
    if (type == 6) needed = cells * 3;
    if (type == 3) needed = cells * 3;
    if (type == 4) needed = rowBytes * height;
    if (static_cast<std::int64_t>(in.left()) < needed) { BYTEMAP_error(); return nullptr; }

    BYTEMAP* map = newSized(width, height);
    if (map == nullptr) return nullptr;
    std::uint8_t* out = map->bytes;
    const std::uint8_t* body = data.data() + in.pos;
    bool ok = true;
    switch (type) {
    case 6:
        for (std::int64_t i = 0; i < cells; ++i) out[i] = static_cast<std::uint8_t>((body[3 * i] + body[3 * i + 1] + body[3 * i + 2]) / 3);
        break;
    case 5:
        std::memcpy(out, body, static_cast<std::size_t>(cells));
        break;
    case 4:
        for (std::int64_t y = 0; y < height; ++y) {
            for (std::int64_t x = 0; x < width; ++x) {
                const std::uint8_t byte = body[y * rowBytes + x / 8];
                out[y * width + x] = (byte >> (7 - x % 8)) & 1 ? 255 : 0;
            }
        }
        break;
    case 3:
        for (std::int64_t i = 0; i < cells && ok; ++i) {
            std::int64_t r = 0, g = 0, b = 0;
            ok = in.nextNumber(r) && in.nextNumber(g) && in.nextNumber(b);
            out[i] = static_cast<std::uint8_t>((r + g + b) / 3);
        }
        break;
    case 2:
        for (std::int64_t i = 0; i < cells && ok; ++i) {
            std::int64_t v = 0;
            ok = in.nextNumber(v);
            out[i] = static_cast<std::uint8_t>(v);   // kept to its low byte
        }
        break;
    default:   // P1
        // One digit character per cell, from memory and from files alike:
        // the format lets digits be packed without blanks, which reading
        // whole numbers would take for one huge cell.
        for (std::int64_t i = 0; i < cells && ok; ++i) {
            while (!in.atEnd() && !in.digitHere()) ++in.pos;
            ok = !in.atEnd();
            if (ok) out[i] = in.data[in.pos++] != '0' ? 255 : 0;
        }
        break;
    }
    if (!ok) { BYTEMAP_free(&map); BYTEMAP_error(); return nullptr; }
    return map;
}

template <typename Rule>
void blitWith(const BYTEMAP* src, BYTEMAP* dst, std::int64_t sx, std::int64_t sy, std::int64_t dx, std::int64_t dy, std::int64_t w, std::int64_t h, Rule rule)
{
    if (!usable(src) || !usable(dst)) return;
    GRID_blit(src->bytes, src->width, src->height, dst->bytes, dst->width, dst->height, sx, sy, dx, dy, w, h, rule);
}

template <typename Rule>
void rowWrap(const BYTEMAP* src, BYTEMAP* dst, std::int32_t srcRow, std::int32_t dstRow, std::int32_t offset, Rule rule)
{
    if (!usable(src) || !usable(dst)) return;
    if (srcRow < 0 || srcRow >= src->height || dstRow < 0 || dstRow >= dst->height) { BYTEMAP_error(); return; }
    if (src->width <= 0 || dst->width <= 0) return;
    GRID_wrapLine(src->bytes + static_cast<std::size_t>(srcRow) * static_cast<std::size_t>(src->width), 1, src->width,
                  dst->bytes + static_cast<std::size_t>(dstRow) * static_cast<std::size_t>(dst->width), 1, dst->width,
                  wrapOffset(offset, dst->width), rule);
}

// The map as colour words, for the IMG transforms.
IMG* toWords(const BYTEMAP* map)
{
    IMG* image = IMG_new();
    if (image == nullptr) return nullptr;
    IMG_setSize(image, map->width, map->height);
    if (image->pixels == nullptr || image->width != map->width || image->height != map->height) { IMG_free(&image); return nullptr; }
    for (std::size_t i = 0; i < cellCount(map); ++i) image->pixels[i] = map->bytes[i];
    return image;
}

}  // namespace

BYTEMAP* BYTEMAP_new()
{
    std::unique_ptr<BYTEMAP> map(new (std::nothrow) BYTEMAP{});
    std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[256]());
    if (!map || !bytes) { BYTEMAP_error(); return nullptr; }
    map->width = 16;
    map->height = 16;
    map->bytes = bytes.release();
    return map.release();
}

void BYTEMAP_free(BYTEMAP** map)
{
    if (map == nullptr || *map == nullptr) { BYTEMAP_error(); return; }
    delete[] (*map)->bytes;
    delete *map;
    *map = nullptr;
}

bool BYTEMAP_setSize(BYTEMAP* map, std::int32_t w, std::int32_t h)
{
    if (map == nullptr || w < 0 || h < 0 || static_cast<std::int64_t>(w) * h > BYTEMAP_MAX_CELLS) { BYTEMAP_error(); return false; }
    std::uint8_t* bytes = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(w) * static_cast<std::size_t>(h)]();
    if (bytes == nullptr) { BYTEMAP_error(); return false; }
    delete[] map->bytes;
    map->bytes = bytes;
    map->width = w;
    map->height = h;
    return true;
}

void BYTEMAP_clear(BYTEMAP* map)
{
    if (!usable(map)) return;
    std::memset(map->bytes, 0, cellCount(map));
}

void BYTEMAP_copy(const BYTEMAP* src, BYTEMAP* dst)
{
    if (!usable(src) || !usable(dst)) return;
    if (src->width != dst->width || src->height != dst->height) { BYTEMAP_error(); return; }
    std::memcpy(dst->bytes, src->bytes, cellCount(src));
}

BYTEMAP* BYTEMAP_clone(const BYTEMAP* map)
{
    if (!usable(map)) return nullptr;
    BYTEMAP* c = newSized(map->width, map->height);
    if (c != nullptr) std::memcpy(c->bytes, map->bytes, cellCount(map));
    return c;
}

bool BYTEMAP_equal(const BYTEMAP* a, const BYTEMAP* b)
{
    if (!usable(a) || !usable(b)) return false;
    return a->width == b->width && a->height == b->height && std::memcmp(a->bytes, b->bytes, cellCount(a)) == 0;
}

char* BYTEMAP_print(const BYTEMAP* map)
{
    if (!usable(map)) return nullptr;
    const std::size_t n = cellCount(map);
    if (n == 0) {
        char* empty = static_cast<char*>(std::malloc(10));
        if (empty == nullptr) { BYTEMAP_error(); return nullptr; }
        std::memcpy(empty, "BYTEMAP{}", 10);
        return empty;
    }
    const std::size_t size = n * 12 + n / 6 + 29;
    char* text = static_cast<char*>(std::malloc(size));
    if (text == nullptr) { BYTEMAP_error(); return nullptr; }
    int at = std::snprintf(text, size, "BYTEMAP{\nP3\n%d %d\n255\n", map->width, map->height);
    std::size_t p = static_cast<std::size_t>(at);
    // Each cell is the blue-only triple (0, 0, value), twelve characters;
    // every sixth ends its line.
    for (std::size_t i = 0; i < n; ++i) {
        p += static_cast<std::size_t>(std::snprintf(text + p, size - p, "%3d %3d %3d ", 0, 0, map->bytes[i]));
        if (i % 6 == 5) text[p - 1] = '\n';
    }
    text[p - 1] = '\n';
    std::memcpy(text + p, "}\n", 3);
    return text;
}

BYTEMAP* BYTEMAP_parse(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    std::size_t p = findToken(text, "BYTEMAP", 0);
    if (p != 0) p = findToken(text, "{", p);
    if (p != 0) p = findToken(text, "P3\n", p);
    if (p == 0) { BYTEMAP_error(); return nullptr; }
    Reader in{reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), p};
    std::int64_t width = 0, height = 0, maximum = 0;
    bool ok = in.digits(width);
    in.pos += 1;
    ok = ok && in.digits(height);
    in.pos += 1;
    ok = ok && in.digits(maximum);
    in.pos += 1;
    // Three numbers a cell need at least three characters a cell.
    if (!ok || !sizeAllowed(width, height) ||
        static_cast<std::int64_t>(in.left()) < width * height * 3) {
        BYTEMAP_error();
        return nullptr;
    }
    BYTEMAP* map = newSized(width, height);
    if (map == nullptr) return nullptr;
    for (std::size_t i = 0; i < cellCount(map); ++i) {
        std::int64_t r = 0, g = 0, b = 0;
        if (!in.nextNumber(r) || !in.nextNumber(g) || !in.nextNumber(b)) { BYTEMAP_free(&map); BYTEMAP_error(); return nullptr; }
        map->bytes[i] = static_cast<std::uint8_t>((r + g + b) / 3);
    }
    return map;   // whatever follows, up to the closing brace, is not needed
}

BYTEMAP* BYTEMAP_fromPNM(std::span<const std::uint8_t> data)
{
    return decodePNM(data, false);
}

BYTEMAP* BYTEMAP_load(const char* path)
{
    std::vector<std::uint8_t> data;
    if (!PNMREAD_file(path, &data)) { BYTEMAP_error(); return nullptr; }
    return decodePNM(data, true);
}

bool BYTEMAP_save(const BYTEMAP* map, const char* path)
{
    if (!usable(map) || path == nullptr || map->width == 0 || map->height == 0) { BYTEMAP_error(); return false; }
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) { BYTEMAP_error(); return false; }
    bool ok = std::fprintf(file, "P5\n%d %d\n255\n", map->width, map->height) > 0;
    ok = ok && std::fwrite(map->bytes, 1, cellCount(map), file) == cellCount(map);
    ok = std::fclose(file) == 0 && ok;   // a failed write is a failure, not a success
    if (!ok) BYTEMAP_error();
    return ok;
}

void BYTEMAP_putPixel(BYTEMAP* map, std::int32_t cx, std::int32_t cy, std::uint8_t value)
{
    if (!usable(map)) return;
    plot(map, cx, cy, value);
}

std::uint8_t BYTEMAP_getPixel(const BYTEMAP* map, std::int32_t cx, std::int32_t cy)
{
    if (!usable(map)) return 0;
    return inside(map, cx, cy) ? cellOf(map, cx, cy) : 0;
}

void BYTEMAP_toImage(const BYTEMAP* map, IMG* img, const SAMPLE* palette)
{
    if (!usable(map)) return;
    if (img == nullptr || img->pixels == nullptr || palette == nullptr || palette->values == nullptr) { BYTEMAP_error(); return; }
    if (img->width != map->width || img->height != map->height || palette->count < 256) { BYTEMAP_error(); return; }
    for (std::size_t i = 0; i < cellCount(map); ++i) img->pixels[i] = static_cast<std::uint32_t>(palette->values[map->bytes[i]]);
}

void BYTEMAP_blit(const BYTEMAP* src, BYTEMAP* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h)
{
    blitWith(src, dst, sx, sy, dx, dy, w, h, [](std::uint8_t d, std::uint8_t s) { return s != 0 ? s : d; });
}

void BYTEMAP_copyBlit(const BYTEMAP* src, BYTEMAP* dst, std::int32_t sx, std::int32_t sy, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h)
{
    blitWith(src, dst, sx, sy, dx, dy, w, h, [](std::uint8_t, std::uint8_t s) { return s; });
}

void BYTEMAP_drawAverage(const BYTEMAP* src, BYTEMAP* dst, std::int32_t x, std::int32_t y)
{
    if (!usable(src) || !usable(dst)) return;
    blitWith(src, dst, 0, 0, x, y, src->width, src->height,
             [](std::uint8_t d, std::uint8_t s) { return static_cast<std::uint8_t>((d + s) >> 1); });
}

void BYTEMAP_blitRowWrap(const BYTEMAP* src, BYTEMAP* dst, std::int32_t srcRow, std::int32_t dstRow, std::int32_t offset)
{
    rowWrap(src, dst, srcRow, dstRow, offset, [](std::uint8_t d, std::uint8_t s) { return s != 0 ? s : d; });
}

void BYTEMAP_orRowWrap(const BYTEMAP* src, BYTEMAP* dst, std::int32_t srcRow, std::int32_t dstRow, std::int32_t offset)
{
    rowWrap(src, dst, srcRow, dstRow, offset, [](std::uint8_t d, std::uint8_t s) { return static_cast<std::uint8_t>(d | s); });
}

void BYTEMAP_blitColumnWrap(const BYTEMAP* src, BYTEMAP* dst, std::int32_t srcCol, std::int32_t dstCol, std::int32_t offset)
{
    if (!usable(src) || !usable(dst)) return;
    if (srcCol < 0 || srcCol >= src->width || dstCol < 0 || dstCol >= dst->width) { BYTEMAP_error(); return; }
    if (src->height <= 0 || dst->height <= 0) return;
    GRID_wrapLine(src->bytes + srcCol, static_cast<std::size_t>(src->width), src->height, dst->bytes + dstCol,
                  static_cast<std::size_t>(dst->width), dst->height, wrapOffset(offset, dst->height),
                  [](std::uint8_t d, std::uint8_t s) { return s != 0 ? s : d; });
}

void BYTEMAP_and(const BYTEMAP* src, BYTEMAP* dst)
{
    if (!usable(src) || !usable(dst)) return;
    if (src->width != dst->width || src->height != dst->height) { BYTEMAP_error(); return; }
    for (std::size_t i = 0; i < cellCount(src); ++i) dst->bytes[i] &= src->bytes[i];
}

void BYTEMAP_fillRect(BYTEMAP* map, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t value)
{
    if (!usable(map)) return;
    std::int64_t x0 = x, y0 = y, cw = w, ch = h;
    if (cw == 0 || ch == 0) return;
    if (cw < 0) { x0 += cw; cw = -cw; }   // a negative size extends left or up from the corner
    if (ch < 0) { y0 += ch; ch = -ch; }
    if (x0 + cw < 1 || y0 + ch < 1 || x0 >= map->width || y0 >= map->height) return;
    if (x0 < 0) { cw += x0; x0 = 0; }
    if (y0 < 0) { ch += y0; y0 = 0; }
    cw = std::min<std::int64_t>(cw, map->width - x0);
    ch = std::min<std::int64_t>(ch, map->height - y0);
    for (std::int64_t j = 0; j < ch; ++j) std::memset(&cell(map, x0, y0 + j), value, static_cast<std::size_t>(cw));
}

void BYTEMAP_fillRectInside(BYTEMAP* map, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t value)
{
    if (!usable(map)) return;
    if (x < 0 || y < 0 || w < 1 || h < 1 || static_cast<std::int64_t>(x) + w > map->width || static_cast<std::int64_t>(y) + h > map->height) return;
    for (std::int32_t j = 0; j < h; ++j) std::memset(&cell(map, x, y + j), value, static_cast<std::size_t>(w));
}

void BYTEMAP_drawRect(BYTEMAP* map, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t value)
{
    if (!usable(map)) return;
    if (x < 0 || y < 0 || w < 1 || h < 1 || static_cast<std::int64_t>(x) + w > map->width || static_cast<std::int64_t>(y) + h > map->height) return;
    for (std::int32_t i = 0; i < w; ++i) {
        cell(map, x + i, y) = value;
        cell(map, x + i, y + h - 1) = value;
    }
    for (std::int32_t j = 0; j < h; ++j) {
        cell(map, x, y + j) = value;
        cell(map, x + w - 1, y + j) = value;
    }
}

void BYTEMAP_drawCircleSine(BYTEMAP* map, std::int32_t cx, std::int32_t cy, std::int32_t r, std::uint8_t value)
{
    if (!usable(map)) return;
    const std::int64_t radius = r < 0 ? -static_cast<std::int64_t>(r) : r;
    const std::int64_t x = cx, y = cy;
    if (x + radius < 0 || y + radius < 0 || x - radius >= map->width || y - radius >= map->height) return;
    GRID_sineCircle(radius, [&](std::int64_t dx, std::int64_t dy) { plot(map, x + dx, y + dy, value); });
}

void BYTEMAP_drawHLine(BYTEMAP* map, std::int32_t y, std::int32_t x0, std::int32_t x1, std::uint8_t value)
{
    if (!usable(map)) return;
    if (x0 > x1) std::swap(x0, x1);
    if (y < 0 || y >= map->height) return;
    const std::int64_t a = std::max(x0, 0);
    const std::int64_t b = std::min<std::int64_t>(x1, map->width - 1);
    for (std::int64_t x = a; x <= b; ++x) cell(map, x, y) = value;
}

void BYTEMAP_drawVLine(BYTEMAP* map, std::int32_t x, std::int32_t y0, std::int32_t y1, std::uint8_t value)
{
    if (!usable(map)) return;
    if (y0 > y1) std::swap(y0, y1);
    if (x < 0 || x >= map->width) return;
    const std::int64_t a = std::max(y0, 0);
    const std::int64_t b = std::min<std::int64_t>(y1, map->height - 1);
    for (std::int64_t y = a; y <= b; ++y) cell(map, x, y) = value;
}

void BYTEMAP_drawLine(BYTEMAP* map, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint8_t value)
{
    if (!usable(map)) return;
    const std::int64_t dx = static_cast<std::int64_t>(x1) - x0;
    const std::int64_t dy = static_cast<std::int64_t>(y1) - y0;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    // One cell per step of the major axis; the minor coordinate runs in 16.16
    // from the middle of its first cell, by (minor delta << 16) / major delta.
    const std::int64_t major0 = xMajor ? x0 : y0;
    const std::int64_t minor0 = xMajor ? y0 : x0;
    const std::int64_t dMajor = xMajor ? dx : dy;
    const std::int64_t dMinor = xMajor ? dy : dx;
    const std::int64_t steps = dMajor < 0 ? -dMajor : dMajor;
    const std::int64_t dir = dMajor < 0 ? -1 : 1;
    const std::int64_t slope = steps == 0 ? 0 : dMinor * 65536 / steps;
    const std::int64_t start = minor0 * 65536 + 0x8000;
    // Only the steps whose major coordinate lies inside the map are walked.
    const std::int64_t limit = xMajor ? map->width : map->height;
    std::int64_t first = 0, last = steps;
    if (dir > 0) {
        first = std::max<std::int64_t>(first, -major0);
        last = std::min<std::int64_t>(last, limit - 1 - major0);
    } else {
        first = std::max<std::int64_t>(first, major0 - (limit - 1));
        last = std::min<std::int64_t>(last, major0);
    }
    for (std::int64_t n = first; n <= last; ++n) {
        const std::int64_t major = major0 + dir * n;
        const std::int64_t minor = (start + n * slope) >> 16;
        if (xMajor) plot(map, major, minor, value);
        else plot(map, minor, major, value);
    }
}

void BYTEMAP_scale(const BYTEMAP* src, BYTEMAP* dst)
{
    if (!usable(src) || !usable(dst)) return;
    IMG* from = toWords(src);
    IMG* to = toWords(dst);
    if (from == nullptr || to == nullptr) {
        BYTEMAP_error();
    } else {
        IMG_scale(from, to);
        for (std::size_t i = 0; i < cellCount(dst); ++i) dst->bytes[i] = static_cast<std::uint8_t>(to->pixels[i]);
    }
    if (from != nullptr) IMG_free(&from);
    if (to != nullptr) IMG_free(&to);
}

BYTEMAP* BYTEMAP_rotate(const BYTEMAP* src, std::int32_t angle)
{
    if (!usable(src)) return nullptr;
    // Sides grow by about the square root of two, room for any angle.
    BYTEMAP* out = newSized(static_cast<std::int64_t>(src->width) * 92667 / 65536, static_cast<std::int64_t>(src->height) * 92667 / 65536);
    if (out == nullptr) return nullptr;
    IMG* from = toWords(src);
    IMG* to = toWords(out);
    if (from == nullptr || to == nullptr) {
        BYTEMAP_error();
        BYTEMAP_free(&out);
    } else {
        IMG_rotate(from, to, angle);
        for (std::size_t i = 0; i < cellCount(out); ++i) out->bytes[i] = static_cast<std::uint8_t>(to->pixels[i]);
    }
    if (from != nullptr) IMG_free(&from);
    if (to != nullptr) IMG_free(&to);
    return out;
}

void BYTEMAP_add(BYTEMAP* map, std::int32_t value)
{
    if (!usable(map)) return;
    const std::uint32_t v = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < cellCount(map); ++i) map->bytes[i] = static_cast<std::uint8_t>(map->bytes[i] + v);
}

void BYTEMAP_sub(BYTEMAP* map, std::int32_t value)
{
    if (!usable(map)) return;
    for (std::size_t i = 0; i < cellCount(map); ++i) {
        map->bytes[i] = static_cast<std::uint8_t>(std::clamp<std::int64_t>(static_cast<std::int64_t>(map->bytes[i]) - value, 0, 255));
    }
}

void BYTEMAP_lookup(BYTEMAP* map, const BYTEMAP* table)
{
    if (!usable(map) || !usable(table)) return;
    if (cellCount(table) < 256) { BYTEMAP_error(); return; }
    for (std::size_t i = 0; i < cellCount(map); ++i) map->bytes[i] = table->bytes[map->bytes[i]];
}

void BYTEMAP_replace(BYTEMAP* map, std::uint8_t from, std::uint8_t to)
{
    if (!usable(map)) return;
    std::replace(map->bytes, map->bytes + cellCount(map), from, to);
}

void BYTEMAP_invert(BYTEMAP* map)
{
    if (!usable(map)) return;
    for (std::size_t i = 0; i < cellCount(map); ++i) map->bytes[i] = static_cast<std::uint8_t>(255 - map->bytes[i]);
}

void BYTEMAP_randomFill(BYTEMAP* map, std::int32_t base, std::int32_t mask)
{
    if (!usable(map)) return;
    for (std::size_t i = 0; i < cellCount(map); ++i) {
        const std::uint32_t r = static_cast<std::uint32_t>(RANDOM_random30()) & static_cast<std::uint32_t>(mask);
        map->bytes[i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(base) + r);
    }
}

void BYTEMAP_error()
{
    if (BYTEMAP_debug != 0) std::fputs("BYTEMAP error\n", stdout);
}
