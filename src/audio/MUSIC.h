// MUSIC: a bank of instrument samples and a one-second mix. Each voice
// pattern copies one randomly chosen instrument into the voice buffer at
// rhythmic offsets; the caller mixes voices into the mix. Random draws come
// from RANDOM_rand15 in a fixed order: instrument, four offset bits, then e.
#pragma once
#include <cstdint>

#include "audio/SAMPLE.h"
#include "foundation/LIST.h"
#include "foundation/MODID.h"

struct MUSIC {
    std::int32_t tick;     // music steps counted by MUSIC_tick
    std::int32_t period;   // voices are made when tick mod period is 0; 300 by default
    SAMPLE* mix;           // owned; 44100 values, the current second
    LIST* instruments;     // owned list of owned SAMPLEs, the bank
    SAMPLE* voice;         // owned working voice as long as mix, or null before the first pattern
};

extern const MODID MUSIC_ID;
extern std::uint8_t MUSIC_debug;   // 0 at start; nothing sets it

MUSIC* MUSIC_new();                                  // tick 0, period 300, silent mix, empty bank; null after MUSIC_error
void MUSIC_free(MUSIC** music);                      // frees mix, voice, every instrument (last first), the bank; stores null
void MUSIC_addInstrument(MUSIC* music, SAMPLE* sample);   // appended to the bank, which owns it from now on
void MUSIC_tick(MUSIC* music);                       // tick += 1 once both mix and voice exist
void MUSIC_hit(MUSIC* music);                        // one copy at a random 1/16-second offset
void MUSIC_hitFade(MUSIC* music);                    // the same, ramped down
void MUSIC_repeat(MUSIC* music);                     // 1, 2, 4 or 8 copies spread evenly, scaled by (4 - e) / 4
void MUSIC_repeatFade(MUSIC* music);                 // the same, the voice ramped down after each copy
void MUSIC_roll(MUSIC* music);                       // 5, 1, 3 or 7 copies spread evenly, scaled by (4 - e) / 4
void MUSIC_blend(MUSIC* music, std::int32_t k);      // mix = (mix * (k - 1) + voice) / k; k >= 2
void MUSIC_error();                                  // "MUSIC ERROR\n" while MUSIC_debug != 0
