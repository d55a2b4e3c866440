// IMG: PNM files (P1 to P6 read, P6 written) and the "IMG{" text form.
// Readers bound every read by the length they are given and allocate the
// pixels only once the input is long enough to fill them.
#include "raster/IMG.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "raster/PNMREAD.h"

namespace {

std::size_t pixelCount(const IMG* image)
{
    if (image->width <= 0 || image->height <= 0) return 0;
    return static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height);
}

}  // namespace

// PNM reading and writing.

namespace {

// Byte sources for the PNM decoder. peek() gives the next byte or -1 at the
// end; next() steps past it. Neither can run past the end of the data.
class SpanSource {
public:
    explicit SpanSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    int peek() const { return pos_ < bytes_.size() ? bytes_[pos_] : -1; }
    void next()
    {
        if (pos_ < bytes_.size()) ++pos_;
    }
    std::size_t remaining() const { return bytes_.size() - pos_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

bool isDigit(int c) { return c >= '0' && c <= '9'; }

// Reads the run of digits at the cursor (0 if there is none).
template <typename Source>
std::int64_t readNumber(Source& src)
{
    std::int64_t value = 0;
    while (isDigit(src.peek())) {
        value = std::min(value * 10 + (src.peek() - '0'), PNMREAD_NUMBER_CAP);
        src.next();
    }
    return value;
}

// Skips to the next digit; false at the end of the data.
template <typename Source>
bool skipToDigit(Source& src)
{
    while (src.peek() >= 0 && !isDigit(src.peek())) src.next();
    return src.peek() >= 0;
}

// Sides are checked one by one first, so their product cannot overflow.
bool sizeAllowed(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && width <= IMG_MAX_PIXELS && height <= IMG_MAX_PIXELS
        && width * height <= IMG_MAX_PIXELS;
}

// Fewest body bytes that can hold count pixels: a digit per P1 pixel, a
// sample and a separator per P2/P3 sample but the last, the binary bytes.
std::int64_t minimumBody(int magic, std::int64_t width, std::int64_t height)
{
    const std::int64_t count = width * height;
    switch (magic) {
    case 1: return count;
    case 2: return 2 * count - 1;
    case 3: return 6 * count - 1;
    case 4: return (width + 7) / 8 * height;
    case 5: return count;
    default: return 3 * count;
    }
}

// A black picture of a size already allowed; null if memory runs out.
IMG* newPicture(std::int64_t width, std::int64_t height)
{
    IMG* image = IMG_new();
    if (image == nullptr) return nullptr;
    IMG_setSize(image, static_cast<std::int32_t>(width), static_cast<std::int32_t>(height));
    if (image->pixels == nullptr || image->width != width) IMG_free(&image);
    return image;
}

IMG* fail(IMG* image)
{
    if (image != nullptr) IMG_free(&image);
    IMG_error();
    return nullptr;
}

// Decodes a PNM picture. The file reader differs from the memory reader in
// two ways: each header number also consumes the byte after it, and a P4
// width is kept as written (the memory reader rounds it up to a multiple of
// 8, so row padding becomes pixels). Both read P1 one digit a pixel and start
// every P4 row at a new byte.
IMG* decodePNM(std::span<const std::uint8_t> bytes, bool fromFile)
{
    PNMREAD head{};
    if (!PNMREAD_header(bytes, fromFile, &head)) return fail(nullptr);
    SpanSource src(bytes.subspan(head.body));
    const int magic = head.magic;
    std::int64_t width = head.width;
    const std::int64_t height = head.height;
    if (magic == 4 && !fromFile) width = (width + 7) / 8 * 8;
    if (!sizeAllowed(width, height)) return fail(nullptr);
    // Samples are taken as bytes 0..255; wider samples would be misread.
    if (head.maximum > 255) return fail(nullptr);
    // Data that cannot fill the picture is refused before it is allocated.
    if (static_cast<std::int64_t>(src.remaining()) < minimumBody(magic, width, height)) return fail(nullptr);

    IMG* image = newPicture(width, height);
    if (image == nullptr) return nullptr;
    std::uint32_t* out = image->pixels;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);

    auto byte = [&src](std::uint32_t& v) {
        const int c = src.peek();
        if (c < 0) return false;
        src.next();
        v = static_cast<std::uint32_t>(c);
        return true;
    };
    auto sample = [&src](std::uint32_t& v) {
        if (!skipToDigit(src)) return false;
        const std::int64_t n = readNumber(src);
        if (n > 255) return false;
        v = static_cast<std::uint32_t>(n);
        return true;
    };

    switch (magic) {
    case 1:
        for (std::size_t i = 0; i < count; ++i) {
            if (!skipToDigit(src)) return fail(image);
            out[i] = src.peek() == '0' ? 0u : 0xFFFFFFu;
            src.next();
        }
        break;
    case 2:
    case 5:
        for (std::size_t i = 0; i < count; ++i) {
            std::uint32_t g = 0;
            if (!(magic == 2 ? sample(g) : byte(g))) return fail(image);
            out[i] = (g << 16) | (g << 8) | g;
        }
        break;
    case 3:
    case 6:
        for (std::size_t i = 0; i < count; ++i) {
            std::uint32_t r = 0, g = 0, b = 0;
            const bool ok = magic == 3 ? sample(r) && sample(g) && sample(b) : byte(r) && byte(g) && byte(b);
            if (!ok) return fail(image);
            out[i] = (r << 16) | (g << 8) | b;
        }
        break;
    default:   // P4: most significant bit first, a set bit is white
        for (std::int64_t y = 0; y < height; ++y) {
            std::uint32_t bits = 0;
            for (std::int64_t x = 0; x < width; ++x) {
                if ((x & 7) == 0 && !byte(bits)) return fail(image);
                *out++ = ((bits >> (7 - (x & 7))) & 1u) != 0 ? 0xFFFFFFu : 0u;
            }
        }
        break;
    }
    return image;
}

// Text cursor over a zero-terminated string, bounded by its length.
struct TextCursor {
    const char* text;
    std::size_t length;
    std::size_t pos;
    int peek() const { return pos < length ? static_cast<unsigned char>(text[pos]) : -1; }
    void next()
    {
        if (pos < length) ++pos;
    }
    std::size_t remaining() const { return pos < length ? length - pos : 0; }
};

}  // namespace

IMG* IMG_fromPNM(std::span<const std::uint8_t> bytes)
{
    return decodePNM(bytes, false);
}

IMG* IMG_load(const char* fileName)
{
    // The whole file first, so the decoder knows how much data there is.
    std::vector<std::uint8_t> data;
    if (!PNMREAD_file(fileName, &data)) return fail(nullptr);
    return decodePNM(data, true);
}

bool IMG_save(const IMG* image, const char* fileName)
{
    if (image == nullptr || image->pixels == nullptr || fileName == nullptr || image->width <= 0 || image->height <= 0) {
        IMG_error();
        return false;
    }
    std::FILE* file = std::fopen(fileName, "wb");
    if (file == nullptr) {
        IMG_error();
        return false;
    }
    bool ok = std::fprintf(file, "P6\n%d %d\n255\n", image->width, image->height) > 0;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(image->width) * 3);
    for (std::int32_t y = 0; ok && y < image->height; ++y) {
        const std::uint32_t* p = image->pixels + static_cast<std::size_t>(y) * image->width;
        for (std::int32_t x = 0; x < image->width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(p[x] >> 16);
            row[3 * x + 1] = static_cast<std::uint8_t>(p[x] >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(p[x]);
        }
        ok = std::fwrite(row.data(), 1, row.size(), file) == row.size();
    }
    ok = std::fclose(file) == 0 && ok;
    if (!ok) IMG_error();
    return ok;
}

char* IMG_print(const IMG* image)
{
    if (image == nullptr || image->pixels == nullptr) {
        IMG_error();
        return nullptr;
    }
    const std::size_t count = pixelCount(image);
    if (count == 0) {
        char* text = static_cast<char*>(std::malloc(6));
        if (text == nullptr) {
            IMG_error();
            return nullptr;
        }
        std::memcpy(text, "IMG{}", 6);
        return text;
    }
    char header[64];
    const int headerLength = std::snprintf(header, sizeof header, "IMG{\nP3\n%d %d\n255\n", image->width, image->height);
    // Twelve characters a pixel ("%3d " three times), then "}\n" and the zero.
    const std::size_t size = static_cast<std::size_t>(headerLength) + count * 12 + 3;
    char* text = static_cast<char*>(std::malloc(size));
    if (text == nullptr) {
        IMG_error();
        return nullptr;
    }
    std::memcpy(text, header, static_cast<std::size_t>(headerLength));
    char* out = text + headerLength;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t p = image->pixels[i];
        for (int shift = 16; shift >= 0; shift -= 8) {
            const unsigned v = (p >> shift) & 0xFFu;
            out[0] = v >= 100 ? static_cast<char>('0' + v / 100) : ' ';
            out[1] = v >= 10 ? static_cast<char>('0' + v / 10 % 10) : ' ';
            out[2] = static_cast<char>('0' + v % 10);
            out[3] = ' ';
            out += 4;
        }
        if ((i + 1) % 6 == 0) out[-1] = '\n';   // six pixels a line
    }
    out[-1] = '\n';
    std::memcpy(out, "}\n", 3);
    return text;
}

IMG* IMG_parse(const char* text)
{
    if (text == nullptr) {
        IMG_error();
        return nullptr;
    }
    std::int32_t pos = IMG_findString(text, "IMG");
    std::int32_t next = pos != 0 ? IMG_findString(text + pos, "{") : 0;
    pos = next != 0 ? pos + next : 0;
    next = pos != 0 ? IMG_findString(text + pos, "P3\n") : 0;
    if (next == 0) {
        IMG_error();
        return nullptr;
    }
    TextCursor src{text, std::strlen(text), static_cast<std::size_t>(pos + next)};
    // Width, height and maximum value, each followed by one separator byte.
    const std::int64_t width = readNumber(src);
    src.next();
    const std::int64_t height = readNumber(src);
    src.next();
    readNumber(src);
    src.next();
    // Three numbers a pixel with a separator after all but the last: a text
    // shorter than that cannot fill the picture and is refused before it is
    // allocated.
    if (!sizeAllowed(width, height) || static_cast<std::int64_t>(src.remaining()) < 6 * width * height - 1)
        return fail(nullptr);
    IMG* image = newPicture(width, height);
    if (image == nullptr) return nullptr;
    const std::size_t count = pixelCount(image);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t word = 0;
        for (int k = 0; k < 3; ++k) {
            if (!skipToDigit(src)) return fail(image);   // the text ends too early
            const std::int64_t v = readNumber(src);
            if (v > 255) return fail(image);
            word = (word << 8) | static_cast<std::uint32_t>(v);
        }
        image->pixels[i] = word;
    }
    return image;
}

std::int32_t IMG_findString(const char* text, const char* token)
{
    if (text == nullptr || token == nullptr) {
        IMG_error();
        return 0;
    }
    const char* hit = std::strstr(text, token);
    if (hit == nullptr) return 0;
    const std::size_t past = static_cast<std::size_t>(hit - text) + std::strlen(token);
    return past > static_cast<std::size_t>(INT32_MAX) ? 0 : static_cast<std::int32_t>(past);
}
