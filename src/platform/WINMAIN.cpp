// WINMAIN: the program's main(). The window back end exists only in a build
// with SDL2; the rest of the entry is library code (WINMAIN_core.cpp).
#include "platform/HOST.h"
#include "platform/PLAYER.h"
#include "platform/WINMAIN.h"

int main(int argc, char** argv)
{
#ifdef QORN_HAVE_SDL2
    const HOST_BACKEND* window = HOST_sdl2Backend();
    bool (*openSoundDevice)() = PLAYER_openSdl2;
#else
    const HOST_BACKEND* window = nullptr;
    bool (*openSoundDevice)() = nullptr;
#endif
    return WINMAIN_run(argc, argv, window, openSoundDevice);
}
