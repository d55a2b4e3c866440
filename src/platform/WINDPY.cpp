// WINDPY: the display presenter. Each frame is converted once into a buffer
// of 24-bit blue-green-red rows, bottom row first, that is allocated when the
// size is set and never per frame; the window layer copies it to the window.
#include "platform/WINDPY.h"

#include <cstdio>
#include <bit>
#include <cstring>
#include <new>

#include "platform/CAPTURE.h"
#include "platform/HOST.h"
#include "platform/PLAYER.h"
#include "platform/RECORD.h"
#include "raster/PNG.h"

const MODID WINDPY_ID = MODID_WINDOWS("WINDPY  ");
std::uint8_t WINDPY_debug = 0;
std::uint8_t WINDPY_dumpFrames = 0;

namespace {

constexpr std::int32_t maxSide = 16384;
constexpr std::size_t maxDirectory = 3800;
constexpr std::size_t maxPrefix = 200;

WINDPY* current = nullptr;
bool windowOpen = false;
std::uint8_t* rows = nullptr;
std::size_t rowsSize = 0;
std::uint32_t frameNumber = 0;
bool dumpRequested = false;
char dumpDirectory[maxDirectory + 1] = ".";
char dumpPrefix[maxPrefix + 1] = "frame";
bool dumpPng = false;
bool shown = false;   // rows hold a frame that was shown

}  // namespace

WINDPY* WINDPY_new()
{
    windowOpen = false;
    delete[] rows;
    rows = nullptr;
    rowsSize = 0;
    WINDPY* display = new (std::nothrow) WINDPY{};
    if (display == nullptr) { WINDPY_error(); return nullptr; }
    current = display;
    WINDPY_setSize(display, 256, 256);
    WINDPY_dumpFrames = dumpRequested ? 1 : 0;   // off unless the command line asked for it
    return display;
}

void WINDPY_free(WINDPY** display)
{
    if (display == nullptr || *display == nullptr || *display != current) { WINDPY_error(); return; }
    windowOpen = false;   // the window itself stays until the process ends
    delete *display;
    *display = nullptr;
    current = nullptr;
}

void WINDPY_setSize(WINDPY* display, std::int32_t w, std::int32_t h)
{
    if (display == nullptr || display != current || w < 0 || h < 0 || w > maxSide || h > maxSide) {
        WINDPY_error();
        return;
    }
    display->width = w;
    display->height = h;
    if (!windowOpen) {
        if (!HOST_openWindow("QORN7316", w, h)) {
            WINDPY_error();
            // Running on without a window would show nothing at all.
            HOST_fail("cannot open a window; try --headless");
        }
        windowOpen = true;
    }
    HOST_placeWindow(w, h);
    const std::size_t size = static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3u;
    shown = false;
    std::uint8_t* fresh = new (std::nothrow) std::uint8_t[size > 0 ? size : 1]();
    delete[] rows;
    rows = fresh;
    rowsSize = fresh != nullptr ? size : 0;
    if (fresh == nullptr) WINDPY_error();
}

void WINDPY_show(WINDPY* display, const IMG* image)
{
    if (display == nullptr || display != current || image == nullptr || image->pixels == nullptr ||
        image->width != display->width || image->height != display->height || rows == nullptr ||
        rowsSize != static_cast<std::size_t>(display->width) * static_cast<std::size_t>(display->height) * 3u) {
        WINDPY_error();
        return;
    }
    if (WINDPY_dumpFrames != 0) {
        frameNumber += 1;
        char path[maxDirectory + maxPrefix + 32];
        std::snprintf(path, sizeof path, "%s/%s-%05u.%s", dumpDirectory, dumpPrefix, static_cast<unsigned>(frameNumber),
                      dumpPng ? "png" : "ppm");
        char message[sizeof path + 600];
        if (dumpPng) {
            char error[sizeof path + 300];
            if (!PNG_save(image, path, 1, error, sizeof error)) {
                std::snprintf(message, sizeof message, "cannot write %s", error);
                HOST_fail(message);
            }
        } else if (!IMG_save(image, path)) {
            std::snprintf(message, sizeof message, "cannot write %s", path);
            HOST_fail(message);
        }
    }
    // The screenshot key and the recording take the frame as it is shown,
    // before the present that may end the run.
    CAPTURE_serve(image);
    if (RECORD_active()) {
        PLAYER_sync();
        if (!RECORD_frame(image, HOST_ticks())) {
            char message[600];
            std::snprintf(message, sizeof message, "cannot record: %s", RECORD_error());
            HOST_fail(message);
        }
    }
    const std::int32_t w = display->width;
    const std::int32_t h = display->height;
    const std::uint32_t* p = image->pixels;
    for (std::int32_t y = 0; y < h; ++y) {
        std::uint8_t* out = rows + static_cast<std::size_t>(h - 1 - y) * static_cast<std::size_t>(w) * 3u;
        std::int32_t x = 0;
        if constexpr (std::endian::native == std::endian::little) {
            // A little-endian word 0x00RRGGBB is the bytes blue, green, red, 0:
            // each pixel is stored whole and its 0 overwritten by the next one;
            // the row's last pixel takes the byte loop, so no row runs over.
            for (; x + 1 < w; ++x, ++p, out += 3) std::memcpy(out, p, 4);
        }
        for (; x < w; ++x, ++p) {
            *out++ = static_cast<std::uint8_t>(*p & 0xFFu);
            *out++ = static_cast<std::uint8_t>((*p >> 8) & 0xFFu);
            *out++ = static_cast<std::uint8_t>((*p >> 16) & 0xFFu);
        }
    }
    shown = true;
    HOST_present(rows, w, h);
}

bool WINDPY_equal(const WINDPY* a, const WINDPY* b)
{
    return a != nullptr && a == current && b == current;
}

WINDPY* WINDPY_clone(WINDPY* display)
{
    if (display == nullptr || display != current) { WINDPY_error(); return nullptr; }
    return display;
}

WINDPY* WINDPY_current()
{
    return current;
}

bool WINDPY_dumpTo(const char* directory)
{
    if (directory == nullptr) {
        dumpRequested = false;
        WINDPY_dumpFrames = 0;
        return true;
    }
    const std::size_t length = std::strlen(directory);
    if (length == 0 || length > maxDirectory) return false;
    std::memcpy(dumpDirectory, directory, length + 1);
    dumpRequested = true;
    WINDPY_dumpFrames = 1;
    return true;
}

bool WINDPY_dumpAs(const char* prefix, bool png)
{
    const char* p = prefix != nullptr ? prefix : "frame";
    const std::size_t length = std::strlen(p);
    if (length == 0 || length > maxPrefix || std::strchr(p, '/') != nullptr) return false;
    std::memcpy(dumpPrefix, p, length + 1);
    dumpPng = png;
    return true;
}

// The rows back to colour words: blue, green, red bytes, bottom row first.
IMG* WINDPY_shownFrame()
{
    if (current == nullptr || rows == nullptr || !shown) return nullptr;
    const std::int32_t w = current->width;
    const std::int32_t h = current->height;
    IMG* image = IMG_new();
    if (image == nullptr) return nullptr;
    IMG_setSize(image, w, h);
    if (image->width != w || image->height != h || image->pixels == nullptr) {
        IMG_free(&image);
        return nullptr;
    }
    for (std::int32_t y = 0; y < h; ++y) {
        const std::uint8_t* in = rows + static_cast<std::size_t>(h - 1 - y) * static_cast<std::size_t>(w) * 3u;
        std::uint32_t* out = image->pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
        for (std::int32_t x = 0; x < w; ++x, in += 3)
            out[x] = static_cast<std::uint32_t>(in[0]) | (static_cast<std::uint32_t>(in[1]) << 8) | (static_cast<std::uint32_t>(in[2]) << 16);
    }
    return image;
}

std::uint32_t WINDPY_frameNumber()
{
    return frameNumber;
}

const std::uint8_t* WINDPY_rows()
{
    return rows;
}

void WINDPY_error()
{
    if (WINDPY_debug != 0) std::fputs("WINDPY error\n", stdout);
}
