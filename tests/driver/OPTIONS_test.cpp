#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "driver/OPTIONS.h"

namespace {

struct Parsed {
    bool ok;
    OPTIONS options;
    std::string error;
};

Parsed parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "qorn7316");
    Parsed p{};
    p.ok = OPTIONS_parse(static_cast<int>(args.size()), args.data(), &p.options, &p.error);
    return p;
}

std::string captured(void (*print)(std::FILE*))
{
    std::FILE* f = std::tmpfile();
    print(f);
    std::string text(static_cast<std::size_t>(std::ftell(f)), '\0');
    std::rewind(f);
    text.resize(std::fread(text.data(), 1, text.size(), f));
    std::fclose(f);
    return text;
}

}  // namespace

TEST(Options, ReadsEveryOption)
{
    Parsed p = parse({"--headless", "--frames", "300", "--dump-frames=out", "--clock", "real", "--trace",
                      "--keys=120:space,300:g,900:Escape", "--pointer", "200:128:64:1,260:-3:64:0", "--scene", "CIRCLES WAVES",
                      "--audio=a.wav", "--mute", "--bench", "--version"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_TRUE(p.options.headless);
    EXPECT_EQ(p.options.frames, 300u);
    EXPECT_TRUE(p.options.dump);
    EXPECT_EQ(p.options.dumpDirectory, "out");
    EXPECT_EQ(p.options.clock, HOST_CLOCK::REAL);
    EXPECT_TRUE(p.options.trace);
    ASSERT_EQ(p.options.keys.size(), 3u);
    EXPECT_EQ(p.options.keys[0].frame, 120u);
    EXPECT_EQ(p.options.keys[0].key, ' ');
    EXPECT_EQ(p.options.keys[1].key, 'G');
    EXPECT_EQ(p.options.keys[2].key, 27);
    ASSERT_EQ(p.options.pointer.size(), 2u);
    EXPECT_EQ(p.options.pointer[1].frame, 260u);
    EXPECT_EQ(p.options.pointer[1].x, -3);
    EXPECT_EQ(p.options.pointer[1].y, 64);
    EXPECT_EQ(p.options.pointer[0].buttons, 1);
    EXPECT_EQ(p.options.scene, "CIRCLES WAVES");
    EXPECT_EQ(p.options.audioFile, "a.wav");
    EXPECT_TRUE(p.options.mute);
    EXPECT_TRUE(p.options.bench);
    EXPECT_TRUE(p.options.version);

    p = parse({"--dump-frames", "--help", "-h", "--list-scenes", "--frames=4294967295"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_TRUE(p.options.dump);
    EXPECT_EQ(p.options.dumpDirectory, ".");
    EXPECT_TRUE(p.options.help);
    EXPECT_TRUE(p.options.listScenes);
    EXPECT_FALSE(p.options.headless);
    EXPECT_FALSE(p.options.bench);
    EXPECT_EQ(p.options.frames, 4294967295u);
    EXPECT_EQ(p.options.clock, HOST_CLOCK::VIRTUAL);

    // The last of a repeated option wins, as before.
    p = parse({"--frames=3", "--frames", "4", "--dump-frames=a", "--dump-frames=b"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.frames, 4u);
    EXPECT_EQ(p.options.dumpDirectory, "b");
}

TEST(Options, BadOptionsAndValuesGiveOneLine)
{
    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"}, {"-x"}, {"file"}, {"--frames"}, {"--frames", "0"}, {"--frames", "-1"}, {"--frames", "12a"},
        {"--frames", "4294967296"}, {"--help=yes"}, {"--dump-frames="}, {"--dump-frames", "out"},
        {"--headless", "--clock", "fast"}, {"--clock", "real"}, {"--keys", "1:A"}, {"--pointer", "1:0:0:0"},
        {"--headless", "--keys", "0:A"}, {"--headless", "--keys", "5:F1"}, {"--headless", "--keys", "5"},
        {"--headless", "--keys", "5:A,"}, {"--headless", "--keys", ""}, {"--headless", "--pointer", "1:2:3"},
        {"--headless", "--pointer", "1:2:3:8"}, {"--headless", "--pointer", "1:x:3:0"},
        {"--headless", "--pointer", "1:2:3:0:9"}, {"--headless", "--pointer", "1:99999999999:3:0"}, {"--scene="},
        {"--audio", ""}, {"--frames="}, {"--version=2"}, {"--fr", "3"},
    };
    for (const auto& args : bad) {
        const Parsed p = parse(args);
        EXPECT_FALSE(p.ok) << args[0] << " " << args.back();
        EXPECT_FALSE(p.error.empty()) << args[0];
        EXPECT_EQ(p.error.find('\n'), std::string::npos) << p.error;
    }
    EXPECT_EQ(parse({"--frames", "x"}).error, "bad value 'x' for --frames: want a number from 1");
    EXPECT_EQ(parse({"--fast"}).error, "unknown option '--fast'");
    EXPECT_EQ(parse({"--headless", "extra"}).error, "unexpected argument 'extra'");
    EXPECT_EQ(parse({"--bench=5"}).error, "option '--bench' takes no value");
    EXPECT_EQ(parse({"--frames"}).error, "option '--frames' needs a value");
    EXPECT_EQ(parse({"--headless", "--keys", "5:F1"}).error, "unknown key 'F1' in --keys");
    EXPECT_EQ(parse({"--keys", "5:A"}).error, "--keys works only with --headless");
    EXPECT_EQ(parse({"--volume", "101"}).error, "bad value '101' for --volume: want 0 to 100");
    for (const char* v : {"-1", "x", "", "50%"}) EXPECT_FALSE(parse({"--volume", v}).ok) << v;
    EXPECT_EQ(parse({"--volume=0"}).options.volume, 0);
    EXPECT_EQ(parse({"--volume", "100"}).options.volume, 100);
    EXPECT_EQ(parse({}).options.volume, 100);
}

TEST(Options, HelpListsEveryOptionKeyAndTheEnvironment)
{
    const std::string help = captured(OPTIONS_help);
    for (const char* text : {"--headless", "--frames N", "--dump-frames[=DIR]", "--clock real|virtual", "--keys SCRIPT",
                             "--pointer SCRIPT", "--audio FILE", "--mute", "--trace", "--scene NAME|INDEX",
                             "--list-scenes", "--bench", "--version", "-h, --help", "--volume 0..100", "never the sound --audio writes",
                             "  [, ] ", "  Ctrl+M ", "\nKeys in the window",
                             "  space ", "  Escape ", "  5, 6 ", "  +, - ", "\nEnvironment:\n"})
        EXPECT_NE(help.find(text), std::string::npos) << text;
    std::size_t start = 0;
    while (start < help.size()) {   // fits a terminal of 80 columns
        const std::size_t end = help.find('\n', start);
        EXPECT_LE(end - start, 79u) << help.substr(start, end - start);
        start = end + 1;
    }
}

TEST(Options, VersionAndUsageErrorLines)
{
    const std::string version = captured(OPTIONS_printVersion);
    const std::string commit = OPTIONS_COMMIT;
    EXPECT_EQ(version, "qorn7316 " + std::string(OPTIONS_VERSION) + (commit.empty() ? "" : " (commit " + commit + ")") + "\n");
    EXPECT_EQ(std::string(OPTIONS_VERSION), "0.1.0");
    std::FILE* f = std::tmpfile();
    OPTIONS_usageError(f, "unknown option '--x'");
    char text[128] = {};
    std::rewind(f);
    const std::size_t n = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    EXPECT_EQ(std::string(text, n), "qorn7316: unknown option '--x'\nTry 'qorn7316 --help'.\n");
}
