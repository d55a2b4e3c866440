// WINMAIN: the program entry, the window procedure and the
// message pump the frame loop calls once a frame. main() itself lives in
// WINMAIN.cpp (program only); everything else here is in WINMAIN_core.cpp so
// that tests can reach it.
#pragma once
#include <cstdint>

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

// Keys of the window that set the sound device's volume; the demo never sees them.
enum WINMAIN_VOLUME_KEY : std::int32_t {
    WINMAIN_VOLUME_DOWN = '[',
    WINMAIN_VOLUME_UP = ']',
    WINMAIN_MUTE = 13,                 // Ctrl+M
};
bool WINMAIN_volumeKey(std::int32_t key);   // true when key was one of them (and acted on)
void WINMAIN_wait();                   // the pause loop's wait for input (10 ms)
void WINMAIN_error();                  // "WINMAIN error\n" while WINMAIN_debug != 0

// The program entry after main(): reads the command line (driver/OPTIONS),
// picks the back end (window may be null in a build without one), runs the
// demo. Returns the exit status when it ends without running the demo
// (--help, --version: 0; usage errors: 2; failures: 1).
// openSoundDevice starts the sound device for a window run (null: none).
int WINMAIN_run(int argc, const char* const* argv, const HOST_BACKEND* window,
                bool (*openSoundDevice)() = nullptr);
