// WINMAIN: the program entry, its command line, the window procedure and the
// message pump the frame loop calls once a frame. main() itself lives in
// WINMAIN.cpp (program only); everything else here is in WINMAIN_core.cpp so
// that tests can reach it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "foundation/MODID.h"
#include "platform/HOST.h"

extern const MODID WINMAIN_ID;
extern std::uint8_t WINMAIN_debug;     // 0 at start; nothing sets it
extern std::uint8_t WINMAIN_lastKey;   // last key the window reported, 0 when read; WINKBD_poll takes it

// Messages of the window procedure.
enum WINMAIN_MESSAGE : std::int32_t {
    WINMAIN_KEYDOWN = 1,   // param: the key's character
    WINMAIN_SIZE = 2,      // the window was resized
    WINMAIN_DESTROY = 3,   // the window was closed
};

std::int32_t WINMAIN_windowProc(std::int32_t message, std::int32_t param);   // 0; a close ends the process (status 0)
void WINMAIN_pump();                   // dispatches the messages pending now
void WINMAIN_wait();                   // the pause loop's wait for input (10 ms)
void WINMAIN_error();                  // "WINMAIN error\n" while WINMAIN_debug != 0

// The command line.
struct WINMAIN_OPTIONS {
    bool help;
    bool listScenes;
    bool bench;                        // --bench: machine figures, then exit
    bool headless;
    bool trace;
    HOST_CLOCK clock;                  // headless only
    bool clockGiven;
    std::uint32_t frames;              // end after this many presented frames; 0: run on
    bool dump;                         // --dump-frames
    const char* dumpDirectory;         // null: the working directory
    const char* scene;                 // null: the endless sequence
    std::vector<HOST_SCRIPTED_KEY> keys;
    std::vector<HOST_SCRIPTED_POINTER> pointer;
    bool keysGiven, pointerGiven;
    const char* audioFile;             // --audio: what would be heard goes to this WAVE file; null: none
    bool mute;                         // --mute: no sound at all (the music is still made)
    // Presentation, screenshots and recording.
    std::int32_t scale;                // --scale: 1..8; 0 when not given (1)
    bool fullscreen;                   // --fullscreen
    VIEW_MODE scaleMode;               // --scale-mode integer|fit
    std::int32_t screenshotScale;      // --screenshot-scale: 1..8; 0 when not given (1)
    const char* captureFolder;         // --capture-dir: null: the pictures folder, else the working directory
    std::int32_t dumpFormat;           // --dump-format: 0 not given, 1 ppm, 2 png
    const char* recordFile;            // --record: null: none
};

// Reads argv[1..argc-1]. On a bad option or value returns false with one
// line (no line end) in error.
bool WINMAIN_parse(int argc, const char* const* argv, WINMAIN_OPTIONS* options, char* error, std::size_t errorSize);
void WINMAIN_usage(std::FILE* out);    // the --help text

// The program entry after main(): reads the command line, picks the back end
// (window may be null in a build without one), runs the demo. Returns the
// exit status when it ends without running the demo (--help, errors).
// openSoundDevice starts the sound device for a window run (null: none).
int WINMAIN_run(int argc, const char* const* argv, const HOST_BACKEND* window,
                bool (*openSoundDevice)() = nullptr);
