#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/HOST.h"
#include "platform/WINDPY.h"
#include "platform/WINMAIN.h"

namespace {

struct Parsed {
    bool ok;
    WINMAIN_OPTIONS options;
    std::string error;
};

Parsed parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "qorn7316");
    Parsed p{};
    char error[256];
    p.ok = WINMAIN_parse(static_cast<int>(args.size()), args.data(), &p.options, error, sizeof error);
    p.error = error;
    return p;
}

}  // namespace

TEST(WinmainOptions, ReadsEveryOption)
{
    Parsed p = parse({"--headless", "--frames", "300", "--dump-frames=out", "--clock", "real", "--trace",
                      "--keys=120:space,300:g,900:Escape", "--pointer", "200:128:64:1,260:-3:64:0", "--scene", "CIRCLES WAVES"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_TRUE(p.options.headless);
    EXPECT_EQ(p.options.frames, 300u);
    EXPECT_TRUE(p.options.dump);
    EXPECT_STREQ(p.options.dumpDirectory, "out");
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
    EXPECT_STREQ(p.options.scene, "CIRCLES WAVES");

    p = parse({"--dump-frames", "--help", "-h", "--list-scenes", "--frames=4294967295"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_TRUE(p.options.dump);
    EXPECT_EQ(p.options.dumpDirectory, nullptr);
    EXPECT_TRUE(p.options.help);
    EXPECT_TRUE(p.options.listScenes);
    EXPECT_FALSE(p.options.headless);
    EXPECT_EQ(p.options.frames, 4294967295u);
    EXPECT_EQ(p.options.clock, HOST_CLOCK::VIRTUAL);
}

TEST(WinmainOptions, BadOptionsAndValuesGiveOneLine)
{
    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"}, {"-x"}, {"file"}, {"--frames"}, {"--frames", "0"}, {"--frames", "-1"}, {"--frames", "12a"},
        {"--frames", "4294967296"}, {"--help=yes"}, {"--dump-frames="}, {"--headless", "--clock", "fast"},
        {"--clock", "real"}, {"--keys", "1:A"}, {"--pointer", "1:0:0:0"}, {"--headless", "--keys", "0:A"},
        {"--headless", "--keys", "5:F1"}, {"--headless", "--keys", "5"}, {"--headless", "--keys", "5:A,"},
        {"--headless", "--keys", ""}, {"--headless", "--pointer", "1:2:3"}, {"--headless", "--pointer", "1:2:3:8"},
        {"--headless", "--pointer", "1:x:3:0"}, {"--headless", "--pointer", "1:2:3:0:9"},
        {"--headless", "--pointer", "1:99999999999:3:0"}, {"--scene="},
    };
    for (const auto& args : bad) {
        const Parsed p = parse(args);
        EXPECT_FALSE(p.ok) << args[0] << (args.size() > 1 ? args.back() : "");
        EXPECT_FALSE(p.error.empty());
        EXPECT_EQ(p.error.find('\n'), std::string::npos);
    }
    EXPECT_EQ(parse({"--frames", "x"}).error, "bad value 'x' for --frames: want a number from 1");
    EXPECT_EQ(parse({"--fast"}).error, "unknown option '--fast' (try --help)");
}

TEST(WinmainWindowProc, KeepsTheLastKeyAndSnapsTheSizeBack)
{
    HOST_reset();
    WINMAIN_lastKey = 0;
    HOST_pushKey('A');
    HOST_pushKey('B');
    HOST_pushEvent(HOST_RESIZE);
    WINDPY* display = WINDPY_new();
    WINDPY_setSize(display, 100, 50);
    WINMAIN_pump();   // everything pending at once
    EXPECT_EQ(WINMAIN_lastKey, 'B');
    EXPECT_EQ(display->width, 256);
    EXPECT_EQ(display->height, 256);
    HOST_EVENT none[1];
    EXPECT_EQ(HOST_takeEvents(none, 1), 0);
    WINDPY_free(&display);
    WINMAIN_lastKey = 0;
}

TEST(WinmainWindowProcDeathTest, ClosingTheWindowEndsWithStatusZero)
{
    HOST_reset();
    HOST_pushEvent(HOST_CLOSE);
    EXPECT_EXIT(WINMAIN_pump(), testing::ExitedWithCode(0), "");
}
