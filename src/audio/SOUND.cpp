// SOUND: sine, square and noise generators and the envelopes. Oscillator
// phases are whole table indices (the 17.15 phase of a whole frequency never
// has a fraction); the square wave keeps its period in 17.15 fixed point.
#include "audio/SOUND.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "foundation/INT.h"
#include "foundation/RANDOM.h"

const MODID SOUND_ID = MODID_CODE("SOUND   ");
std::uint8_t SOUND_debug = 0;

namespace {

bool valid(const SAMPLE* s)
{
    if (s == nullptr || (s->values == nullptr && s->count > 0)) { SOUND_error(); return false; }
    return true;
}

SAMPLE* buildSineTable()
{
    SAMPLE* t = SAMPLE_new();
    if (t == nullptr) return nullptr;
    SAMPLE_setCount(t, SOUND_RATE);
    if (t->count != SOUND_RATE) { SAMPLE_free(&t); return nullptr; }
    // The quarter-turn constant is the single-precision value nearest pi/2,
    // so the sine at index 11025 falls just short of 1 and gives 32766.
    const double quarter = static_cast<double>(1.5707964f);
    for (std::int32_t i = 0; i <= 11025; ++i) {
        const double a = i * quarter / 11025;
        const auto v = static_cast<std::int32_t>(std::sin(a) * 32767.0);
        t->values[i] = v;
        t->values[22050 - i] = v;
        t->values[22050 + i] = -v;
        if (i > 0) t->values[44100 - i] = -v;
    }
    return t;
}

// value = (value * gain) >> 15 with the gain walked by an accumulator that
// moves it one unit per 32768 / (2^30 / count) values.
void fade(SAMPLE* s, std::int32_t gain, std::int32_t direction)
{
    if (!valid(s) || s->count == 0) return;
    const std::int32_t step = (1 << 30) / s->count;
    std::int32_t accumulator = 0;
    for (std::int32_t i = 0; i < s->count; ++i) {
        const auto product = static_cast<std::uint32_t>(s->values[i]) * static_cast<std::uint32_t>(gain);
        s->values[i] = static_cast<std::int32_t>(product) >> 15;
        accumulator += step;
        if (accumulator >= 32768) {
            gain += direction * (accumulator >> 15);
            accumulator &= 32767;
        }
    }
}

// The ramp lines depend only on the length, and the bank and the voices use
// a handful of lengths hundreds of times: the last few lines of each
// direction are kept (program thread only).
struct RampLine {
    std::int32_t count = 0;
    std::vector<std::int32_t> values;
};

const std::int32_t* rampLine(std::int32_t count, std::int32_t from, std::int32_t to)
{
    static std::array<RampLine, 4> down, up;
    static std::array<std::size_t, 2> next{};
    auto& cache = from > to ? down : up;
    for (const RampLine& line : cache)
        if (line.count == count) return line.values.data();
    SAMPLE* line = SAMPLE_new();
    if (line == nullptr) return nullptr;
    SAMPLE_setCount(line, count);
    if (line->count != count) { SAMPLE_free(&line); return nullptr; }
    SAMPLE_line(line, 0, from, count - 1, to);
    std::size_t& slot = next[from > to ? 0 : 1];
    RampLine& kept = cache[slot];
    slot = (slot + 1) % cache.size();
    kept.count = count;
    kept.values.assign(line->values, line->values + count);
    SAMPLE_free(&line);
    return kept.values.data();
}

// v = (v * line) >> 15, the product wrapping in 32 bits: SAMPLE_multiplyBy
// and SAMPLE_shiftRight in one pass. Runs of eight values let the compiler
// use vector instructions; the cached line never shares a sample's storage.
void scaleBy(std::int32_t* __restrict v, const std::int32_t* __restrict line, std::int32_t n)
{
    auto scaled = [&](std::int32_t i) {
        return INT_mul(v[i], line[i]) >> 15;
    };
    std::int32_t i = 0;
    for (; i + 8 <= n; i += 8)
        for (std::int32_t k = 0; k < 8; ++k) v[i + k] = scaled(i + k);
    for (; i < n; ++i) v[i] = scaled(i);
}

void ramp(SAMPLE* s, std::int32_t from, std::int32_t to)
{
    if (!valid(s) || s->count == 0) return;
    const std::int32_t* line = rampLine(s->count, from, to);
    if (line == nullptr) { SOUND_error(); return; }
    scaleBy(s->values, line, s->count);
}

}  // namespace

std::int32_t SOUND_note(std::int32_t n)
{
    std::int32_t i = n % 96;
    if (i < 0) i += 96;
    return SOUND_notes[static_cast<std::size_t>(i)];
}

const SAMPLE* SOUND_sineTable()
{
    static SAMPLE* const table = buildSineTable();
    return table;
}

void SOUND_sine(SAMPLE* s, std::int32_t frequency)
{
    if (!valid(s)) return;
    const SAMPLE* table = SOUND_sineTable();
    if (table == nullptr || frequency < 1 || frequency > 65535) { SOUND_error(); return; }
    // A frequency above the rate would leave the phase past the table after
    // one subtraction; reducing until it is inside keeps value i at
    // table[(i * f) mod 44100] for every frequency.
    std::int32_t phase = 0;
    for (std::int32_t i = 0; i < s->count; ++i) {
        s->values[i] = table->values[phase];
        phase += frequency;
        while (phase >= SOUND_RATE) phase -= SOUND_RATE;
    }
}

void SOUND_square(SAMPLE* s, std::int32_t frequency)
{
    if (!valid(s)) return;
    if (frequency < 1 || frequency > 65535) { SOUND_error(); return; }
    const std::int64_t period = (static_cast<std::int64_t>(SOUND_RATE) << 15) / frequency;   // 17.15
    const std::int64_t periods = (static_cast<std::int64_t>(s->count) << 15) / period;
    const std::int64_t count = s->count;
    // Writes outside the sample are dropped: above 44100 Hz a period is
    // shorter than one value and its last index would be -1.
    auto put = [&](std::int64_t i, std::int32_t v) {
        if (i >= 0 && i < count) s->values[i] = v;
    };
    for (std::int64_t c = 0; c < periods; ++c) {
        const std::int64_t start = c * period;
        const std::int64_t high = start >> 15;
        const std::int64_t middle = (start + period / 2) >> 15;
        const std::int64_t end = ((start + period) >> 15) - 1;
        for (std::int64_t i = high; i < middle; ++i) put(i, 32767);
        put(middle, 0);
        for (std::int64_t i = middle + 1; i < end; ++i) put(i, -32768);
        put(end, 0);
    }
}

void SOUND_noise(SAMPLE* s, std::int32_t rate)
{
    if (!valid(s)) return;
    std::int32_t value = RANDOM_rand15() - 32768;
    std::int64_t counter = 22050;
    for (std::int32_t i = s->count - 1; i >= 0; --i) {
        counter -= rate;
        if (counter < 0) {
            counter += SOUND_RATE;
            value = RANDOM_rand15() - 32768;
        }
        s->values[i] = value;
    }
}

void SOUND_rampDown(SAMPLE* s)
{
    ramp(s, 32767, 0);
}

void SOUND_rampUp(SAMPLE* s)
{
    ramp(s, 0, 32767);
}

void SOUND_fadeOut(SAMPLE* s)
{
    fade(s, 32768, -1);
}

void SOUND_fadeIn(SAMPLE* s)
{
    fade(s, 0, 1);
}

void SOUND_smooth(const SAMPLE* src, SAMPLE* dst)
{
    if (!valid(src) || !valid(dst)) return;
    if (src->count != dst->count) { SOUND_error(); return; }
    // Reading from a copy gives the same result whether or not src is dst.
    const std::vector<std::int32_t> in(src->values, src->values + src->count);
    for (std::size_t i = 1; i + 1 < in.size(); ++i) {
        const std::uint32_t sum = static_cast<std::uint32_t>(in[i - 1]) + 2u * static_cast<std::uint32_t>(in[i])
            + static_cast<std::uint32_t>(in[i + 1]);
        dst->values[i] = static_cast<std::int32_t>(sum) >> 2;
    }
}

void SOUND_error()
{
    if (SOUND_debug != 0) std::fputs("SOUND Error.\n", stdout);
}
