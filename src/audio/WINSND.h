// WINSND: sound output. Keeps one RIFF/WAVE image of one second of 16-bit
// mono sound at 44100 values per second and hands it to the platform's
// player, looping. Callers queue SAMPLEs of 44100 values; WINSND_playNext
// copies the first into the image and restarts the loop.
#pragma once
#include <cstdint>

#include "audio/SAMPLE.h"
#include "foundation/LIST.h"
#include "foundation/MODID.h"

inline constexpr std::int32_t WINSND_IMAGE_BYTES = 64 + 2 * 44100;   // 88264

struct WINSND {
    std::int32_t rate;       // 44100 values per second
    std::int32_t depth;      // 16
    std::uint8_t sign;       // 's'
    std::uint8_t endian;     // 'l'
    LIST* queue;             // owned list of SAMPLEs waiting to be played; the SAMPLEs are not owned
    SAMPLE* current;         // the entry taken from the queue last, not owned, or null
    std::int32_t position;   // set to 0 when a second starts; not advanced while it plays
    std::uint8_t* image;     // owned WAVE image of 64 + 2 * length bytes
    std::int32_t length;     // 44100 values per image
};

extern const MODID WINSND_ID;
extern std::uint8_t WINSND_debug;   // 0 at start; nothing sets it

WINSND* WINSND_new();                  // image of faint noise, playing in a loop; null after WINSND_error
void WINSND_free(WINSND** sound);      // stops playing, frees image, queue (not its entries) and record
bool WINSND_playNext(WINSND* sound);   // first queued second into the image, looped; false when none was started
bool WINSND_playNextOnce(WINSND* sound);   // the same, played once; returns when it has ended
void WINSND_stop();                    // stops whatever the player plays
void WINSND_error();                   // "WINSND error\n" while WINSND_debug != 0
