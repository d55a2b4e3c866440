#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "driver/OPTIONS.h"
#include "support/support.h"

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

}  // namespace

TEST(Options, ReadsEveryOption)
{
    Parsed p = parse({"--headless", "--frames", "300", "--dump-frames=out", "--clock", "real", "--trace",
                      "--keys=120:space,300:g,900:Escape", "--pointer", "200:128:64:1,260:-3:64:0", "--scene", "CIRCLES WAVES",
                      "--audio=a.wav", "--mute", "--bench", "--version"});
    ASSERT_TRUE(p.ok) << p.error;
    const OPTIONS& o = p.options;
    EXPECT_TRUE(o.headless && o.dump && o.trace && o.mute && o.bench && o.version && o.clock == HOST_CLOCK::REAL);
    std::string scripts;   // read back as FRAME:KEY and FRAME:X:Y:BUTTONS
    for (const auto& k : o.keys) scripts += std::to_string(k.frame) + ":" + std::to_string(k.key) + ",";
    for (const auto& m : o.pointer)
        scripts += std::to_string(m.frame) + ":" + std::to_string(m.x) + ":" + std::to_string(m.y) + ":" + std::to_string(m.buttons) + ",";
    EXPECT_EQ(scripts, "120:32,300:71,900:27,200:128:64:1,260:-3:64:0,");
    EXPECT_EQ(o.frames, 300u);
    EXPECT_EQ(o.dumpDirectory + "|" + o.scene + "|" + o.audioFile, "out|CIRCLES WAVES|a.wav");

    p = parse({"--dump-frames", "--help", "-h", "--list-scenes", "--frames=4294967295", "--volume=0"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_TRUE(p.options.dump && p.options.help && p.options.listScenes && !p.options.headless && !p.options.bench);
    EXPECT_EQ(std::tuple(p.options.dumpDirectory, p.options.frames, p.options.volume), std::tuple(std::string("."), 4294967295u, 0));
    EXPECT_TRUE(p.options.clock == HOST_CLOCK::VIRTUAL && parse({}).options.volume == 100);
    p = parse({"--frames=3", "--frames", "4", "--dump-frames=a", "--dump-frames=b", "--volume", "100"});   // the last wins
    EXPECT_EQ(std::tuple(p.options.frames, p.options.dumpDirectory, p.options.volume), std::tuple(4u, std::string("b"), 100));
}

// One row per way a command line is refused; every error is one line.
TEST(Options, BadOptionsAndValuesGiveOneLine)
{
    const struct { std::vector<const char*> args; const char* error; } bad[] = {
        {{"--fast"}, "unknown option '--fast'"}, {{"--fr", "3"}, nullptr},
        {{"--headless", "extra"}, "unexpected argument 'extra'"}, {{"--dump-frames", "out"}, nullptr},
        {{"--bench=5"}, "option '--bench' takes no value"}, {{"--frames"}, "option '--frames' needs a value"},
        {{"--dump-frames="}, nullptr}, {{"--frames", "x"}, "bad value 'x' for --frames: want a number from 1"},
        {{"--frames", "0"}, nullptr}, {{"--frames", "4294967296"}, nullptr}, {{"--frames="}, nullptr},
        {{"--headless", "--clock", "fast"}, nullptr}, {{"--clock", "real"}, nullptr},
        {{"--keys", "5:A"}, "--keys works only with --headless"}, {{"--pointer", "1:0:0:0"}, nullptr},
        {{"--headless", "--keys", "0:A"}, nullptr}, {{"--headless", "--keys", "5:F1"}, "unknown key 'F1' in --keys"},
        {{"--headless", "--keys", "5:A,"}, nullptr}, {{"--headless", "--pointer", "1:2:3"}, nullptr},
        {{"--headless", "--pointer", "1:2:3:0:9"}, nullptr}, {{"--headless", "--pointer", "1:2:3:8"}, nullptr},
        {{"--headless", "--pointer", "1:x:3:0"}, nullptr}, {{"--headless", "--pointer", "1:99999999999:3:0"}, nullptr},
        {{"--scene="}, nullptr}, {{"--audio", ""}, nullptr},
        {{"--volume", "101"}, "bad value '101' for --volume: want 0 to 100"},
    };
    for (const auto& row : bad) {
        const Parsed p = parse(row.args);
        EXPECT_FALSE(p.ok) << row.args[0] << " " << row.args.back();
        EXPECT_FALSE(p.error.empty()) << row.args[0];
        EXPECT_EQ(p.error.find('\n'), std::string::npos) << p.error;
        EXPECT_TRUE(row.error == nullptr || p.error == row.error) << p.error;
    }
}

// Options and window keys listed in lines of at most 79 columns; the version line; the usage error's two lines.
TEST(Options, HelpVersionAndUsageError)
{
    const std::string help = support::written(OPTIONS_help);
    for (const char* text : {"--audio FILE", "-h, --help", "--volume 0..100", "never the sound --audio writes", "  [, ] ",
                             "\nKeys in the window", "  Escape ", "  +, - ", "\nEnvironment:\n"})
        EXPECT_NE(help.find(text), std::string::npos) << text;
    for (std::size_t start = 0, end = 0; start < help.size(); start = end + 1) {
        end = help.find('\n', start);
        EXPECT_LE(end - start, 79u) << help.substr(start, end - start);
    }
    const std::string commit = OPTIONS_COMMIT;
    EXPECT_EQ(support::written(OPTIONS_printVersion), "qorn7316 0.1.0" + (commit.empty() ? "" : " (commit " + commit + ")") + "\n");
    EXPECT_EQ(support::written([](std::FILE* f) { OPTIONS_usageError(f, "unknown option '--x'"); }),
              "qorn7316: unknown option '--x'\nTry 'qorn7316 --help'.\n");
}
