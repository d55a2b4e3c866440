#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "driver/QORN7316_state.h"
#include "platform/HOST.h"

namespace {

namespace fs = std::filesystem;

void freeMusic()
{
    if (music != nullptr) MUSIC_free(&music);
    if (sound != nullptr) WINSND_free(&sound);
    musicOff = 0;
}

SAMPLE* instrument(std::int32_t i)
{
    return static_cast<SAMPLE*>(LIST_get(music->instruments, i));
}

std::int32_t peak(const SAMPLE* s)
{
    return std::max(SAMPLE_max(s), -SAMPLE_min(s));
}

}  // namespace

TEST(InstrumentBank, SevenGroupsInOrderShownAsBuilt)
{
    HOST_reset();
    RANDOM_srand(273880913u);
    QORN7316_makeSound();
    if (frame == nullptr) frame = IMG_new();
    IMG_setSize(frame, 256, 256);
    if (display == nullptr) display = WINDPY_new();
    WINDPY_setSize(display, 256, 256);
    QORN7316_makeInstruments();
    ASSERT_NE(music, nullptr);
    EXPECT_EQ(music->period, 1);
    ASSERT_EQ(music->instruments->count, 96);
    const struct { std::int32_t count, length, firstPeak, peakStep; } groups[] = {
        {24, 22050, 32000, 1200}, {12, 22050, 30000, 200}, {12, 22050, 28000 - 400 * 36, 400},
        {12, 11025, 8000 - 20 * 84, 20}, {12, 44100, 12000 - 500 * 12, 500},
        {12, 88200, 32000 - 400 * 24, 400}, {12, 44100, 16000 - 300 * 36, 300}};
    std::int32_t i = 0;
    for (const auto& g : groups) {
        for (std::int32_t k = 0; k < g.count; ++k, ++i) {
            ASSERT_EQ(instrument(i)->count, g.length) << i;
            // Normalized to the group's falling peak, then faded.
            ASSERT_LE(peak(instrument(i)), g.firstPeak - g.peakStep * k) << i;
            ASSERT_GT(peak(instrument(i)), (g.firstPeak - g.peakStep * k) / 4) << i;
        }
    }
    EXPECT_EQ(instrument(0)->values[0], 0);    // every sine starts at 0
    // The 96 pictures were shown; the last is the last square chord on dark
    // blue with red peak markers.
    EXPECT_EQ(HOST_presentedFrames(), 96u);
    EXPECT_EQ(IMG_getPixel(frame, 255, 0), 0x000080u);
    std::int32_t red = 0;
    for (std::int32_t y = 0; y < 256; ++y)
        for (std::int32_t x = 0; x < 256; ++x) red += IMG_getPixel(frame, x, y) == 0xF00000u ? 1 : 0;
    EXPECT_GT(red, 0);

    // The first music step already ran: the mix plays and the queue is empty.
    EXPECT_EQ(sound->current, music->mix);
    EXPECT_EQ(sound->queue->count, 0);
    EXPECT_GT(peak(music->mix), 0);
    freeMusic();
}

TEST(MusicStep, EightVoicesOverTheLoopUnlessMusicIsOff)
{
    QORN7316_makeSound();
    music = MUSIC_new();
    music->period = 1;
    SAMPLE* click = SAMPLE_new();
    SAMPLE_append(click, 8000);
    MUSIC_addInstrument(music, click);
    music->mix->values[5] = 800;
    RANDOM_srand(77);
    QORN7316_musicStep();
    EXPECT_EQ(music->tick, 0);   // no voice before the first step
    // Eight clicks of at least 8000 / 4 over the old loop, all divided by 8.
    EXPECT_GE(SAMPLE_max(music->mix), 250);
    EXPECT_EQ(sound->current, music->mix);
    const std::int32_t imageValue = static_cast<std::int16_t>(sound->image[64] | sound->image[65] << 8);
    EXPECT_EQ(imageValue, music->mix->values[0]);

    QORN7316_musicStep();
    EXPECT_EQ(music->tick, 1);

    // Key 0 turns the step off: the loop that plays stays as it is.
    musicOff = 1;
    const std::uint32_t seed = RANDOM_seed;
    SAMPLE* before = SAMPLE_clone(music->mix);
    QORN7316_musicStep();
    EXPECT_EQ(RANDOM_seed, seed);
    EXPECT_TRUE(SAMPLE_equal(before, music->mix));
    EXPECT_EQ(music->tick, 1);
    SAMPLE_free(&before);
    freeMusic();

    QORN7316_musicStep();   // nothing to do without music and sound
    QORN7316_musicVoice();
}

// Every headless frame lasts one 20 ms slot of the virtual clock, the
// start-up pictures and fades too: 882 values a frame, none lost to rounding.
TEST(MusicProgram, HeadlessSoundFileLastsTheRunsVirtualTime)
{
    const fs::path dir = fs::temp_directory_path() / ("qorn-music-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const auto values = [&](const std::string& name, int frames) {
        const std::string command = "cd '" + dir.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY '" + QORN_PROGRAM +
                                    "' --headless --audio " + name + " --keys 400:space --frames " +
                                    std::to_string(frames) + " >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return fs::file_size(dir / name) - 44u;
    };
    EXPECT_EQ(values("a.wav", 1000), 1000u * 882u * 2u);
    EXPECT_EQ(values("b.wav", 1100), 1100u * 882u * 2u);
    fs::remove_all(dir);
}
