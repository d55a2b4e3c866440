#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "audio/MUSIC.h"
#include "foundation/RANDOM.h"

namespace {

// A seed whose sixth draw (after the instrument and the four offset bits)
// gives e, with the offset those draws make for 44100 values.
std::uint32_t seedFor(std::int32_t e, std::int32_t& offset)
{
    for (std::uint32_t start = 1;; ++start) {
        RANDOM_srand(start);
        RANDOM_rand15();
        offset = 0;
        for (const std::int32_t part : {22050, 11025, 5512, 2756}) offset += (RANDOM_rand15() & 1) * part;
        if ((RANDOM_rand15() & 3) == e) return start;
    }
}

SAMPLE* click(std::int32_t value)
{
    SAMPLE* s = SAMPLE_new();
    SAMPLE_append(s, value);
    return s;
}

}  // namespace

TEST(MusicMixer, DefaultsTickAndEmptyBank)
{
    MUSIC* m = MUSIC_new();
    MUSIC_tick(m);
    EXPECT_EQ(m->tick, 0);   // no voice yet

    // An empty bank clears the voice and draws nothing.
    RANDOM_srand(5);
    MUSIC_roll(m);
    EXPECT_EQ(RANDOM_seed, 5u);
    ASSERT_NE(m->voice, nullptr);
    EXPECT_EQ(m->voice->count, 44100);
    EXPECT_EQ(SAMPLE_max(m->voice), 0);
    MUSIC_tick(m);
    EXPECT_EQ(m->tick, 1);

    m->mix->values[0] = 801;
    m->voice->values[0] = 3;
    MUSIC_blend(m, 2);
    EXPECT_EQ(m->mix->values[0], 402);
    MUSIC_blend(m, 1);   // refused
    EXPECT_EQ(m->mix->values[0], 402);
    MUSIC_free(&m);
}

TEST(MusicPatterns, RepeatRollHitAndFadeAtTheOffset)
{
    MUSIC* m = MUSIC_new();
    MUSIC_addInstrument(m, click(1000));
    std::int32_t offset = 0;
    RANDOM_srand(seedFor(2, offset));
    MUSIC_repeat(m);
    std::vector<std::int32_t> at;
    for (std::int32_t i = 0; i < 44100; ++i)
        if (m->voice->values[i] != 0) {
            at.push_back(i);
            EXPECT_EQ(m->voice->values[i], 500);   // 1000 * 2 / 4
        }
    std::vector<std::int32_t> expected;
    for (const std::int32_t q : {0, 11025, 22050, 33075}) expected.push_back((offset + q) % 44100);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(at, expected);

    static_cast<SAMPLE*>(m->instruments->items[0])->values[0] = -4000;
    RANDOM_srand(seedFor(0, offset));
    MUSIC_roll(m);   // e = 0: five copies a sixth apart, scaled by 4 / 4
    for (std::int32_t k = 1; k <= 5; ++k)
        EXPECT_EQ(m->voice->values[(offset + k * 7350) % 44100], -4000) << k;
    EXPECT_EQ(m->voice->values[offset], 0);

    RANDOM_srand(seedFor(1, offset));
    MUSIC_hit(m);
    EXPECT_EQ(m->voice->values[offset], -4000);
    EXPECT_EQ(SAMPLE_min(m->voice), -4000);
    EXPECT_EQ(SAMPLE_max(m->voice), 0);
    MUSIC_hitFade(m);   // the ramp starts at 32767: -4000 * 32767 >> 15
    EXPECT_EQ(SAMPLE_min(m->voice), -4000);
    MUSIC_free(&m);
}
