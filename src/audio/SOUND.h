// SOUND: waveform generators and envelopes at 44100 values per second. The
// generators fill a sample's existing count values; the caller sets the length
// first. Owns the shared one-cycle sine table, built on first use.
#pragma once
#include <array>
#include <cstdint>

#include "audio/SAMPLE.h"
#include "foundation/MODID.h"

inline constexpr std::int32_t SOUND_RATE = 44100;   // values per second

// Note frequencies in whole Hz: 8 octaves of 12 semitones from C; entry 45 is 440.
inline constexpr std::array<std::int32_t, 96> SOUND_notes = {
    32, 34, 36, 39, 41, 44, 46, 49, 52, 55, 58, 62,
    65, 69, 73, 78, 82, 87, 93, 98, 104, 110, 117, 123,
    131, 139, 147, 156, 165, 175, 185, 196, 208, 220, 233, 247,
    262, 277, 294, 311, 330, 349, 370, 392, 415, 440, 466, 494,
    523, 554, 587, 622, 659, 698, 740, 784, 831, 880, 932, 988,
    1046, 1109, 1174, 1244, 1318, 1397, 1480, 1568, 1661, 1760, 1864, 1975,
    2093, 2217, 2349, 2489, 2637, 2793, 2960, 3135, 3322, 3520, 3729, 3951,
    4186, 4434, 4698, 4978, 5274, 5587, 5920, 6272, 6645, 7040, 7458, 7902,
};
static_assert(SOUND_notes.size() == 96);

extern const MODID SOUND_ID;
extern std::uint8_t SOUND_debug;   // 0 at start; nothing sets it

std::int32_t SOUND_note(std::int32_t n);          // SOUND_notes[n mod 96], any n
const SAMPLE* SOUND_sineTable();                  // one cycle in 44100 values, peak 32766; lives for the program
void SOUND_sine(SAMPLE* sample, std::int32_t frequency);     // Hz, 1..65535: value i = table[(i * f) mod 44100]
void SOUND_square(SAMPLE* sample, std::int32_t frequency);   // Hz, 1..65535: 32767 / 0 / -32768 / 0 per period;
                                                             // values after the last whole period untouched
void SOUND_noise(SAMPLE* sample, std::int32_t rate);         // sample-and-hold in -32768..-1, rate changes per second
void SOUND_rampDown(SAMPLE* sample);              // times a line falling from 32767 to 0, then >> 15
void SOUND_rampUp(SAMPLE* sample);                // times a line rising from 0 to 32767, then >> 15
void SOUND_fadeOut(SAMPLE* sample);               // gain 1 to 0 by an accumulator in 1/32768 steps
void SOUND_fadeIn(SAMPLE* sample);                // gain 0 to 1
void SOUND_smooth(const SAMPLE* src, SAMPLE* dst);   // dst[i] = (src[i-1] + 2 src[i] + src[i+1]) >> 2 inside;
                                                     // equal counts; src may be dst
void SOUND_error();                               // "SOUND Error.\n" while SOUND_debug != 0
