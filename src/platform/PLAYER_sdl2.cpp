// PLAYER_sdl2: the sound player's SDL2 back end, linked only into the
// program. One device at 44100 Hz, mono, 16-bit; SDL converts to whatever the
// hardware wants. The callback runs PLAYER_render under SDL's device lock,
// which the program's thread takes only to swap what plays.
#include <SDL.h>

#include <cstdio>

#include "platform/PLAYER.h"

namespace {

SDL_AudioDeviceID device = 0;

void SDLCALL feed(void*, Uint8* stream, int bytes)
{
    PLAYER_render(reinterpret_cast<std::int16_t*>(stream), bytes / 2);
    PLAYER_applyVolume(reinterpret_cast<std::int16_t*>(stream), bytes / 2);   // only what is heard
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
    while (PLAYER_busy() && static_cast<std::int32_t>(deadline - SDL_GetTicks()) > 0) SDL_Delay(5);
}

void close()
{
    if (device != 0) SDL_CloseAudioDevice(device);
    device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

const PLAYER_BACKEND backend = {lock, unlock, wait, close};

}  // namespace

bool PLAYER_openSdl2()
{
    PLAYER_close();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "qorn7316: no sound (%s); running silently\n", SDL_GetError());
        return false;
    }
    SDL_AudioSpec want{};
    want.freq = PLAYER_RATE;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 1024;
    want.callback = feed;
    SDL_AudioSpec have{};
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        std::fprintf(stderr, "qorn7316: no sound device (%s); running silently\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    PLAYER_useBackend(&backend);
    SDL_PauseAudioDevice(device, 0);
    return true;
}
