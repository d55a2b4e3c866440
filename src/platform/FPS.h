// FPS: the frame pacer. FPS_start and FPS_end bracket a frame's work,
// FPS_wait sleeps away what is left of the frame's slot. Times are in
// microseconds but move in whole milliseconds of the host's tick count.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"

struct FPS {
    std::int32_t targetRate;     // frames per second wanted; the driver keeps it within 1..100
    std::int32_t measuredRate;   // 1 000 000 / elapsed: the rate the last frame's work allows
    std::int32_t achievedRate;   // targetRate when the last frame had time to spare
    std::int32_t waitMicros;     // time left in the last frame's slot; may be negative
    double startTime;            // microseconds, at FPS_start
    double endTime;              // microseconds, at FPS_end
    double elapsed;              // whole microseconds from start to end, at least 1
    std::uint32_t frames;        // FPS_end calls
};

extern const MODID FPS_ID;
extern std::uint8_t FPS_debug;   // 0 at start; nothing sets it

FPS* FPS_new();                  // zero-filled; the caller sets targetRate; null if memory runs out
void FPS_free(FPS** fps);        // frees, stores null
void FPS_start(FPS* fps);        // null: nothing
void FPS_end(FPS* fps);          // null: nothing
void FPS_wait(FPS* fps);         // sleeps waitMicros / 1000 ms when positive; null: nothing
void FPS_error();                // prints nothing
