#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

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
    EXPECT_EQ(sound->current, music->mix);
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

// Every headless frame lasts one 20 ms slot of the virtual clock, the
// start-up pictures and fades too: 882 values a frame, none lost to rounding.
TEST(MusicProgram, HeadlessSoundFileLastsTheRunsVirtualTime)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("qorn-music-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string command = "cd '" + dir.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY '" + QORN_PROGRAM +
                                "' --headless --audio a.wav --keys 400:space --frames 1100 >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(fs::file_size(dir / "a.wav"), 44u + 1100u * 882u * 2u);
    fs::remove_all(dir);
}
