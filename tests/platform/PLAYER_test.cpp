#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/PLAYER.h"

namespace {

namespace fs = std::filesystem;

std::uint32_t clockMs = 0;
std::uint32_t fakeTicks() { return clockMs; }
void fakeSleep(std::uint32_t ms) { clockMs += ms; }

void put(std::vector<std::uint8_t>& b, std::uint32_t v, int size)
{
    for (int i = 0; i < size; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A WAVE image with an extra block between format and data, as WINSND makes.
std::vector<std::uint8_t> image(const std::vector<std::int16_t>& values, std::uint32_t channels = 1,
                                std::uint32_t rate = 44100)
{
    std::vector<std::uint8_t> b = {'R', 'I', 'F', 'F'};
    put(b, static_cast<std::uint32_t>(56 + 2 * values.size()), 4);
    for (const char c : std::string("WAVEfmt ")) b.push_back(static_cast<std::uint8_t>(c));
    put(b, 16, 4);
    put(b, 1, 2);
    put(b, channels, 2);
    put(b, rate, 4);
    put(b, rate * 2 * channels, 4);
    put(b, 2 * channels, 2);
    put(b, 16, 2);
    for (const char c : std::string("INFO")) b.push_back(static_cast<std::uint8_t>(c));
    put(b, 12, 4);
    for (const char c : std::string("QORNN K *()-data")) b.push_back(static_cast<std::uint8_t>(c));
    put(b, static_cast<std::uint32_t>(2 * values.size()), 4);
    for (const std::int16_t v : values) put(b, static_cast<std::uint16_t>(v), 2);
    return b;
}

std::vector<std::int16_t> ramp(int n, int scale)
{
    std::vector<std::int16_t> v;
    for (int i = 0; i < n; ++i) v.push_back(static_cast<std::int16_t>(i * scale));
    return v;
}

// The values of a 16-bit mono WAVE file after checking its header.
std::vector<std::int16_t> readWave(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> b{std::istreambuf_iterator<char>(in), {}};
    EXPECT_GE(b.size(), 44u);
    if (b.size() < 44) return {};
    const std::uint32_t data = b[40] | b[41] << 8 | b[42] << 16 | static_cast<std::uint32_t>(b[43]) << 24;
    EXPECT_EQ(data, b.size() - 44);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(b[22], 1);              // mono
    EXPECT_EQ(b[24] | b[25] << 8, 44100 & 0xFFFF);
    std::vector<std::int16_t> v;
    for (std::size_t i = 44; i + 1 < b.size(); i += 2) v.push_back(static_cast<std::int16_t>(b[i] | b[i + 1] << 8));
    return v;
}

fs::path scratch()
{
    return fs::temp_directory_path() / ("qorn-player-" + std::to_string(::getpid()) + ".wav");
}

}  // namespace

TEST(PlayerDecode, ReadsTheHeaderNotAssumingIt)
{
    std::vector<std::int16_t> out;
    ASSERT_TRUE(PLAYER_decode(image({1000, -2000, 3}), out));
    EXPECT_EQ(out, (std::vector<std::int16_t>{1000, -2000, 3}));
    ASSERT_TRUE(PLAYER_decode(image({1000, -2000, 4, 6}, 2), out));   // channels averaged
    EXPECT_EQ(out, (std::vector<std::int16_t>{-500, 5}));
    ASSERT_TRUE(PLAYER_decode(image({7, 8}, 1, 22050), out));         // rate doubled by repetition
    EXPECT_EQ(out, (std::vector<std::int16_t>{7, 7, 8, 8}));
    // The slowest rate taken is 8000 values a second, so a small image can
    // never turn into a large buffer: 2 values become 11, and 7999 is refused.
    ASSERT_TRUE(PLAYER_decode(image({7, 8}, 1, 8000), out));
    EXPECT_EQ(out, (std::vector<std::int16_t>{7, 7, 7, 7, 7, 7, 8, 8, 8, 8, 8}));
    for (const std::uint32_t rate : {7999u, 1u}) EXPECT_FALSE(PLAYER_decode(image({7, 8}, 1, rate), out)) << rate;

    const fs::path sox = fs::path(QORN_TEST_DATA) / "audio" / "u8-mono.wav";
    std::ifstream in(sox, std::ios::binary);
    const std::vector<std::uint8_t> u8{std::istreambuf_iterator<char>(in), {}};
    ASSERT_TRUE(PLAYER_decode(u8, out));
    ASSERT_EQ(out.size(), 256u);
    EXPECT_EQ(out[0], -32768);
    EXPECT_EQ(out[128], 0);

    // A data block longer than the image, not PCM, no channels, no data block, no header.
    struct Bad { std::size_t at; std::uint8_t value; std::size_t size; };
    for (const Bad& b : {Bad{60, 9, 68}, {20, 3, 68}, {22, 0, 68}, {0, 'R', 40}, {0, 'R', 3}}) {
        auto bad = image({1, 2});   // 68 bytes
        bad[b.at] = b.value;
        bad.resize(b.size);
        EXPECT_FALSE(PLAYER_decode(bad, out)) << b.at << " " << b.size;
    }
}

TEST(PlayerHeadless, WritesWhatIsHeardInStepWithTheClock)
{
    const fs::path path = scratch();
    clockMs = 1000;   // the file starts when the player opens
    ASSERT_TRUE(PLAYER_openHeadless(path.c_str(), fakeTicks, fakeSleep));
    clockMs = 1003;   // 3 ms of silence: 132.3 values
    const auto a = ramp(300, 10);
    ASSERT_TRUE(PLAYER_loop(image(a)));
    clockMs = 1020;   // the loop wraps after 300 values
    ASSERT_TRUE(PLAYER_loop(image(ramp(100, -7))));   // a new loop restarts at its start
    clockMs = 1030;
    PLAYER_stop();
    clockMs = 1040;
    PLAYER_close();

    const std::vector<std::int16_t> v = readWave(path);
    ASSERT_EQ(v.size(), 1764u);   // 40 ms * 44.1
    for (int i = 0; i < 132; ++i) ASSERT_EQ(v[i], 0) << i;
    // Fading in from the first value of the loop, then at full level.
    EXPECT_EQ(v[132 + 1], 10 * 1 * 1 / 256);
    EXPECT_EQ(v[132 + 200], 10 * 200 * 200 / 256);
    EXPECT_EQ(v[132 + 256], 2560);
    EXPECT_EQ(v[132 + 299], 2990);
    EXPECT_EQ(v[132 + 300], 0);
    EXPECT_EQ(v[132 + 301], 10);
    // At 20 ms (882 values) the second loop starts over the first's fade-out.
    const int at = 882;
    const int playedA = at - 132;
    EXPECT_EQ(v[at], static_cast<std::int16_t>(a[playedA % 300]));
    for (int i = 256; i < 441; ++i) ASSERT_EQ(v[at + i], -7 * (i % 100)) << i;
    // Stopped at 30 ms (1323 values): a fade-out, then silence.
    EXPECT_EQ(v[1323], -7 * ((1323 - at) % 100));
    for (int i = 1323 + 256; i < 1764; ++i) ASSERT_EQ(v[i], 0) << i;
    fs::remove(path);
}

TEST(PlayerHeadless, PlayOnceWaitsOnTheClock)
{
    const fs::path path = scratch();
    clockMs = 0;
    ASSERT_TRUE(PLAYER_openHeadless(path.c_str(), fakeTicks, fakeSleep));
    ASSERT_TRUE(PLAYER_playOnce(image(std::vector<std::int16_t>(441, 1000))));
    EXPECT_EQ(clockMs, 10u);   // 441 values take 10 ms
    EXPECT_FALSE(PLAYER_busy());
    clockMs = 20;
    PLAYER_close();
    const std::vector<std::int16_t> v = readWave(path);
    ASSERT_EQ(v.size(), 882u);
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[440], 1000);
    EXPECT_EQ(v[441], 0);
    fs::remove(path);

    EXPECT_FALSE(PLAYER_openHeadless("/nonexistent-dir/x.wav", fakeTicks, fakeSleep));
    EXPECT_TRUE(PLAYER_loop(image({1})));   // no back end: silent, still fine
    PLAYER_close();
}

TEST(PlayerVolume, ScalesWhatIsHeardBySquareOfTheVolume)
{
    const struct {
        std::int32_t set, volume;
        bool muted;
        std::int16_t in, out;
    } cases[] = {
        {100, 100, false, 32767, 32767}, {100, 100, false, -32768, -32768}, {50, 50, false, 10000, 2500},
        {10, 10, false, -10000, -100}, {0, 0, false, 32767, 0}, {150, 100, false, 1234, 1234},
        {-5, 0, false, 1234, 0}, {80, 80, true, 32767, 0}, {90, 90, false, 3, 2},
    };
    for (const auto& c : cases) {
        PLAYER_setVolume(c.set);
        PLAYER_setMuted(c.muted);
        EXPECT_EQ(PLAYER_volume(), c.volume) << c.set;
        std::int16_t v = c.in;
        PLAYER_applyVolume(&v, 1);
        EXPECT_EQ(v, c.out) << c.set << " " << c.in;
    }
    PLAYER_setMuted(false);
    PLAYER_setVolume(100);
    PLAYER_applyVolume(nullptr, 5);
}
