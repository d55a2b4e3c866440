// PNG: the libpng writer. libpng reports errors by a long jump, so the part
// that runs under its jump point holds only plain values: the row buffer and
// the file belong to the caller, which releases them whatever happened.
#include "raster/PNG.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#ifdef QORN_HAVE_PNG
#include <png.h>
#endif

namespace {

// The one line of a failure: "what: why".
void say(char* error, std::size_t size, const char* what, const char* why)
{
    if (error != nullptr && size > 0) std::snprintf(error, size, "%s: %s", what, why);
}

}  // namespace

#ifdef QORN_HAVE_PNG

namespace {

struct Sink {
    std::FILE* file;
    const char* failure;   // first failure, a static text
    char message[200];     // libpng's own text for its errors
};

void writeData(png_structp png, png_bytep data, png_size_t n)
{
    auto* sink = static_cast<Sink*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, n, sink->file) != n) {
        sink->failure = std::strerror(errno);
        png_error(png, "write failed");
    }
}

void flushData(png_structp png)
{
    auto* sink = static_cast<Sink*>(png_get_io_ptr(png));
    if (std::fflush(sink->file) != 0) {
        sink->failure = std::strerror(errno);
        png_error(png, "write failed");
    }
}

void onError(png_structp png, png_const_charp text)
{
    auto* sink = static_cast<Sink*>(png_get_error_ptr(png));
    std::snprintf(sink->message, sizeof sink->message, "%s", text != nullptr ? text : "libpng error");
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// Runs under libpng's jump point: nothing here owns anything.
bool encode(png_structp png, png_infop info, const IMG* image, std::int32_t scale, png_bytep row)
{
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    const auto w = static_cast<png_uint_32>(image->width) * static_cast<png_uint_32>(scale);
    const auto h = static_cast<png_uint_32>(image->height) * static_cast<png_uint_32>(scale);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (std::int32_t y = 0; y < image->height; ++y) {
        const std::uint32_t* in = image->pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(image->width);
        png_bytep out = row;
        for (std::int32_t x = 0; x < image->width; ++x) {
            const std::uint32_t p = in[x];
            for (std::int32_t r = 0; r < scale; ++r) {
                *out++ = static_cast<png_byte>((p >> 16) & 0xFFu);
                *out++ = static_cast<png_byte>((p >> 8) & 0xFFu);
                *out++ = static_cast<png_byte>(p & 0xFFu);
            }
        }
        for (std::int32_t r = 0; r < scale; ++r) png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

bool PNG_available()
{
    return true;
}

bool PNG_save(const IMG* image, const char* path, std::int32_t scale, char* error, std::size_t errorSize)
{
    if (image == nullptr || path == nullptr || image->pixels == nullptr || image->width <= 0 || image->height <= 0) {
        say(error, errorSize, path != nullptr ? path : "PNG", "no picture to write");
        return false;
    }
    if (scale < 1 || static_cast<std::int64_t>(image->width) * scale > PNG_MAX_SIDE ||
        static_cast<std::int64_t>(image->height) * scale > PNG_MAX_SIDE) {
        say(error, errorSize, path, "picture too large at this scale");
        return false;
    }
    std::vector<png_byte> row(static_cast<std::size_t>(image->width) * static_cast<std::size_t>(scale) * 3u);
    Sink sink{std::fopen(path, "wb"), nullptr, {}};
    if (sink.file == nullptr) {
        say(error, errorSize, path, std::strerror(errno));
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, onError, onWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool ok = png != nullptr && info != nullptr;
    if (ok) {
        png_set_write_fn(png, &sink, writeData, flushData);
        ok = encode(png, info, image, scale, row.data());
    }
    if (png != nullptr) png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    if (std::fclose(sink.file) != 0 && ok) {
        ok = false;
        sink.failure = std::strerror(errno);
    }
    if (!ok) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec)) std::remove(path);   // never a device or a pipe
        say(error, errorSize, path,
            sink.failure != nullptr ? sink.failure : (sink.message[0] != 0 ? sink.message : "out of memory"));
    }
    return ok;
}

#else

bool PNG_available()
{
    return false;
}

bool PNG_save(const IMG*, const char* path, std::int32_t, char* error, std::size_t errorSize)
{
    say(error, errorSize, path != nullptr ? path : "PNG", "this build has no PNG support (libpng was not found)");
    return false;
}

#endif
