// HOST: what the platform modules need from the machine, behind one small
// layer with two back ends chosen at start: a real window (HOST_sdl2.cpp,
// linked only into the program) or the headless back end of HOST.cpp, which
// has no window, a virtual clock and scripted input. Owns the back-end state.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/VIEW.h"

// Events the window system hands to the message pump.
enum HOST_EVENT_KIND : std::int32_t {
    HOST_KEY = 1,      // a key went down; key holds its character (see HOST_keyFromName)
    HOST_RESIZE = 2,   // the window's size was changed from outside
    HOST_CLOSE = 3,    // the user closed the window
};

struct HOST_EVENT {
    std::int32_t kind;   // HOST_EVENT_KIND
    std::int32_t key;    // character of a HOST_KEY event, else 0
};

// The pointer as the window system reports it.
struct HOST_POINTER {
    std::int32_t screenX, screenY;   // position in screen pixels
    std::int32_t clientX, clientY;   // screen position of the client area's top-left pixel
    std::int32_t buttons;            // held now: bit 0 left, bit 1 right, bit 2 middle
    std::int32_t x, y;               // the frame pixel under the pointer, counted on outside the frame
};

// Keys the window layer handles itself; they lie outside the demo's byte-wide
// characters and never reach the driver.
inline constexpr std::int32_t HOST_KEY_SCREENSHOT = 0x1000 + 12;   // F12

// How a window shows the frame. Set before the window opens.
struct HOST_PRESENTATION {
    std::int32_t scale;   // 1..VIEW_MAX_SCALE: the window's client area is the frame times this
    bool fullscreen;      // start on the whole desktop (F11 and Alt+Enter switch)
    VIEW_MODE mode;       // how the frame fills a screen (and a window on a fractional-scale screen)
};

// A window back end: the program's SDL2 back end fills one of these.
struct HOST_BACKEND {
    bool (*start)();                                        // false: no display to open a window on
    void (*stop)();                                         // closes everything; safe to call twice
    bool (*openWindow)(const char* title, std::int32_t w, std::int32_t h);   // frame w x h, at the presentation's scale
    void (*placeWindow)(std::int32_t w, std::int32_t h);   // client area w x h times the scale, centred; shown
                                                            // (in fullscreen only shown)
    void (*present)(const std::uint8_t* rows, std::int32_t w, std::int32_t h);   // 24-bit blue-green-red, bottom-up
    std::int32_t (*takeEvents)(HOST_EVENT* events, std::int32_t max);            // the events pending now
    bool (*readPointer)(HOST_POINTER* pointer);            // false when the position cannot be read
    void (*showCursor)(bool shown);
    std::uint32_t (*ticks)();                              // milliseconds
    void (*sleep)(std::uint32_t ms);
};

enum class HOST_CLOCK { VIRTUAL, REAL };

// Choosing and running a back end.
void HOST_useHeadless(HOST_CLOCK clock);      // the default: headless with the virtual clock
void HOST_useWindow(const HOST_BACKEND* backend);
bool HOST_isHeadless();
bool HOST_start();                            // false: no display (window back end only)
[[noreturn]] void HOST_exit(int status);      // closes the back end and ends the process; status 1
                                              // instead of 0 when a sound file or standard output failed
int HOST_finishOutput(int status);            // flushes; 1 instead of 0 (and a line) when stdout failed
void HOST_stopOnSignals();                    // SIGINT and SIGTERM end the run at the next frame (or pause
                                              // round) through HOST_exit, status 128 + signal
void HOST_setExitStep(int (*finish)(int status));  // run by HOST_exit after the sound is closed: finishes files,
                                              // returns the status to end with
[[noreturn]] void HOST_fail(const char* message);   // "qorn7316: message" on stderr, exit status 1

// Window operations of the chosen back end.
bool HOST_openWindow(const char* title, std::int32_t w, std::int32_t h);
void HOST_placeWindow(std::int32_t w, std::int32_t h);
void HOST_present(const std::uint8_t* rows, std::int32_t w, std::int32_t h);   // counts; may end the run
std::int32_t HOST_takeEvents(HOST_EVENT* events, std::int32_t max);
bool HOST_readPointer(HOST_POINTER* pointer);
void HOST_showCursor(bool shown);
std::uint32_t HOST_ticks();                   // milliseconds
void HOST_sleep(std::uint32_t ms);
void HOST_idle(bool inputWaiting);            // the pause waits 10 ms for input; see HOST.cpp
void HOST_frameStart(std::uint32_t slotMs);   // a paced frame starts; headless virtual clock: the last
                                              // frame's slot of slotMs is completed first (see HOST.cpp)

// Presentation of the window back end; the headless one has only the scale,
// which the recording uses.
void HOST_setPresentation(const HOST_PRESENTATION& presentation);   // scale clamped to 1..VIEW_MAX_SCALE
HOST_PRESENTATION HOST_presentation();                              // {1, false, INTEGER} until set

// Run control shared by both back ends.
void HOST_setFrameLimit(std::uint32_t frames);   // end with status 0 after this many presents; 0: no limit
std::uint32_t HOST_presentedFrames();            // presents since start
void HOST_onPresent(void (*hook)(std::uint32_t presented));   // called after every present; null: none
void HOST_onExit(void (*hook)());                // called by HOST_exit before the process ends; null: none

// Scripted input of the headless back end. An entry for frame N is pending
// from the moment N - 1 frames have been presented, so the pump before the
// N-th present delivers it and the key is handled right after frame N.
struct HOST_SCRIPTED_KEY {
    std::uint32_t frame;   // 1 or more
    std::int32_t key;      // character, as HOST_keyFromName gives
};
struct HOST_SCRIPTED_POINTER {
    std::uint32_t frame;                      // the state holds from this frame on
    std::int32_t x, y;                        // client-area pixels
    std::int32_t buttons;                     // 0..7
};
void HOST_scriptKeys(std::span<const HOST_SCRIPTED_KEY> keys);             // replaces the script; sorted by frame
void HOST_scriptPointer(std::span<const HOST_SCRIPTED_POINTER> states);    // replaces the script; sorted by frame
std::int32_t HOST_keyFromName(const char* name, std::size_t length);      // the key's character, 0 if unknown

// Test hooks of the headless back end.
void HOST_setTicks(std::uint32_t ms);                 // sets the virtual clock
void HOST_pushKey(std::int32_t key);                  // a key event pending at the next pump
void HOST_pushEvent(std::int32_t kind);               // a resize or close event pending at the next pump
const std::uint8_t* HOST_lastFrame(std::int32_t* w, std::int32_t* h);   // last presented rows, or null
void HOST_reset();                                    // headless, virtual clock at 0, nothing scripted or counted

// The window back end, defined only in a program built with SDL2 (HOST_sdl2.cpp).
const HOST_BACKEND* HOST_sdl2Backend();
