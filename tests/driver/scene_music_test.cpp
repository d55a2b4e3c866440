#include <gtest/gtest.h>

#include "audio/MUSIC.h"
#include "audio/SAMPLE.h"
#include "driver/QORN7316_state.h"

// The picture is drawn from a normalised copy (its full height is in the
// golden frames): the loop that plays keeps its values.
TEST(MusicMixShowScene, DrawsACopyAndLeavesTheLoopAlone)
{
    if (frame == nullptr) {
        frame = IMG_new();
        IMG_setSize(frame, screenWidth, screenHeight);
    }
    MUSIC* own = music == nullptr ? (music = MUSIC_new()) : nullptr;
    SAMPLE* mix = music->mix;
    for (std::int32_t i = 0; i < mix->count; ++i) mix->values[i] = (i % 2 == 0) ? 100 : -100;
    SAMPLE* before = SAMPLE_clone(mix);
    const std::uint8_t wasOff = musicOff;
    musicOff = 1;   // no new loop: the mix stays as set here
    QORN7316_enterScene(&QORN7316_musicMixShowScene);
    ASSERT_TRUE(QORN7316_musicMixShowScene.frame(1500));
    EXPECT_TRUE(SAMPLE_equal(mix, before));
    QORN7316_leaveScene(&QORN7316_musicMixShowScene);
    musicOff = wasOff;
    SAMPLE_free(&before);
    if (own != nullptr) MUSIC_free(&music);
}
