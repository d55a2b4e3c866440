// SAM: one SAMPLE with what it takes to store it in a file. Writes the SAM
// text/binary form, the SAM form with a width line (names ending in "raw")
// and the bare big-endian form (names ending in "wav"); reads RIFF/WAVE PCM,
// the SAM forms and headerless data. Every reader is bounded by the file.
#pragma once
#include <cstdint>
#include <cstdio>

#include "audio/SAMPLE.h"
#include "foundation/MODID.h"

struct SAM {
    SAMPLE* sample;         // owned, or null
    char* fileName;         // owned (std::malloc'ed), or null
    std::FILE* file;        // open only during one read or write, else null
    std::int32_t channels;  // channel count read from a file
    std::int32_t depth;     // bits per value: 8, 16, 24 or 32
    std::uint8_t sign;      // 's' signed or 'u' unsigned
    std::uint8_t storage;   // 'a'/'A' ASCII or 'b'/'B' binary
    std::uint8_t endian;    // 'l' little-endian or 'm' most significant byte first
    std::int32_t position;  // play position into sample, set by the caller
};

extern const MODID SAM_ID;
extern std::uint8_t SAM_debug;   // 0 at start; nothing sets it

SAM* SAM_new();                                  // all fields zero; ends the program with -1 if memory runs out
void SAM_free(SAM** sam);                        // closes file, frees fileName and sample, stores null
void SAM_setSample(SAM* sam, SAMPLE* sample);    // the record holds sample from now on; the previous one is
                                                 // not freed; null detaches (a lender stores null before SAM_free)
bool SAM_setFileName(SAM* sam, const char* name);   // keeps a copy of name
bool SAM_load(SAM* sam);                         // reads fileName into a new sample; false after SAM_error
bool SAM_save(SAM* sam);                         // writes sample to file, or to fileName by its ending; closes it
void SAM_error();                                // "SAM error.\n" while SAM_debug != 0
