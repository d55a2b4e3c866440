// VIEW: where the frame goes in a window or on a whole screen. Pure
// arithmetic, no window: the rectangle the frame is drawn into (nearest
// neighbour, aspect kept, black around it) and the way back from a pointer
// position in the window to frame pixels.
#pragma once
#include <cstdint>

enum class VIEW_MODE {
    INTEGER,   // the largest whole multiple of the frame that fits (below 1x: as FIT)
    FIT,       // the largest rectangle of the frame's aspect that fits
};

struct VIEW {
    std::int32_t frameWidth, frameHeight;     // the picture, in frame pixels
    std::int32_t windowWidth, windowHeight;   // the window in logical units (pointer positions)
    std::int32_t drawWidth, drawHeight;       // the drawable in device pixels
    std::int32_t x, y, width, height;         // the frame's rectangle on the drawable, device pixels
    std::int32_t scale;                       // whole multiple in INTEGER mode when it fits, else 0
};

inline constexpr std::int32_t VIEW_MAX_SCALE = 8;   // --scale and --screenshot-scale: 1..8

// Every size below 1 counts as 1. The rectangle is centred; odd spare pixels
// go to the right and bottom.
VIEW VIEW_make(std::int32_t frameWidth, std::int32_t frameHeight, std::int32_t windowWidth, std::int32_t windowHeight,
               std::int32_t drawWidth, std::int32_t drawHeight, VIEW_MODE mode);

// A window position (logical units, may lie outside) to frame pixels: the
// frame pixel whose area holds it, counted on beyond the frame's edges the
// same way, so a pointer outside the picture maps outside 0..size-1.
void VIEW_toFrame(const VIEW& view, std::int32_t windowX, std::int32_t windowY, std::int32_t* frameX,
                  std::int32_t* frameY);
