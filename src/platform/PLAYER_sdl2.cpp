// PLAYER_sdl2: the sound player's SDL2 back end, linked only into the
// program. One device at 44100 Hz, mono, 16-bit; SDL converts to whatever the
// hardware wants. The callback runs PLAYER_render under SDL's device lock,
// which the program's thread takes only to swap what plays, so a slow frame
// never starves the device. A device that stops (unplugged, or its server
// gone) is closed and the default device opened in its place, the loop going
// on where it was; when none opens the player goes silent with one line.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/PLAYER.h"

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
