// SAMPLE: a growable array of signed 32-bit values. Audio keeps every
// waveform in one (44100 values per second, nominally 16-bit); the driver and
// several effects use it as a plain integer array. Arithmetic wraps in 32 bits.
#pragma once
#include <cstdint>
#include <cstdio>
#include <span>

#include "foundation/MODID.h"

struct SAMPLE {
    std::int32_t count;      // values in use, 0..capacity
    std::int32_t capacity;   // slots allocated
    std::int32_t* values;    // owned (std::calloc), capacity slots zeroed when allocated, or null when capacity is 0
};

extern const MODID SAMPLE_ID;
extern std::uint8_t SAMPLE_debug;   // 0 at start; nothing sets it

// Storage.
SAMPLE* SAMPLE_new();                                     // count 0, capacity 32; null after SAMPLE_error
void SAMPLE_free(SAMPLE** sample);                        // frees values and record, stores null
void SAMPLE_reserve(SAMPLE* sample, std::int32_t n);      // capacity n, keeps the first min(count, n) values; n >= 0
void SAMPLE_setCount(SAMPLE* sample, std::int32_t n);     // grows capacity to n if needed; n >= 0
std::int32_t SAMPLE_get(const SAMPLE* sample, std::int32_t i);             // 0 after SAMPLE_error outside 0..count-1
void SAMPLE_set(SAMPLE* sample, std::int32_t i, std::int32_t value);       // ignored (error) outside 0..count-1
void SAMPLE_append(SAMPLE* sample, std::int32_t value);                    // doubles capacity when full (1 from 0)
void SAMPLE_insert(SAMPLE* sample, std::int32_t value, std::int32_t i);    // 0 <= i <= count
void SAMPLE_remove(SAMPLE* sample, std::int32_t i);                        // 0 <= i < count
void SAMPLE_copyRange(const SAMPLE* src, SAMPLE* dst, std::int32_t n,
                      std::int32_t srcStart, std::int32_t dstStart);       // both runs inside their counts; overlap safe
SAMPLE* SAMPLE_clone(const SAMPLE* sample);               // same count and values; null after SAMPLE_error
void SAMPLE_clear(SAMPLE* sample);                        // every value 0

// Arithmetic, wrapping in 32 bits.
void SAMPLE_add(SAMPLE* a, const SAMPLE* b);              // a[i] += b[i] below the smaller count; a may be b
void SAMPLE_multiplyBy(SAMPLE* a, const SAMPLE* b);       // a[i] *= b[i] below the smaller count
void SAMPLE_multiply(SAMPLE* sample, std::int32_t k);
void SAMPLE_divide(SAMPLE* sample, std::int32_t k);       // truncates toward zero; k = 0 is an error
void SAMPLE_shiftRight(SAMPLE* sample, std::int32_t k);   // arithmetic, by k & 31; k < 33
void SAMPLE_shiftLeft(SAMPLE* sample, std::int32_t k);    // by k & 31; k < 33
void SAMPLE_normalize(SAMPLE* sample, std::int32_t peak); // largest magnitude becomes peak (or one less); all-zero unchanged
void SAMPLE_rotateRight(SAMPLE* sample, std::int32_t k);  // new[i] = old[(i - k) mod count]; any k
void SAMPLE_rotateLeft(SAMPLE* sample, std::int32_t k);   // new[i] = old[(i + k) mod count]; any k
void SAMPLE_line(SAMPLE* sample, std::int32_t x0, std::int32_t y0,
                 std::int32_t x1, std::int32_t y1);       // values x0..x1 run from y0 to y1; 0 <= x0 <= x1 < count
std::int32_t SAMPLE_min(const SAMPLE* sample);            // 0 after SAMPLE_error when empty
std::int32_t SAMPLE_max(const SAMPLE* sample);            // 0 after SAMPLE_error when empty
std::int32_t SAMPLE_indexOfMin(const SAMPLE* sample);     // lowest index of the smallest; -1 after SAMPLE_error when empty
std::int32_t SAMPLE_indexOfMax(const SAMPLE* sample);     // lowest index of the largest; -1 after SAMPLE_error when empty

// Less used operations.
void SAMPLE_reverse(SAMPLE* sample);
std::int32_t SAMPLE_find(const SAMPLE* sample, std::int32_t value, std::int32_t start);   // first index >= max(start, 0), or -1
SAMPLE* SAMPLE_fromBytes(std::span<const std::uint8_t> bytes);   // one value per byte, read as signed 8-bit
void SAMPLE_insertSample(SAMPLE* a, const SAMPLE* b, std::int32_t i);   // all of b before a[i]; 0 <= i <= a count; a may be b
std::int32_t SAMPLE_matches(const SAMPLE* a, const SAMPLE* b, std::int32_t offset);   // positions j with a[j] == b[j - offset]
std::int32_t SAMPLE_bestOffset(const SAMPLE* a, const SAMPLE* b);   // offset in 1 - b count .. a count - 1 with most matches; 0 if either is empty
void SAMPLE_addScaled(SAMPLE* a, const SAMPLE* b, std::int32_t mul, std::int32_t div);   // a[i] += b[i] * mul / div; div != 0
void SAMPLE_addScaled16(SAMPLE* a, const SAMPLE* b, std::int32_t f);   // a[i] += (b[i] * f) >> 16
void SAMPLE_resample(SAMPLE* sample, std::int32_t n);     // n values picked evenly; count = capacity = n
void SAMPLE_mapRange(SAMPLE* sample, std::int32_t lo, std::int32_t hi);   // smallest -> lo, largest -> hi; all equal -> lo
bool SAMPLE_equal(const SAMPLE* a, const SAMPLE* b);      // same count and values; SAMPLE_error whenever false

// Text and raw forms.
char* SAMPLE_print(const SAMPLE* sample);                 // "SAMPLE { n\nv\n...}\n"; std::malloc'ed, the caller frees
SAMPLE* SAMPLE_parse(const char* text);                   // the print form back; null after SAMPLE_error when short or too big
bool SAMPLE_writeRaw(const SAMPLE* sample, std::FILE* file, std::int32_t depth,
                     const char* order);                  // depth 8/24/32 or 16 (any other); order "b": high byte first

void SAMPLE_error();                                      // "SAMPLE error\n" while SAMPLE_debug != 0
