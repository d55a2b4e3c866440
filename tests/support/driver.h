// Driver set-up for the tests: the part of start-up the frame loop and the
// scenes need, on the headless back end, and the shown frame read back.
#pragma once
#include <cstddef>
#include <cstdint>

#include "driver/QORN7316_state.h"
#include "platform/HOST.h"
#include "platform/WINMAIN.h"

namespace support {

// The shared objects made (once) and every flag put back to its start value;
// the virtual clock and the presented frames start again from zero.
inline void setUpDriver()
{
    HOST_reset();
    WINMAIN_lastKey = 0;
    if (display != nullptr) WINDPY_free(&display);
    display = WINDPY_new();
    if (keyboard == nullptr) keyboard = WINKBD_new();
    keyboard->chars[0] = 0;
    for (IMG** img : {&frame, &glowImage, &blurImage}) {
        if (*img == nullptr) *img = IMG_new();
        IMG_setSize(*img, 256, 256);
    }
    if (pacer == nullptr) pacer = FPS_new();
    *pacer = FPS{};
    pacer->targetRate = 50;
    demoFlags = 0;
    titleText = "";
    backgroundColour = 0;
    fadeColour = 0x010101;
    trailFade = 1;
    keepFrame = 0;
    glowOn = blurOn = 0;
    scrollerOn = rasterOn = statsOn = 1;
    fpsInfoOn = musicOff = paused = 0;
    circleCount = rectangleCount = 8;
    if (colourWheel == nullptr) QORN7316_makeColourWheel();
}

// The key as the keyboard poll would leave it, then the key handler.
inline void press(char key)
{
    keyboard->chars[0] = static_cast<std::uint8_t>(key);
    QORN7316_handleKey(keyboard);
}

// The last shown frame's pixel at (x, y), from the presented bottom-up rows;
// 0xDEADBEEF when nothing was shown there.
inline std::uint32_t shown(std::int32_t x, std::int32_t y)
{
    std::int32_t w = 0, h = 0;
    const std::uint8_t* rows = HOST_lastFrame(&w, &h);
    if (rows == nullptr || x < 0 || y < 0 || x >= w || y >= h) return 0xDEADBEEFu;
    const std::uint8_t* p = rows + (static_cast<std::size_t>(h - 1 - y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)) * 3u;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
}

// Pixels of the last shown frame in the given colour.
inline std::int32_t shownCount(std::uint32_t colour)
{
    std::int32_t n = 0;
    for (std::int32_t y = 0; y < 256; ++y)
        for (std::int32_t x = 0; x < 256; ++x) n += shown(x, y) == colour ? 1 : 0;
    return n;
}

}  // namespace support
