#include <gtest/gtest.h>

#include "driver/QORN7316_state.h"

// Key 0 turns the music step off: the loop that plays stays as it is.
TEST(MusicStep, NothingChangesWhileMusicIsOff)
{
    QORN7316_makeSound();
    music = MUSIC_new();
    SAMPLE* click = SAMPLE_new();
    SAMPLE_append(click, 8000);
    MUSIC_addInstrument(music, click);
    RANDOM_srand(77);
    QORN7316_musicStep();
    musicOff = 1;
    const std::uint32_t seed = RANDOM_seed;
    SAMPLE* before = SAMPLE_clone(music->mix);
    QORN7316_musicStep();
    EXPECT_EQ(RANDOM_seed, seed);
    EXPECT_TRUE(SAMPLE_equal(before, music->mix));
    EXPECT_EQ(music->tick, 0);
    SAMPLE_free(&before);
    MUSIC_free(&music);
    WINSND_free(&sound);
    musicOff = 0;
    QORN7316_musicStep();   // nothing to do without music and sound
    QORN7316_musicVoice();
}
