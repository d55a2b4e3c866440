#include <gtest/gtest.h>

#include "audio/MUSIC.h"
#include "audio/SAMPLE.h"
#include "driver/QORN7316_state.h"

// The picture is drawn from a normalised copy: the loop that plays keeps its
// values, and the frame shows the wave at full height.
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
    EXPECT_NE(IMG_getPixel(frame, 1, 250), IMG_getPixel(frame, 128, 10));   // +100 at full height: down to row 253
    QORN7316_leaveScene(&QORN7316_musicMixShowScene);
    musicOff = wasOff;
    SAMPLE_free(&before);
    if (own != nullptr) MUSIC_free(&music);
}
