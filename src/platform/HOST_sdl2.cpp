// HOST_sdl2: the SDL2 back end of the program, window, input and sound in
// one place, as HOST_web.cpp is for the browser.
//
// Window: one window, a renderer and a streaming texture made once; each
// present copies the display's 24-bit rows into the texture in place and
// draws it, nearest neighbour, into the rectangle VIEW gives for the drawable
// (device pixels on a high-density screen), black around it. Keys arrive as
// characters; the pointer is read on demand and mapped back to frame pixels.
// F11 and Alt+Enter switch desktop fullscreen here, without the demo seeing a
// key.
//
// Sound: one device at 44100 Hz, mono, 16-bit; SDL converts to whatever the
// hardware wants. The callback runs PLAYER_render under SDL's device lock,
// which the program's thread takes only to swap what plays, so a slow frame
// never starves the device. A device that stops (unplugged, or its server
// gone) is closed and the default device opened in its place, the loop going
// on where it was; when none opens the player goes silent with one line.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/HOST.h"
#include "platform/PLAYER.h"

namespace {

SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* texture = nullptr;
std::int32_t textureWidth = 0, textureHeight = 0;
bool videoStarted = false;
bool fullscreen = false;
std::int32_t frameWidth = 256, frameHeight = 256;   // the last size asked for, in frame pixels

// Where the frame goes now, from the window's logical size and its drawable.
VIEW currentView()
{
    int ww = 0, wh = 0, dw = 0, dh = 0;
    SDL_GetWindowSize(window, &ww, &wh);
    if (renderer == nullptr || SDL_GetRendererOutputSize(renderer, &dw, &dh) != 0) {
        dw = ww;
        dh = wh;
    }
    return VIEW_make(frameWidth, frameHeight, ww, wh, dw, dh, HOST_presentation().mode);
}

bool iconSet = false;

// The window's icon is the first frame shown (the intro picture), the same
// picture the installed icon was made from.
void setIcon(const std::uint8_t* rows, std::int32_t w, std::int32_t h)
{
    iconSet = true;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_BGR24);
    if (icon == nullptr) return;
    for (std::int32_t y = 0; y < h; ++y)
        std::memcpy(static_cast<std::uint8_t*>(icon->pixels) + static_cast<std::size_t>(y) * static_cast<std::size_t>(icon->pitch),
                    rows + static_cast<std::size_t>(h - 1 - y) * static_cast<std::size_t>(w) * 3u, static_cast<std::size_t>(w) * 3u);
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

bool start()
{
    // No display server to talk to: say so at once rather than let every
    // driver try and complain. SDL_VIDEODRIVER still picks any driver.
    const bool chosen = std::getenv("SDL_VIDEODRIVER") != nullptr;
    if (!chosen && std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) return false;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    videoStarted = true;
    if (SDL_GetNumVideoDisplays() < 1) return false;
    // Without a display the library falls back to drivers that draw nowhere;
    // that is no window to show the demo in, unless someone asked for one.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!chosen && driver != nullptr &&
        (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "evdev") == 0))
        return false;
    SDL_StartTextInput();
    return true;
}

void stop()
{
    if (texture != nullptr) SDL_DestroyTexture(texture);
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    if (window != nullptr) SDL_DestroyWindow(window);
    texture = nullptr;
    renderer = nullptr;
    window = nullptr;
    iconSet = false;
    if (videoStarted) SDL_Quit();
    videoStarted = false;
}

// Sizes are logical units; on a high-density screen the drawable has more
// pixels and the texture is drawn at the drawable's size.
bool openWindow(const char* title, std::int32_t w, std::int32_t h)
{
    if (window != nullptr) return true;
    const HOST_PRESENTATION p = HOST_presentation();
    frameWidth = w > 0 ? w : 1;
    frameHeight = h > 0 ? h : 1;
    fullscreen = p.fullscreen;
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window = SDL_CreateWindow(title, 0, 0, frameWidth * p.scale, frameHeight * p.scale, flags);
    if (window == nullptr) return false;
    renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer == nullptr) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    return renderer != nullptr;
}

// The client area gets w x h frame pixels at the scale; the window with its
// frame is centred on the screen it is on, as far as the frame's size can be
// measured. A fullscreen window keeps the whole screen.
void placeWindow(std::int32_t fw, std::int32_t fh)
{
    if (window == nullptr) return;
    frameWidth = fw > 0 ? fw : 1;
    frameHeight = fh > 0 ? fh : 1;
    if (fullscreen) {
        SDL_ShowWindow(window);
        return;
    }
    const std::int32_t scale = HOST_presentation().scale;
    const int w = frameWidth * scale;
    const int h = frameHeight * scale;
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) != 0) top = left = bottom = right = 0;
    int cw = 0, ch = 0;
    SDL_GetWindowSize(window, &cw, &ch);
    if (cw != w || ch != h) SDL_SetWindowSize(window, w, h);
    int index = SDL_GetWindowDisplayIndex(window);
    SDL_Rect screen{0, 0, w, h};
    if (index < 0 || SDL_GetDisplayBounds(index, &screen) != 0) SDL_GetDisplayBounds(0, &screen);
    const int outerW = w + left + right;
    const int outerH = h + top + bottom;
    const int x = screen.x + (screen.w - outerW) / 2 + left;
    const int y = screen.y + (screen.h - outerH) / 2 + top;
    int px = 0, py = 0;
    SDL_GetWindowPosition(window, &px, &py);
    if (px != x || py != y) SDL_SetWindowPosition(window, x, y);
    SDL_ShowWindow(window);
}

void switchFullscreen()
{
    if (window == nullptr) return;
    const bool want = !fullscreen;
    if (SDL_SetWindowFullscreen(window, want ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return;
    fullscreen = want;
    if (!fullscreen) placeWindow(frameWidth, frameHeight);   // back to the scaled size, centred
}

void present(const std::uint8_t* rows, std::int32_t w, std::int32_t h)
{
    if (renderer == nullptr || rows == nullptr || w <= 0 || h <= 0) return;
    if (!iconSet) setIcon(rows, w, h);
    if (texture == nullptr || textureWidth != w || textureHeight != h) {
        if (texture != nullptr) SDL_DestroyTexture(texture);
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w, h);
        textureWidth = texture != nullptr ? w : 0;
        textureHeight = texture != nullptr ? h : 0;
        if (texture == nullptr) return;
    }
    void* locked = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &locked, &pitch) != 0) return;
    // The rows come bottom-up as blue, green, red bytes; the texture wants
    // top-down 0x00RRGGBB words.
    for (std::int32_t y = 0; y < h; ++y) {
        const std::uint8_t* in = rows + static_cast<std::size_t>(h - 1 - y) * static_cast<std::size_t>(w) * 3u;
        auto* out = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(locked) + static_cast<std::size_t>(y) * static_cast<std::size_t>(pitch));
        for (std::int32_t x = 0; x < w; ++x, in += 3)
            out[x] = static_cast<std::uint32_t>(in[0]) | (static_cast<std::uint32_t>(in[1]) << 8) | (static_cast<std::uint32_t>(in[2]) << 16);
    }
    SDL_UnlockTexture(texture);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    frameWidth = w;
    frameHeight = h;
    const VIEW v = currentView();
    const SDL_Rect place{v.x, v.y, v.width, v.height};
    SDL_RenderCopy(renderer, texture, nullptr, &place);
    SDL_RenderPresent(renderer);
}

// Letters, digits, space and Escape come from key-down events (letters and
// digits of the main keyboard and digits of the keypad); + - < > come from
// the text the key produces, so they work from the main keyboard with any
// layout as well as from the keypad.
std::int32_t keyOf(const SDL_KeyboardEvent& e)
{
    const SDL_Keycode k = e.keysym.sym;
    if (k == SDLK_m && (e.keysym.mod & KMOD_CTRL) != 0) return 13;   // Ctrl+M: mute
    if (k >= SDLK_a && k <= SDLK_z) return static_cast<std::int32_t>('A' + (k - SDLK_a));
    if (k >= SDLK_0 && k <= SDLK_9) return static_cast<std::int32_t>(k);
    const SDL_Scancode s = e.keysym.scancode;
    if (s >= SDL_SCANCODE_1 && s <= SDL_SCANCODE_9) return '1' + (s - SDL_SCANCODE_1);
    if (s == SDL_SCANCODE_0) return '0';
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return '1' + static_cast<std::int32_t>(k - SDLK_KP_1);
    if (k == SDLK_KP_0) return '0';
    if (k == SDLK_SPACE) return ' ';
    if (k == SDLK_ESCAPE) return 27;
    return 0;
}

std::int32_t textKey(const char* text)
{
    if (text[0] == 0 || text[1] != 0) return 0;
    switch (text[0]) {
    case '+': case '-': case '<': case '>': case '[': case ']': return text[0];
    default: return 0;
    }
}

// Everything pending is taken; pointer movements and other events the demo
// does not use are dropped on the way.
std::int32_t takeEvents(HOST_EVENT* events, std::int32_t max)
{
    SDL_PumpEvents();
    std::int32_t n = 0;
    SDL_Event e;
    while (n < max && SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
        std::int32_t key = 0;
        switch (e.type) {
        case SDL_QUIT:
            events[n++] = HOST_EVENT{HOST_CLOSE, 0};
            break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) events[n++] = HOST_EVENT{HOST_CLOSE, 0};
            else if (e.window.event == SDL_WINDOWEVENT_RESIZED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                events[n++] = HOST_EVENT{HOST_RESIZE, 0};
            break;
        case SDL_KEYDOWN:
            if (e.key.keysym.sym == SDLK_F11 ||
                ((e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER) && (e.key.keysym.mod & KMOD_ALT) != 0)) {
                if (e.key.repeat == 0) switchFullscreen();
                break;
            }
            if (e.key.keysym.sym == SDLK_F12) {
                if (e.key.repeat == 0) events[n++] = HOST_EVENT{HOST_KEY, HOST_KEY_SCREENSHOT};
                break;
            }
            key = keyOf(e.key);
            if (key != 0) events[n++] = HOST_EVENT{HOST_KEY, key};
            break;
        case SDL_TEXTINPUT:
            key = textKey(e.text.text);
            if (key != 0) events[n++] = HOST_EVENT{HOST_KEY, key};
            break;
        default:
            break;
        }
    }
    return n;
}

// The screen position less the window's gives logical units in the window,
// which VIEW maps back through the scale and the letterbox.
bool readPointer(HOST_POINTER* p)
{
    if (window == nullptr) return false;
    int sx = 0, sy = 0, cx = 0, cy = 0;
    const Uint32 held = SDL_GetGlobalMouseState(&sx, &sy);
    SDL_GetWindowPosition(window, &cx, &cy);
    std::int32_t buttons = 0;
    if ((held & SDL_BUTTON_LMASK) != 0) buttons |= 1;
    if ((held & SDL_BUTTON_RMASK) != 0) buttons |= 2;
    if ((held & SDL_BUTTON_MMASK) != 0) buttons |= 4;
    std::int32_t fx = 0, fy = 0;
    VIEW_toFrame(currentView(), sx - cx, sy - cy, &fx, &fy);
    *p = HOST_POINTER{sx, sy, cx, cy, buttons, fx, fy};
    return true;
}

void showCursor(bool shown)
{
    SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

std::uint32_t ticks()
{
    return SDL_GetTicks();
}

void sleep(std::uint32_t ms)
{
    SDL_Delay(ms);
}

const HOST_BACKEND sdl2 = {start, stop, openWindow, placeWindow, present, takeEvents, readPointer, showCursor, ticks, sleep};

}  // namespace

const HOST_BACKEND* HOST_sdl2Backend()
{
    return &sdl2;
}

// Sound.

namespace {

SDL_AudioDeviceID device = 0;

void SDLCALL feed(void*, Uint8* stream, int bytes)
{
    PLAYER_render(reinterpret_cast<std::int16_t*>(stream), bytes / 2);
    PLAYER_applyVolume(reinterpret_cast<std::int16_t*>(stream), bytes / 2);   // only what is heard
}

SDL_AudioDeviceID openDevice()
{
    SDL_AudioSpec want{};
    want.freq = PLAYER_RATE;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 1024;
    want.callback = feed;
    SDL_AudioSpec have{};
    const SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (id != 0) SDL_PauseAudioDevice(id, 0);
    return id;
}

// Test-only settings, read once at open. QORN_TEST_STALL=MIN-MAX makes
// every frame loop call sleep MIN to MAX ms (a fixed pseudo-random series);
// QORN_TEST_SOUND_LOSS=N closes the device behind the player's back at the
// N-th call, as an unplugged device stops. For SDL's disk driver the device
// that replaces it writes to the same file name with ".reopened" added, and
// N:fail points it where no file can be made, so that no device opens.
struct TestSettings {
    std::uint32_t stallMin = 0, stallMax = 0;
    std::uint32_t stallSeed = 1;
    std::uint32_t lossAt = 0;   // 0: never
    bool lossFails = false;
    std::uint32_t calls = 0;
};

TestSettings test;

void readTestSettings()
{
    test = TestSettings{};
    if (const char* s = std::getenv("QORN_TEST_STALL")) {
        unsigned lo = 0, hi = 0;
        if (std::sscanf(s, "%u-%u", &lo, &hi) == 2 && lo <= hi && hi <= 10000) {
            test.stallMin = lo;
            test.stallMax = hi;
        }
    }
    if (const char* s = std::getenv("QORN_TEST_SOUND_LOSS")) {
        unsigned at = 0;
        char tail[8] = "";
        if (std::sscanf(s, "%u%7s", &at, tail) >= 1) {
            test.lossAt = at;
            test.lossFails = std::string_view(tail) == ":fail";
        }
    }
}

void lock()
{
    SDL_LockAudioDevice(device);
}

void unlock()
{
    SDL_UnlockAudioDevice(device);
}

// Polls until the sound has ended; the deadline leaves room for the
// device's own buffering and ends the wait if the device stops calling back.
void wait(std::uint32_t ms)
{
    const Uint32 deadline = SDL_GetTicks() + ms + 500;
    while (PLAYER_busy() && static_cast<std::int32_t>(deadline - SDL_GetTicks()) > 0) {
        PLAYER_service();
        SDL_Delay(5);
    }
}

void close()
{
    if (device != 0) SDL_CloseAudioDevice(device);
    device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void service();

const PLAYER_BACKEND backend = {lock, unlock, wait, close, service};

// A stopped device no longer calls back; the playing state lives in the
// portable player, so a new device simply goes on rendering it. One attempt
// only: opening can take long on some systems, and the frame loop waits.
void service()
{
    ++test.calls;
    if (test.stallMax > 0) {
        test.stallSeed = test.stallSeed * 1103515245u + 12345u;
        SDL_Delay(test.stallMin + (test.stallSeed >> 16) % (test.stallMax - test.stallMin + 1));
    }
    if (test.lossAt != 0 && test.calls == test.lossAt) {
        const char* file = SDL_getenv("SDL_DISKAUDIOFILE");
        const std::string next = test.lossFails ? "/nonexistent/qorn7316-sound" : std::string(file != nullptr ? file : "sdlaudio.raw") + ".reopened";
        SDL_setenv("SDL_DISKAUDIOFILE", next.c_str(), 1);
        SDL_CloseAudioDevice(device);
    }
    if (device == 0 || SDL_GetAudioDeviceStatus(device) != SDL_AUDIO_STOPPED) return;
    SDL_CloseAudioDevice(device);
    device = openDevice();
    if (device != 0) return;
    std::fprintf(stderr, "qorn7316: the sound device was lost (%s); running silently\n", SDL_GetError());
    PLAYER_useBackend(nullptr);   // silent from now on; the sound state stays as it is
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace

bool PLAYER_openSdl2()
{
    PLAYER_close();
    readTestSettings();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "qorn7316: no sound (%s); running silently\n", SDL_GetError());
        return false;
    }
    device = openDevice();
    if (device == 0) {
        std::fprintf(stderr, "qorn7316: no sound device (%s); running silently\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    PLAYER_useBackend(&backend);
    return true;
}
