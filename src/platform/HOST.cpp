// HOST: the back-end choice, the run control both back ends share (frame
// limit, exit) and the headless back end. Headless runs have no window; their
// clock is virtual unless asked otherwise: it moves only when the program
// sleeps, so a run gives the same frames on every machine.
#include "platform/HOST.h"

#include "platform/PLAYER.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

// The virtual machine takes 1 ms to draw a frame, and every frame it shows
// lasts at least one slot of the frame rate (20 ms at the design's 50): a
// paced frame draws 1 ms and the pacer sleeps the other 19 (a drawing of no
// time left 19 ms frames); a frame shown without pacing (start-up pictures,
// fades, an unpaced scene) has its slot completed before the next frame
// starts; the frame that reaches the frame limit is shown for its whole slot
// before the run ends. So at 50 fps every headless frame holds 20 ms of
// sound, 882 values, and a run of N frames N * 20 ms.
constexpr std::uint32_t drawTicks = 1;
constexpr std::uint32_t designSlot = 20;

struct Headless {
    HOST_CLOCK clock = HOST_CLOCK::VIRTUAL;
    std::uint32_t virtualTicks = 0;
    std::uint32_t slot = designSlot;                    // ms of a frame, from the pacer's rate
    std::uint32_t lastPresentTicks = 0u - designSlot;   // virtual clock at the last present; the first may come at once
    std::chrono::steady_clock::time_point realStart = std::chrono::steady_clock::now();
    std::vector<HOST_SCRIPTED_KEY> keys;
    std::size_t nextKey = 0;        // first scripted key not yet delivered
    std::size_t releasedKeys = 0;   // keys before this index are due whatever the frame (the pause)
    std::vector<HOST_SCRIPTED_POINTER> pointer;
    std::vector<HOST_EVENT> pushed;
    const std::uint8_t* lastRows = nullptr;
    std::int32_t lastWidth = 0, lastHeight = 0;
};

Headless headless;
const HOST_BACKEND* backend = nullptr;   // null: headless
bool started = false;
std::uint32_t presented = 0;
std::uint32_t frameLimit = 0;
HOST_PRESENTATION presentation{1, false, VIEW_MODE::INTEGER};
int (*exitStep)(int) = nullptr;
volatile std::sig_atomic_t stopSignal = 0;   // set by the handler HOST_stopOnSignals installs

extern "C" void onStopSignal(int signal)
{
    stopSignal = signal;
}

// A signal asked the run to end: it ends between frames, through HOST_exit,
// so the files being written are finished.
void endOnSignal()
{
    if (stopSignal == 0) return;
    const int signal = stopSignal;
    std::fprintf(stderr, "qorn7316: stopped by signal %d\n", signal);
    HOST_exit(128 + signal);
}
void (*presentHook)(std::uint32_t) = nullptr;
void (*exitHook)() = nullptr;

// The pointer rests outside the frame until the script moves it.
constexpr std::int32_t restingPointer = -32;

bool headlessStart() { return true; }
void headlessStop() {}
bool headlessOpenWindow(const char*, std::int32_t, std::int32_t) { return true; }
void headlessPlaceWindow(std::int32_t, std::int32_t) {}

// The last shown frame keeps the display until its slot is over.
void completeSlot()
{
    const std::uint32_t since = headless.virtualTicks - headless.lastPresentTicks;   // wraps like the ticks
    const std::uint32_t rest = headless.slot - drawTicks;
    if (since < rest) headless.virtualTicks = headless.lastPresentTicks + rest;
}

void headlessPresent(const std::uint8_t* rows, std::int32_t w, std::int32_t h)
{
    headless.lastRows = rows;
    headless.lastWidth = w;
    headless.lastHeight = h;
    if (headless.clock != HOST_CLOCK::VIRTUAL) return;
    completeSlot();
    headless.virtualTicks += drawTicks;
    headless.lastPresentTicks = headless.virtualTicks;
}

bool keyDue(std::size_t i)
{
    return i < headless.releasedKeys || headless.keys[i].frame <= presented + 1u;
}

std::int32_t headlessTakeEvents(HOST_EVENT* events, std::int32_t max)
{
    std::int32_t n = 0;
    std::size_t used = 0;
    for (; used < headless.pushed.size() && n < max; ++used) events[n++] = headless.pushed[used];
    headless.pushed.erase(headless.pushed.begin(), headless.pushed.begin() + static_cast<std::ptrdiff_t>(used));
    while (n < max && headless.nextKey < headless.keys.size() && keyDue(headless.nextKey)) {
        events[n++] = HOST_EVENT{HOST_KEY, headless.keys[headless.nextKey].key};
        ++headless.nextKey;
    }
    return n;
}

bool headlessReadPointer(HOST_POINTER* p)
{
    *p = HOST_POINTER{restingPointer, restingPointer, 0, 0, 0, restingPointer, restingPointer};
    for (const HOST_SCRIPTED_POINTER& s : headless.pointer) {
        if (s.frame > presented + 1u) break;
        *p = HOST_POINTER{s.x, s.y, 0, 0, s.buttons, s.x, s.y};
    }
    return true;
}

void headlessShowCursor(bool) {}

std::uint32_t headlessTicks()
{
    if (headless.clock == HOST_CLOCK::VIRTUAL) return headless.virtualTicks;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - headless.realStart);
    return static_cast<std::uint32_t>(ms.count());   // wraps like a tick counter
}

void headlessSleep(std::uint32_t ms)
{
    if (headless.clock == HOST_CLOCK::VIRTUAL) {
        headless.virtualTicks += ms;
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

const HOST_BACKEND headlessBackend = {
    headlessStart, headlessStop, headlessOpenWindow, headlessPlaceWindow, headlessPresent,
    headlessTakeEvents, headlessReadPointer, headlessShowCursor, headlessTicks, headlessSleep,
};

void finishHook()
{
    void (*hook)() = exitHook;
    exitHook = nullptr;
    if (hook != nullptr) hook();
}

const HOST_BACKEND& use() { return backend != nullptr ? *backend : headlessBackend; }

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool sameName(const char* text, std::size_t length, const char* name)
{
    std::size_t i = 0;
    for (; i < length && name[i] != 0; ++i)
        if (upper(text[i]) != upper(name[i])) return false;
    return i == length && name[i] == 0;
}

}  // namespace

void HOST_useHeadless(HOST_CLOCK clock)
{
    backend = nullptr;
    headless.clock = clock;
}

void HOST_useWindow(const HOST_BACKEND* b)
{
    backend = b;
}

bool HOST_isHeadless()
{
    return backend == nullptr;
}

bool HOST_start()
{
    started = use().start();
    return started;
}

void HOST_exit(int status)
{
    finishHook();     // first, so that a closing message starts a line of its own
    PLAYER_close();   // the sound device (or file) first, while the back end still runs
    if (exitStep != nullptr) {
        int (*step)(int) = exitStep;
        exitStep = nullptr;   // a failure inside the step ends the process without running it again
        status = step(status);
    }
    if (started) use().stop();
    started = false;
    std::exit(HOST_finishOutput(PLAYER_writeFailed() && status == 0 ? 1 : status));
}

// A run that ends well but could not write what it printed has failed too
// (standard output to a full disk, a closed pipe).
int HOST_finishOutput(int status)
{
    const bool lost = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (lost) std::fputs("qorn7316: standard output could not be written\n", stderr);
    std::fflush(stderr);
    return lost && status == 0 ? 1 : status;
}

void HOST_stopOnSignals()
{
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
}

void HOST_setExitStep(int (*finish)(int status))
{
    exitStep = finish;
}

void HOST_setPresentation(const HOST_PRESENTATION& p)
{
    presentation = p;
    presentation.scale = std::clamp(p.scale, 1, VIEW_MAX_SCALE);
}

HOST_PRESENTATION HOST_presentation()
{
    return presentation;
}

void HOST_fail(const char* message)
{
    finishHook();
    std::fprintf(stderr, "qorn7316: %s\n", message);
    HOST_exit(1);
}

bool HOST_openWindow(const char* title, std::int32_t w, std::int32_t h)
{
    return use().openWindow(title, w, h);
}

void HOST_placeWindow(std::int32_t w, std::int32_t h)
{
    use().placeWindow(w, h);
}

void HOST_present(const std::uint8_t* rows, std::int32_t w, std::int32_t h)
{
    use().present(rows, w, h);
    PLAYER_service();
    ++presented;
    if (presentHook != nullptr) presentHook(presented);
    endOnSignal();
    if (frameLimit != 0 && presented >= frameLimit) {
        if (backend == nullptr && headless.clock == HOST_CLOCK::VIRTUAL)
            completeSlot();   // the last frame is shown for its slot
        HOST_exit(0);
    }
}

std::int32_t HOST_takeEvents(HOST_EVENT* events, std::int32_t max)
{
    if (events == nullptr || max <= 0) return 0;
    return use().takeEvents(events, max);
}

bool HOST_readPointer(HOST_POINTER* pointer)
{
    return pointer != nullptr && use().readPointer(pointer);
}

void HOST_showCursor(bool shown)
{
    use().showCursor(shown);
}

std::uint32_t HOST_ticks()
{
    return use().ticks();
}

void HOST_sleep(std::uint32_t ms)
{
    use().sleep(ms);
}

// A paused headless run presents no frames, so its scripted keys would never
// come due: while the pause waits and nothing is on its way, the next
// scripted key is delivered early. With none left the run cannot go on.
void HOST_idle(bool inputWaiting)
{
    constexpr std::uint32_t pauseWait = 10;
    endOnSignal();
    if (backend == nullptr && !inputWaiting && headless.pushed.empty()) {
        if (headless.nextKey < headless.keys.size() && !keyDue(headless.nextKey))
            headless.releasedKeys = headless.nextKey + 1;
        else if (headless.nextKey >= headless.keys.size())
            HOST_fail("paused with no scripted key left to end the pause");
    }
    PLAYER_service();
    HOST_sleep(pauseWait);
}

void HOST_frameStart(std::uint32_t slotMs)
{
    if (backend != nullptr || headless.clock != HOST_CLOCK::VIRTUAL) return;
    headless.slot = std::max(slotMs, drawTicks);
    completeSlot();
}

void HOST_onPresent(void (*hook)(std::uint32_t presented))
{
    presentHook = hook;
}

void HOST_onExit(void (*hook)())
{
    exitHook = hook;
}

void HOST_setFrameLimit(std::uint32_t frames)
{
    frameLimit = frames;
}

std::uint32_t HOST_presentedFrames()
{
    return presented;
}

void HOST_scriptKeys(std::span<const HOST_SCRIPTED_KEY> keys)
{
    headless.keys.assign(keys.begin(), keys.end());
    std::stable_sort(headless.keys.begin(), headless.keys.end(),
                     [](const HOST_SCRIPTED_KEY& a, const HOST_SCRIPTED_KEY& b) { return a.frame < b.frame; });
    headless.nextKey = 0;
    headless.releasedKeys = 0;
}

void HOST_scriptPointer(std::span<const HOST_SCRIPTED_POINTER> states)
{
    headless.pointer.assign(states.begin(), states.end());
    std::stable_sort(headless.pointer.begin(), headless.pointer.end(),
                     [](const HOST_SCRIPTED_POINTER& a, const HOST_SCRIPTED_POINTER& b) { return a.frame < b.frame; });
}

// Keys are named by their character (letters in either case, digits, + - < >)
// or by a word for the ones a script cannot write plainly.
std::int32_t HOST_keyFromName(const char* name, std::size_t length)
{
    if (name == nullptr || length == 0) return 0;
    if (length == 1) {
        const char c = upper(name[0]);
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '<' || c == '>') return c;
        return 0;
    }
    struct Named { const char* name; std::int32_t key; };
    static constexpr Named named[] = {
        {"space", ' '}, {"escape", 27}, {"esc", 27}, {"plus", '+'}, {"minus", '-'}, {"less", '<'}, {"greater", '>'},
        {"F12", HOST_KEY_SCREENSHOT},
    };
    for (const Named& n : named)
        if (sameName(name, length, n.name)) return n.key;
    return 0;
}

void HOST_setTicks(std::uint32_t ms)
{
    headless.virtualTicks = ms;
    headless.lastPresentTicks = ms - headless.slot;   // a frame may be shown at once
}

void HOST_pushKey(std::int32_t key)
{
    headless.pushed.push_back(HOST_EVENT{HOST_KEY, key});
}

void HOST_pushEvent(std::int32_t kind)
{
    headless.pushed.push_back(HOST_EVENT{kind, 0});
}

const std::uint8_t* HOST_lastFrame(std::int32_t* w, std::int32_t* h)
{
    if (w != nullptr) *w = headless.lastWidth;
    if (h != nullptr) *h = headless.lastHeight;
    return headless.lastRows;
}

void HOST_reset()
{
    backend = nullptr;
    headless = Headless{};
    started = false;
    presented = 0;
    frameLimit = 0;
    presentation = HOST_PRESENTATION{1, false, VIEW_MODE::INTEGER};
    exitStep = nullptr;
    presentHook = nullptr;
    exitHook = nullptr;
}
