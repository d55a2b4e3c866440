#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "audio/SOUND.h"
#include "foundation/RANDOM.h"

namespace {

SAMPLE* sized(std::int32_t n, std::int32_t fill = 0)
{
    SAMPLE* s = SAMPLE_new();
    SAMPLE_setCount(s, n);
    for (std::int32_t i = 0; i < n; ++i) s->values[i] = fill;
    return s;
}

// The 15-bit generator's recurrence, written out independently.
std::int32_t draw(std::uint32_t& seed)
{
    seed = seed * 214013u + 2531011u;
    return static_cast<std::int32_t>((seed >> 16) & 0x7FFF);
}

}  // namespace

TEST(SoundSine, TableFiguresAndFrequencies)
{
    const SAMPLE* table = SOUND_sineTable();
    ASSERT_EQ(table->count, 44100);
    EXPECT_EQ(table->values[0], 0);
    EXPECT_EQ(table->values[1], 4);   // sin(pi/2 / 11025) * 32767 = 4.67
    EXPECT_EQ(table->values[11025], 32766);
    EXPECT_EQ(table->values[22050], 0);
    EXPECT_EQ(table->values[22049], 4);
    EXPECT_EQ(table->values[33075], -32766);
    EXPECT_EQ(table->values[44099], -4);

    SAMPLE* s = sized(44100);
    SOUND_sine(s, 1);
    EXPECT_TRUE(SAMPLE_equal(s, table));
    SOUND_sine(s, 11025);
    for (int i = 0; i < 44100; i += 4) {
        ASSERT_EQ(s->values[i], 0);
        ASSERT_EQ(s->values[i + 1], 32766);
        ASSERT_EQ(s->values[i + 2], 0);
        ASSERT_EQ(s->values[i + 3], -32766);
    }
    SOUND_sine(s, 65535);   // past the rate: index (i * 65535) mod 44100
    EXPECT_EQ(s->values[2], table->values[(2 * 65535) % 44100]);
    EXPECT_EQ(s->values[3], table->values[(3 * 65535) % 44100]);
    SAMPLE_free(&s);
}

TEST(SoundSquare, PeriodsAt441HzAndTheUnwrittenTail)
{
    SAMPLE* s = sized(44100, 7);
    SOUND_square(s, 441);
    for (int p = 0; p < 441; ++p) {
        const std::int32_t* v = s->values + 100 * p;
        for (int i = 0; i < 50; ++i) ASSERT_EQ(v[i], 32767);
        ASSERT_EQ(v[50], 0);
        for (int i = 51; i < 99; ++i) ASSERT_EQ(v[i], -32768);
        ASSERT_EQ(v[99], 0);
    }
    SAMPLE_free(&s);
    s = sized(150, 7);
    SOUND_square(s, 441);
    EXPECT_EQ(s->values[99], 0);
    EXPECT_EQ(s->values[100], 7);
    EXPECT_EQ(s->values[149], 7);
    SOUND_square(s, 65535);   // shorter than one value per period: stays inside
    SAMPLE_free(&s);
}

TEST(SoundNoise, SampleAndHoldRates)
{
    std::uint32_t seed = 99;
    RANDOM_srand(99);
    SAMPLE* s = sized(44100);
    SOUND_noise(s, 1);
    const std::int32_t first = draw(seed) - 32768;
    const std::int32_t second = draw(seed) - 32768;
    EXPECT_EQ(s->values[44099], first);
    EXPECT_EQ(s->values[22050], first);
    EXPECT_EQ(s->values[22049], second);
    EXPECT_EQ(s->values[0], second);

    SOUND_noise(s, 44100);
    draw(seed);   // the starting value is replaced at once
    for (int i = 44099; i >= 44090; --i) EXPECT_EQ(s->values[i], draw(seed) - 32768);
    EXPECT_LT(SAMPLE_max(s), 0);
    SAMPLE_free(&s);
}

TEST(SoundEnvelopes, RampsFadesAndSmooth)
{
    SAMPLE* s = sized(5);
    const std::int32_t known[] = {32768, 32768, -32768, 2, 32768};
    std::copy(std::begin(known), std::end(known), s->values);
    SOUND_rampDown(s);   // line 32767, 28671, 20479, 12287, 4096
    EXPECT_EQ(std::vector<std::int32_t>(s->values, s->values + 5),
              (std::vector<std::int32_t>{32767, 28671, -20479, 0, 4096}));
    // The same after ramps of other lengths have come and gone.
    for (const std::int32_t n : {7, 9, 11, 13, 15, 5}) {
        SAMPLE* other = sized(n, 32768);
        SOUND_rampDown(other);
        EXPECT_EQ(other->values[0], 32767);
        SAMPLE_free(&other);
    }
    std::copy(std::begin(known), std::end(known), s->values);
    SOUND_rampDown(s);
    EXPECT_EQ(s->values[1], 28671);
    std::copy(std::begin(known), std::end(known), s->values);
    SOUND_rampUp(s);
    EXPECT_EQ(s->values[0], 0);
    EXPECT_EQ(s->values[4], 28671);   // the line stops short at 28671, mirroring the fall
    SAMPLE_free(&s);

    // 2^30 / 65536 = 16384 per value: the gain moves every second value.
    s = sized(65536, 1000);
    SOUND_fadeOut(s);
    EXPECT_EQ(s->values[0], 1000);
    EXPECT_EQ(s->values[2], 999);   // gain 32767
    EXPECT_EQ(s->values[65535], 0);
    for (int i = 0; i < 65536; ++i) s->values[i] = 1000;
    SOUND_fadeIn(s);
    EXPECT_EQ(s->values[0], 0);
    EXPECT_EQ(s->values[65535], 999);
    SAMPLE_free(&s);

    s = sized(4);
    const std::int32_t bumps[] = {4, 8, 0, 4};
    std::copy(std::begin(bumps), std::end(bumps), s->values);
    SOUND_smooth(s, s);
    EXPECT_EQ(std::vector<std::int32_t>(s->values, s->values + 4), (std::vector<std::int32_t>{4, 5, 3, 4}));
    SAMPLE_free(&s);
    EXPECT_EQ(SOUND_note(45), 440);
    EXPECT_EQ(SOUND_note(96 + 1), 34);
    EXPECT_EQ(SOUND_note(-1), 7902);
}
