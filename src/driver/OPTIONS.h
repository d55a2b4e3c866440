// OPTIONS: the program's command line. One table in OPTIONS.cpp declares
// every option (its name, value, help line and where the value goes); the
// parser, the --help text and the man page all come from it.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/HOST.h"

// Which files --dump-frames writes.
enum OPTIONS_DUMP : std::int32_t {
    OPTIONS_DUMP_DEFAULT = 0,   // not given: by the name's ending, else PPM
    OPTIONS_DUMP_PPM = 1,
    OPTIONS_DUMP_PNG = 2,
};

// What the command line asked for. A plain record: every field has its
// neutral value when the option is not given.
struct OPTIONS {
    bool help;                         // -h, --help
    bool version;                      // --version
    bool listScenes;
    bool bench;                        // --bench: machine figures, then exit
    bool headless;
    bool trace;
    HOST_CLOCK clock;                  // headless only
    bool clockGiven;
    std::uint32_t frames;              // end after this many presented frames; 0: run on
    bool dump;                         // --dump-frames
    std::string dumpDirectory;         // "." unless --dump-frames=DIR
    std::string scene;                 // empty: the endless sequence
    std::vector<HOST_SCRIPTED_KEY> keys;
    std::vector<HOST_SCRIPTED_POINTER> pointer;
    bool keysGiven, pointerGiven;
    std::string audioFile;             // --audio: what would be heard goes to this WAVE file; empty: none
    bool mute;                         // --mute: no sound at all (the music is still made)
    // Presentation, screenshots and recording.
    std::int32_t scale = 1;            // --scale: 1..8 times the frame, window and recording
    bool fullscreen;                   // --fullscreen: window runs only
    VIEW_MODE scaleMode;               // --scale-mode integer|fit
    std::int32_t screenshotScale = 1;  // --screenshot-scale: 1..8
    std::string captureFolder;         // --capture-dir; empty: the pictures folder, else the working directory
    std::int32_t dumpFormat;           // --dump-format: OPTIONS_DUMP
    std::string recordFile;            // --record: empty: none
    std::int32_t volume = 100;         // --volume: 0..100 of the sound device only
};

extern const char* const OPTIONS_PROGRAM;   // "qorn7316"
extern const char* const OPTIONS_VERSION;   // the project version, "0.1.0"
extern const char* const OPTIONS_COMMIT;    // the git commit it was built from, "" when not built from a checkout

// Reads argv[1..argc-1] into options. On a usage error returns false with
// one line (no line end) in error.
bool OPTIONS_parse(int argc, const char* const* argv, OPTIONS* options, std::string* error);
void OPTIONS_help(std::FILE* out);      // the --help text: every option, every key, the environment
void OPTIONS_printVersion(std::FILE* out);   // "qorn7316 0.1.0 (commit abc1234)\n"
void OPTIONS_usageError(std::FILE* out, const std::string& error);   // the message line and the hint line
