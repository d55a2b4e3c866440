#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "audio/SOUND.h"
#include "foundation/RANDOM.h"

namespace {

using Values = std::vector<std::int32_t>;

SAMPLE* sampleOf(const Values& values)
{
    SAMPLE* s = SAMPLE_new();
    for (const std::int32_t v : values) SAMPLE_append(s, v);
    return s;
}

Values valuesOf(const SAMPLE* s) { return Values(s->values, s->values + s->count); }

// The values at the given indices.
Values at(const SAMPLE* s, std::initializer_list<std::int32_t> indices)
{
    Values v;
    for (const std::int32_t i : indices) v.push_back(s->values[i]);
    return v;
}

}  // namespace

TEST(SoundGenerators, SineTableEdgesOfSquareAndNoiseStart)
{
    const SAMPLE* table = SOUND_sineTable();
    ASSERT_EQ(table->count, 44100);
    // values[1]: sin(pi/2 / 11025) * 32767 = 4.67.
    EXPECT_EQ(at(table, {0, 1, 11025, 22049, 22050, 33075, 44099}), (Values{0, 4, 32766, 4, 0, -32766, -4}));

    SAMPLE* s = sampleOf(Values(44100));
    SOUND_sine(s, 65535);   // past the rate: index (i * 65535) mod 44100
    EXPECT_EQ(at(s, {2, 3}), at(table, {(2 * 65535) % 44100, (3 * 65535) % 44100}));

    SAMPLE_setCount(s, 150);
    std::fill(s->values, s->values + 150, 7);
    SOUND_square(s, 441);   // the unwritten tail keeps its values
    EXPECT_EQ(at(s, {99, 100, 149}), (Values{0, 7, 7}));
    SOUND_square(s, 65535);   // shorter than one value per period: stays inside

    RANDOM_srand(99);
    const std::int32_t first = RANDOM_rand15() - 32768;   // the noise values seed 99 gives
    const std::int32_t second = RANDOM_rand15() - 32768;
    RANDOM_srand(99);
    SAMPLE_setCount(s, 44100);
    SOUND_noise(s, 1);   // filled from the end; the value changes once, halfway
    EXPECT_EQ(at(s, {44099, 22050, 22049, 0}), (Values{first, first, second, second}));
    SAMPLE_free(&s);
}

TEST(SoundEnvelopes, RampsFadesSmoothAndNotes)
{
    const Values known = {32768, 32768, -32768, 2, 32768};
    SAMPLE* s = sampleOf(known);
    SOUND_rampDown(s);   // line 32767, 28671, 20479, 12287, 4096
    EXPECT_EQ(valuesOf(s), (Values{32767, 28671, -20479, 0, 4096}));
    // The same after ramps of other lengths have come and gone.
    for (const std::int32_t n : {7, 9, 11, 13, 15, 5}) {
        SAMPLE* other = sampleOf(Values(n, 32768));
        SOUND_rampDown(other);
        EXPECT_EQ(other->values[0], 32767) << n;
        SAMPLE_free(&other);
    }
    std::copy(known.begin(), known.end(), s->values);
    SOUND_rampDown(s);
    EXPECT_EQ(s->values[1], 28671);
    std::copy(known.begin(), known.end(), s->values);
    SOUND_rampUp(s);   // the line stops short at 28671, mirroring the fall
    EXPECT_EQ(at(s, {0, 4}), (Values{0, 28671}));
    SAMPLE_free(&s);

    // 2^30 / 65536 = 16384 per value: the gain moves every second value.
    s = sampleOf(Values(65536, 1000));
    SOUND_fadeOut(s);
    EXPECT_EQ(at(s, {0, 2, 65535}), (Values{1000, 999, 0}));   // gain 32767 at 2
    std::fill(s->values, s->values + 65536, 1000);
    SOUND_fadeIn(s);
    EXPECT_EQ(at(s, {0, 65535}), (Values{0, 999}));
    SAMPLE_free(&s);

    s = sampleOf({4, 8, 0, 4});
    SOUND_smooth(s, s);
    EXPECT_EQ(valuesOf(s), (Values{4, 5, 3, 4}));
    SAMPLE_free(&s);
    EXPECT_EQ((Values{SOUND_note(45), SOUND_note(96 + 1), SOUND_note(-1)}), (Values{440, 34, 7902}));
}
