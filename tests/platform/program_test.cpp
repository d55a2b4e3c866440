// Runs the built program headless, as a user would from a shell.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/raster.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

int lines(const std::string& s) { return static_cast<int>(std::count(s.begin(), s.end(), '\n')); }

class Program : public testing::Test {
protected:
    support::Scratch dir;

    // No display in the environment; standard output and error read back unless redirected.
    Outcome run(const std::string& args, const std::string& redirect = " >stdout.txt 2>stderr.txt")
    {
        const std::string command = "cd '" + dir.dir() + "' && env -u DISPLAY -u WAYLAND_DISPLAY '" + QORN_PROGRAM + "' " + args + redirect;
        const int raw = std::system(command.c_str());
        Outcome r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(dir.path("stdout.txt")), slurp(dir.path("stderr.txt"))};
        fs::remove(dir.path("stdout.txt"));
        fs::remove(dir.path("stderr.txt"));
        return r;
    }
};

}  // namespace

TEST_F(Program, HeadlessRunWritesExactlyTheFramesAsked)
{
    EXPECT_EQ(run("--headless --clock real --frames 40").status, 0);   // 32 unpaced fade frames, 8 paced ones
    // Escape: start-up (intro and 96 instrument pictures), then a 32-frame fade to black, to the working directory.
    const Outcome r = run("--headless --keys 146:Escape --dump-frames");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out + r.err, "");
    int frames = 0;
    for (const auto& entry : fs::directory_iterator(dir.dir())) frames += entry.path().extension() == ".ppm" ? 1 : 0;
    EXPECT_EQ(frames, 146 + 32);
    const std::string last = slurp(dir.path("frame-00178.ppm"));
    ASSERT_EQ(last.size(), 15u + 256u * 256u * 3u);
    EXPECT_EQ(last.find_first_not_of('\0', 15), std::string::npos);
}

TEST_F(Program, TraceNamesEveryScene)
{
    // The first scene starts after the s presented frames of start-up.
    Outcome r = run("--headless --frames 300 --trace --keys 200:space");
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(r.err.rfind("frame ", 0), 0u);
    const unsigned s = static_cast<unsigned>(std::strtoul(r.err.c_str() + 6, nullptr, 10));
    ASSERT_LT(s, 200u);
    const auto line = [](unsigned frame, const char* scene) { return "frame " + std::to_string(frame) + ": scene " + scene + "\n"; };
    EXPECT_EQ(r.err, line(s, "CIRCLES WAVES") + line(200, "BLENDED RECTANGLES"));
    r = run("--headless --frames " + std::to_string(s + 600) + " --trace --scene E");
    EXPECT_EQ(r.err, line(s, "E") + line(s + 533, "E"));   // fade-out, then 501 frames
}

// Refused command lines end with status 2 (the parser's own lines are checked with OPTIONS).
TEST_F(Program, BadOptionsGiveALineAHintAndStatusTwo)
{
    Outcome r = run("--nope");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "qorn7316: unknown option '--nope'\nTry 'qorn7316 --help'.\n");
    r = run("--headless --scene 18");   // known only once the scene table is read
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "qorn7316: no scene '18' (see --list-scenes)\nTry 'qorn7316 --help'.\n");
    r = run("--frames 5");   // no display
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lines(r.err), 1);
    EXPECT_NE(r.err.find("--headless"), std::string::npos);
}

TEST_F(Program, WriteFailuresEndWithStatusOne)
{
    const bool full = fs::exists("/dev/full");
    for (const char* args : {"--help", "--version", "--list-scenes"}) {
        const Outcome ok = run(args);
        EXPECT_EQ(ok.status, 0) << args;
        EXPECT_EQ(ok.err, "") << args;
        EXPECT_NE(ok.out, "") << args;
        if (!full) continue;
        const Outcome lost = run(args, " >/dev/full 2>stderr.txt");
        EXPECT_EQ(lost.status, 1) << args;
        EXPECT_EQ(lost.err, "qorn7316: standard output could not be written\n") << args;
    }
    if (!full) GTEST_SKIP() << "no /dev/full";
    Outcome r = run("--headless --frames 100 --audio /dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "qorn7316: the sound file could not be written completely\n");
    r = run("--headless --frames 100 --audio sound.wav");   // the same run to a file that takes it
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(run("--headless --frames 100 --volume 0 --audio quiet.wav").status, 0);
    EXPECT_EQ(slurp(dir.path("quiet.wav")), slurp(dir.path("sound.wav")));   // the volume never reaches the file
}

TEST_F(Program, ProgressBarOnlyOnATerminal)
{
    if (std::system("script --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no script(1) to make a terminal";
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    // script(1) gives standard error a terminal: the bar is redrawn in place, and a failure at the end is
    // reported on a line of its own, after the bar.
    const std::string command = "cd '" + dir.dir() + "' && env -u DISPLAY -u WAYLAND_DISPLAY script -qec \"'" + QORN_PROGRAM +
                                "' --headless --frames 50 --audio /dev/full >/dev/null\" /dev/null >tty.txt";
    std::system(command.c_str());
    const std::string text = slurp(dir.path("tty.txt"));
    EXPECT_NE(text.find("\r[####################] 50/50 frames 100% "), std::string::npos) << text;
    EXPECT_NE(text.find("left\033[K\r\nqorn7316: the sound file could not be written completely\r\n"), std::string::npos) << text;
    EXPECT_EQ(lines(text), 2);
}
