#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/PLAYER.h"
#include "support/raster.h"

namespace {

std::uint32_t clockMs = 0;
std::uint32_t fakeTicks() { return clockMs; }
void fakeSleep(std::uint32_t ms) { clockMs += ms; }

void put(std::vector<std::uint8_t>& b, std::uint32_t v, int size)
{
    for (int i = 0; i < size; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A WAVE image with an extra block between format and data, as WINSND makes.
std::vector<std::uint8_t> image(const std::vector<std::int16_t>& values, std::uint32_t channels = 1, std::uint32_t rate = 44100)
{
    std::vector<std::uint8_t> b = support::bytesOf("RIFF");
    put(b, static_cast<std::uint32_t>(56 + 2 * values.size()), 4);
    for (const char c : std::string("WAVEfmt \x10\0\0\0\x01\0", 14)) b.push_back(static_cast<std::uint8_t>(c));
    put(b, channels, 2);
    put(b, rate, 4);
    put(b, rate * 2 * channels, 4);
    put(b, 2 * channels, 2);
    put(b, 16, 2);
    for (const char c : std::string("INFO\x0c\0\0\0QORNN K *()-data", 24)) b.push_back(static_cast<std::uint8_t>(c));
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

// The values after the 44-byte header (the header itself is held by the golden sequence's sound hash).
std::vector<std::int16_t> readWave(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> b{std::istreambuf_iterator<char>(in), {}};
    std::vector<std::int16_t> v;
    for (std::size_t i = 44; i + 1 < b.size(); i += 2) v.push_back(static_cast<std::int16_t>(b[i] | b[i + 1] << 8));
    return v;
}

}  // namespace

TEST(PlayerDecode, ReadsTheHeaderNotAssumingIt)
{
    std::vector<std::int16_t> out;
    ASSERT_TRUE(PLAYER_decode(image({1000, -2000, 4, 6}, 2), out));   // channels averaged
    EXPECT_EQ(out, (std::vector<std::int16_t>{-500, 5}));
    // Other rates picked nearest below; the slowest taken is 8000, so a small image never becomes a large buffer.
    ASSERT_TRUE(PLAYER_decode(image({7, 8}, 1, 8000), out));
    EXPECT_EQ(out, (std::vector<std::int16_t>{7, 7, 7, 7, 7, 7, 8, 8, 8, 8, 8}));
    EXPECT_FALSE(PLAYER_decode(image({7, 8}, 1, 7999), out));

    std::ifstream in(std::string(QORN_TEST_DATA) + "/audio/u8-mono.wav", std::ios::binary);
    ASSERT_TRUE(PLAYER_decode(std::vector<std::uint8_t>{std::istreambuf_iterator<char>(in), {}}, out));
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
    const support::Scratch dir;
    clockMs = 1000;   // the file starts when the player opens
    ASSERT_TRUE(PLAYER_openHeadless(dir.path("a.wav").c_str(), fakeTicks, fakeSleep));
    clockMs = 1003;   // 3 ms of silence: 132.3 values
    const auto a = ramp(300, 10);
    ASSERT_TRUE(PLAYER_loop(image(a)));
    clockMs = 1020;
    ASSERT_TRUE(PLAYER_loop(image(ramp(100, -7))));   // a new loop restarts at its start
    clockMs = 1030;
    PLAYER_stop();
    clockMs = 1040;
    PLAYER_close();

    const std::vector<std::int16_t> v = readWave(dir.path("a.wav"));
    ASSERT_EQ(v.size(), 1764u);   // 40 ms * 44.1
    for (int i = 0; i < 132; ++i) ASSERT_EQ(v[i], 0) << i;
    // A 256-value fade-in from the loop's first value; the loop wraps after 300.
    EXPECT_EQ(v[132 + 200], 10 * 200 * 200 / 256);
    EXPECT_EQ(v[132 + 256], 2560);
    EXPECT_EQ(v[132 + 301], 10);
    // At 20 ms (882 values) the second loop starts over the first's fade-out.
    const int at = 882;
    EXPECT_EQ(v[at], a[(at - 132) % 300]);
    for (int i = 256; i < 441; ++i) ASSERT_EQ(v[at + i], -7 * (i % 100)) << i;
    // Stopped at 30 ms (1323 values): a fade-out, then silence.
    EXPECT_EQ(v[1323], -7 * ((1323 - at) % 100));
    for (int i = 1323 + 256; i < 1764; ++i) ASSERT_EQ(v[i], 0) << i;
}

TEST(PlayerHeadless, PlayOnceWaitsOnTheClock)
{
    const support::Scratch dir;
    clockMs = 0;
    ASSERT_TRUE(PLAYER_openHeadless(dir.path("b.wav").c_str(), fakeTicks, fakeSleep));
    ASSERT_TRUE(PLAYER_playOnce(image(std::vector<std::int16_t>(441, 1000))));
    EXPECT_EQ(clockMs, 10u);   // 441 values take 10 ms
    EXPECT_FALSE(PLAYER_busy());
    clockMs = 20;
    PLAYER_close();
    const std::vector<std::int16_t> v = readWave(dir.path("b.wav"));
    ASSERT_EQ(v.size(), 882u);
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[440], 1000);
    EXPECT_EQ(v[441], 0);

    EXPECT_FALSE(PLAYER_openHeadless("/nonexistent-dir/x.wav", fakeTicks, fakeSleep));
    EXPECT_TRUE(PLAYER_loop(image({1})));   // no back end: silent, still fine
    PLAYER_close();
}

// Volume 0..100 (clamped), heard as its square; muted is silence.
TEST(PlayerVolume, ScalesWhatIsHeardBySquareOfTheVolume)
{
    const struct { std::int32_t set, volume; bool muted; std::int16_t in, out; } cases[] = {
        {100, 100, false, -32768, -32768}, {10, 10, false, -10000, -100}, {150, 100, false, 1234, 1234},
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
