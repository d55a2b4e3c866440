// HOST_web: the browser back end of the WebAssembly build, its sound player
// back end and its main(). Built only by the web build (web/CMakeLists.txt);
// the page side lives in web/qorn.js as the global qornWeb.
//
// The demo's loop stays the plain blocking loop of the native program: the
// build is made with ASYNCIFY, and the back end hands control back to the
// page wherever the demo sleeps and, in long runs of unpaced frames (fades,
// slow frames), at a present. The page resumes it from requestAnimationFrame
// with one 20 ms slot of a time accumulator per resume, so a display of any
// refresh rate shows 50 frames a second.
//
// Clock: real milliseconds by default. With the page's deterministic mode the
// clock is virtual, as in the native headless run: it moves only by the
// demo's own sleeps, so the page shows the frames `--headless` writes.
//
// Sound: the portable player (PLAYER.cpp) still decides what is heard. When
// its state changes, the new loop is rendered once from the player, past its
// cross-fade, and handed to the page, which loops it in an
// AudioBufferSourceNode and makes the cross-fade with gain ramps.
#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/HOST.h"
#include "platform/PLAYER.h"
#include "platform/WINMAIN.h"

namespace {

// The page's side, one call each.
EM_JS(int, pageVirtualClock, (), { return qornWeb.virtualClock ? 1 : 0; });
EM_JS(int, pageFast, (), { return qornWeb.fast ? 1 : 0; });
EM_JS(int, pageShow, (const unsigned char* rgba, int w, int h), { return qornWeb.show(HEAPU8.subarray(rgba, rgba + w * h * 4), w, h) ? 1 : 0; });
EM_JS(void, pageYield, (), { Asyncify.handleSleep(function(wakeUp) { qornWeb.suspend(wakeUp); }); });
EM_JS(int, pageTakeKey, (), { return qornWeb.takeKey(); });
EM_JS(void, pagePointer, (int* out), {
    var p = qornWeb.pointer;
    HEAP32[out >> 2] = p.x;
    HEAP32[(out >> 2) + 1] = p.y;
    HEAP32[(out >> 2) + 2] = p.buttons;
});
EM_JS(void, pageShowCursor, (int shown), { qornWeb.showCursor(shown !== 0); });
EM_JS(void, pageEnded, (), { qornWeb.ended(); });
EM_JS(void, pageSound, (const short* values, int n, int start, int loop), {
    var v = new Float32Array(n);
    var base = values >> 1;
    for (var i = 0; i < n; ++i) v[i] = HEAP16[base + i] / 32768;
    qornWeb.sound(v, start, loop !== 0);
});
EM_JS(void, pageSoundStop, (), { qornWeb.soundStop(); });

// A run of work longer than this goes back to the page at the next present,
// so the page never stalls for much more than one display frame.
constexpr double burstMs = 16.0;
constexpr double slotMs = 20.0;

bool virtualClock = false;
bool fast = false;                 // deterministic tests: no pacing, as fast as the machine goes
std::uint32_t virtualTicks = 0;
double origin = 0.0;               // real milliseconds at start
double lastResume = 0.0;           // real milliseconds when the page last resumed the demo
double owedMs = 0.0;               // time the demo asked for (work and sleeps) less the slots it had
std::vector<unsigned char> rgba;   // the frame as the canvas wants it

double realNow()
{
    return emscripten_get_now();
}

// Every return to the page is one slot of 20 ms; the work done since the
// last one counts against it. What is left over carries to the next sleep,
// so any frame rate comes out right on average. Neither a run of fast
// frames nor a slow stretch is made up later: the carry stays within half
// a slot.
void yieldToPage()
{
    owedMs = std::max(owedMs + (realNow() - lastResume) - slotMs, -slotMs / 2.0);
    pageYield();
    lastResume = realNow();
}

void yieldIfLong()
{
    if (realNow() - lastResume < burstMs) return;
    yieldToPage();
    owedMs = std::min(owedMs, slotMs / 2.0);
}

void flushSound();

bool start()
{
    virtualClock = pageVirtualClock() != 0;
    fast = pageFast() != 0;
    origin = realNow();
    lastResume = origin;
    return true;
}

void stop()
{
    pageEnded();
}

bool openWindow(const char*, std::int32_t, std::int32_t)
{
    return true;
}

void placeWindow(std::int32_t, std::int32_t) {}

// Bottom-up blue-green-red rows become top-down red-green-blue-alpha.
void present(const std::uint8_t* rows, std::int32_t w, std::int32_t h)
{
    if (rows == nullptr || w <= 0 || h <= 0 || w > 4096 || h > 4096) return;
    const std::size_t size = static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4u;
    if (rgba.size() != size) rgba.assign(size, 255);
    for (std::int32_t y = 0; y < h; ++y) {
        const std::uint8_t* in = rows + static_cast<std::size_t>(h - 1 - y) * static_cast<std::size_t>(w) * 3u;
        unsigned char* out = rgba.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w) * 4u;
        for (std::int32_t x = 0; x < w; ++x, in += 3, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    const bool pageWantsControl = pageShow(rgba.data(), w, h) != 0;   // a test holds the run at this frame
    flushSound();
    if (pageWantsControl) yieldToPage();
    else yieldIfLong();
}

std::int32_t takeEvents(HOST_EVENT* events, std::int32_t max)
{
    std::int32_t n = 0;
    while (n < max) {
        const std::int32_t key = pageTakeKey();
        if (key == 0) break;
        events[n++] = HOST_EVENT{HOST_KEY, key};
    }
    return n;
}

// The page reports frame pixels; the client area sits at the origin.
bool readPointer(HOST_POINTER* p)
{
    int state[3] = {0, 0, 0};
    pagePointer(state);
    *p = HOST_POINTER{state[0], state[1], 0, 0, state[2] & 7, state[0], state[1]};
    return true;
}

void showCursor(bool shown)
{
    pageShowCursor(shown ? 1 : 0);
}

std::uint32_t ticks()
{
    if (virtualClock) return virtualTicks;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(realNow() - origin));
}

// A sleep goes back to the page for as many slots as the frame's work and
// the time asked for fill, to within half a slot. Under the virtual clock
// the clock moves by exactly the time asked for.
void sleep(std::uint32_t ms)
{
    if (virtualClock) virtualTicks += ms;
    if (fast) {
        yieldIfLong();
        return;
    }
    owedMs += ms;
    while (owedMs + (realNow() - lastResume) >= slotMs / 2.0) yieldToPage();
}

const HOST_BACKEND web = {start, stop, openWindow, placeWindow, present, takeEvents, readPointer, showCursor, ticks, sleep};

// Sound. Every change of what plays (a new loop, a stop) comes through the
// player's lock; the change is handed over at the next present, after the
// scene start that made it. The demo's loops are its one-second images, so
// a loop is PLAYER_RATE values long.
bool soundChanged = false;
bool rendering = false;   // the back end's own reads of the player change nothing
std::vector<std::int16_t> soundValues;

void soundLock() {}

void soundUnlock()
{
    if (!rendering) soundChanged = true;
}

// The player's first PLAYER_FADE values after a change are its cross-fade,
// which the page makes itself; the next PLAYER_RATE values are the new loop
// from position PLAYER_FADE on, so the page starts it PLAYER_RATE -
// PLAYER_FADE values in, at the loop's first value.
void flushSound()
{
    if (!soundChanged) return;
    soundChanged = false;
    rendering = true;
    soundValues.resize(static_cast<std::size_t>(PLAYER_RATE));
    PLAYER_render(soundValues.data(), PLAYER_FADE);
    if (PLAYER_busy()) {
        PLAYER_render(soundValues.data(), PLAYER_RATE);
        pageSound(soundValues.data(), PLAYER_RATE, PLAYER_RATE - PLAYER_FADE, 1);
    } else {
        pageSoundStop();
    }
    rendering = false;
}

// A sound played once is rendered whole, cross-fade included, and the demo
// waits for it on the page's clock.
void soundWait(std::uint32_t ms)
{
    if (soundChanged) {
        soundChanged = false;
        rendering = true;
        const std::uint64_t wanted = static_cast<std::uint64_t>(ms) * 441u / 10u;
        const std::uint64_t limit = 60u * static_cast<std::uint64_t>(PLAYER_RATE);
        soundValues.resize(static_cast<std::size_t>(wanted < limit ? wanted : limit));
        PLAYER_render(soundValues.data(), static_cast<std::int32_t>(soundValues.size()));
        pageSound(soundValues.data(), static_cast<int>(soundValues.size()), 0, 0);
        rendering = false;
    }
    sleep(ms);
}

void soundClose()
{
    pageSoundStop();
    soundChanged = false;
}

const PLAYER_BACKEND webSound = {soundLock, soundUnlock, soundWait, soundClose, nullptr};

bool openSound()
{
    PLAYER_useBackend(&webSound);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    return WINMAIN_run(argc, argv, &web, openSound);
}
