#include <gtest/gtest.h>

#include "audio/MUSIC.h"
#include "foundation/RANDOM.h"

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
