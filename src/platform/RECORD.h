// RECORD: --record FILE, the presented frames and the sound heard as one
// video file through FFmpeg's libraries: .mkv lossless (FFV1 + FLAC), .mp4
// (H.264 + AAC), .webm (VP9 + Opus). Time stamps in 50ths of a second, each
// frame scaled up by whole pixels, and 882 sound values (44100 Hz) to every
// 50th: the sound is cut or padded with silence to the picture's length.
// The one recording is module state. In a build without FFmpeg it only says so.
#pragma once
#include <cstddef>
#include <cstdint>

#include "raster/IMG.h"

inline constexpr std::int32_t RECORD_RATE = 50;              // frames per second
inline constexpr std::int32_t RECORD_VALUES_PER_FRAME = 882;  // 44100 / 50

enum class RECORD_TIMING {
    EXACT,   // every frame shown is the next 1/50 s with the next 882 sound values (headless: the virtual
             // clock gives every frame 20 ms); a frame on show while a further whole slot of sound came
             // (a pause) stands on for that slot
    CLOCK,   // frames are placed by the clock: a frame shown longer stands on (the next one's time stamp
             // leaves the gap), of two in one slot the later counts; the sound goes on as heard
};

bool RECORD_available();   // false in a build without FFmpeg
// Starts the recording; the type comes from the file's ending. False with
// one line (no line end) in error: unknown ending, no encoder, no file.
bool RECORD_open(const char* path, std::int32_t frameWidth, std::int32_t frameHeight, std::int32_t scale,
                 RECORD_TIMING timing, std::uint32_t startTicks, char* error, std::size_t errorSize);
bool RECORD_active();
// One presented frame of the size given at open, at ticks (milliseconds of
// the clock given at open). False after a failure; RECORD_error says which.
bool RECORD_frame(const IMG* image, std::uint32_t ticks);
void RECORD_sound(const std::int16_t* values, std::int32_t n);   // what is heard, in order; any thread
// Writes what is left and closes the file. False when anything failed,
// including earlier writes; RECORD_error says which. True when none is open.
bool RECORD_close();
const char* RECORD_error();        // the first failure, "" if none
