// PLAYER: the sound player under WINSND. It takes a complete RIFF/WAVE image
// from memory (PCM, 8 to 32 bits, any channel count, 8000 values a second or
// more), converts a copy to 16-bit mono at 44100 values per second when play
// starts, and loops it or plays it once. Back ends: none (silent), headless (what would be heard goes
// to a WAVE file, in step with a clock) and SDL2 (HOST_sdl2.cpp, program only).
// A new sound cross-fades with the old one over PLAYER_FADE values, so
// switching loops or stopping never clicks; a loop wraps without a gap.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "foundation/MODID.h"

inline constexpr std::int32_t PLAYER_RATE = 44100;   // values per second of what is heard
inline constexpr std::int32_t PLAYER_FADE = 256;     // values of a cross-fade (5.8 ms)

// What a back end gives the portable player. Every call comes from the
// program's thread.
struct PLAYER_BACKEND {
    void (*lock)();                    // before the playing state changes (headless: catch up to now)
    void (*unlock)();
    void (*wait)(std::uint32_t ms);    // play-once: return when PLAYER_busy() is false or ms have passed
    void (*close)();                   // stop feeding, release the device or finish the file
    void (*service)();                 // once a frame and while paused: keep the device going; may be null
};

extern const MODID PLAYER_ID;
extern std::uint8_t PLAYER_debug;   // 0 at start; nothing sets it

// Back ends. With none open the player is silent and every call still succeeds.
bool PLAYER_openHeadless(const char* path, std::uint32_t (*ticks)(),
                         void (*sleep)(std::uint32_t));   // path: 16-bit mono 44100 Hz WAVE written up to ticks()
                                                          // at close or exit; false after PLAYER_error
bool PLAYER_openClocked(std::uint32_t (*ticks)(), void (*sleep)(std::uint32_t));   // the headless back end
                                    // without a file: what would be heard goes only to the listener
bool PLAYER_openSdl2();             // defined only in the program built with SDL2; a missing device is
                                    // reported once on standard error and the player stays silent (false)
void PLAYER_useBackend(const PLAYER_BACKEND* backend);   // for back ends; null: silent
void PLAYER_close();                // closes the back end (also run at exit); stops the sound
// Every value rendered (what is heard, or would be) goes to the listener
// too, in order: on the audio thread with the SDL2 back end. Null: none.
void PLAYER_listen(void (*listener)(const std::int16_t* values, std::int32_t n));
void PLAYER_sync();                 // the headless back end renders up to now (elsewhere nothing happens)
bool PLAYER_writeFailed();          // a sound file since start could not be written completely (reported
                                    // on standard error when it was closed)
void PLAYER_service();              // the frame loop's call: a lost device is reopened (or the player
                                    // goes silent with one line on standard error)

// Playing.
bool PLAYER_loop(std::span<const std::uint8_t> wave);       // from its first value, repeated until stopped;
                                                            // false (old sound goes on) when unreadable
bool PLAYER_playOnce(std::span<const std::uint8_t> wave);   // plays it once; returns when it has ended
void PLAYER_stop();                                         // fades out whatever plays
bool PLAYER_busy();                                         // a sound is playing (not counting a fade-out)

// Volume of what is heard through the sound device: the device back end
// scales what it plays; PLAYER_render, and so the headless file, never is.
inline constexpr std::int32_t PLAYER_VOLUME_STEP = 10;   // per volume key
void PLAYER_setVolume(std::int32_t percent);   // clamped to 0..100; 100 at start
std::int32_t PLAYER_volume();
void PLAYER_setMuted(bool muted);              // keeps the volume for unmuting
bool PLAYER_muted();
void PLAYER_applyVolume(std::int16_t* out, std::int32_t n);   // gain (volume/100)^2, 0 muted; no lock, any thread

// Shared with the back ends and tests.
bool PLAYER_decode(std::span<const std::uint8_t> wave, std::vector<std::int16_t>& out);   // 16-bit mono 44100;
                                                            // false after PLAYER_error on a bad image
void PLAYER_render(std::int16_t* out, std::int32_t n);      // the next n values heard, then to the listener;
                                                            // no allocation or lock besides the listener's
void PLAYER_error();                                        // "PLAYER error\n" while PLAYER_debug != 0
