// Runs the built program headless, as a user would from a shell.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <cstdlib>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return {};
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

class Program : public testing::Test {
protected:
    fs::path dir;

    void SetUp() override
    {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / ("qorn-program-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // No display in the environment, so only --headless runs can show anything.
    Outcome run(const std::string& args)
    {
        const std::string command = "cd '" + dir.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY '" + QORN_PROGRAM +
                                    "' " + args + " >stdout.txt 2>stderr.txt";
        const int raw = std::system(command.c_str());
        Outcome r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(dir / "stdout.txt"), slurp(dir / "stderr.txt")};
        fs::remove(dir / "stdout.txt");
        fs::remove(dir / "stderr.txt");
        return r;
    }

    int countFrames(const fs::path& d)
    {
        int n = 0;
        for (const auto& entry : fs::directory_iterator(d)) n += entry.path().extension() == ".ppm" ? 1 : 0;
        return n;
    }
};

}  // namespace

TEST_F(Program, HeadlessRunWritesExactlyTheFramesAsked)
{
    const Outcome r = run("--headless --frames 300 --dump-frames=out");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(countFrames(dir / "out"), 300);
    EXPECT_TRUE(fs::exists(dir / "out" / "frame-00001.ppm"));
    EXPECT_TRUE(fs::exists(dir / "out" / "frame-00300.ppm"));
    EXPECT_EQ(slurp(dir / "out" / "frame-00300.ppm").substr(0, 15), "P6\n256 256\n255\n");
    EXPECT_EQ(run("--headless --frames 3 --dump-frames").status, 0);
    EXPECT_EQ(countFrames(dir), 3);   // the working directory
    EXPECT_EQ(run("--headless --clock real --frames 40").status, 0);   // 32 unpaced fade frames, 8 paced ones
}

TEST_F(Program, TwoRunsGiveTheSameFrames)
{
    const std::string script = " --keys 40:Q,60:G,61:plus,90:space,95:W --pointer 10:100:100:1,50:0:0:0 --frames 160";
    ASSERT_EQ(run("--headless --dump-frames=a" + script).status, 0);
    ASSERT_EQ(run("--headless --dump-frames=b" + script).status, 0);
    ASSERT_EQ(countFrames(dir / "a"), 160);
    ASSERT_EQ(countFrames(dir / "b"), 160);
    bool differs = false;
    const std::string reference = slurp(dir / "a" / "frame-00033.ppm");
    for (int i = 1; i <= 160; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%05d.ppm", i);
        const std::string a = slurp(dir / "a" / name);
        ASSERT_EQ(a, slurp(dir / "b" / name)) << name;
        differs = differs || a != reference;
    }
    EXPECT_TRUE(differs);   // the Q key changed the background: the frames are not all alike
}

TEST_F(Program, EscapeFadesOutAndEndsWithStatusZero)
{
    // Start-up shows the intro and the 96 instrument pictures first.
    const Outcome r = run("--headless --keys 146:Escape --dump-frames=out");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(countFrames(dir / "out"), 146 + 32);
    const std::string last = slurp(dir / "out" / "frame-00178.ppm");
    ASSERT_EQ(last.size(), 15u + 256u * 256u * 3u);
    EXPECT_EQ(last.find_first_not_of('\0', 15), std::string::npos);   // faded to black
}

TEST_F(Program, TraceNamesEveryScene)
{
    // Start-up shows the intro and the instrument pictures first: the first
    // scene starts after s presented frames.
    Outcome r = run("--headless --frames 300 --trace --keys 200:space");
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(r.err.rfind("frame ", 0), 0u);
    const unsigned s = static_cast<unsigned>(std::strtoul(r.err.c_str() + 6, nullptr, 10));
    ASSERT_LT(s, 200u);
    const auto line = [](unsigned frame, const char* scene) {
        return "frame " + std::to_string(frame) + ": scene " + scene + "\n";
    };
    EXPECT_EQ(r.err, line(s, "CIRCLES WAVES") + line(200, "BLENDED RECTANGLES"));
    r = run("--headless --frames " + std::to_string(s + 600) + " --trace --scene E");
    EXPECT_EQ(r.err, line(s, "E") + line(s + 533, "E"));   // fade-out, then 501 frames
    const std::string one = "--headless --frames " + std::to_string(s + 1) + " --trace --scene ";
    r = run(one + "'filled+blended  circles benchmark'");
    EXPECT_EQ(r.err, line(s, "FILLED+BLENDED CIRCLES BENCHMARK"));
    r = run(one + "17");
    EXPECT_EQ(r.err, line(s, "HEIGHT FIELD"));
}

TEST_F(Program, HelpAndSceneList)
{
    Outcome r = run("--help");
    EXPECT_EQ(r.status, 0);
    for (const char* option : {"--headless", "--frames N", "--dump-frames[=DIR]", "--clock real|virtual", "--keys SCRIPT",
                               "--pointer SCRIPT", "--trace", "--scene NAME|INDEX", "--list-scenes", "--help"})
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
    r = run("--list-scenes");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("   16    3000  CIRCLES WAVES\n"), std::string::npos);
    EXPECT_NE(r.out.find("   13     750  FILLED+BLENDED RECTANGLES BENCHMARK\n"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 19);
}

TEST_F(Program, BadOptionsGiveALineAHintAndStatusTwo)
{
    for (const char* args : {"--frames", "--frames 0", "--frames=x", "--nope", "extra", "--clock real",
                             "--headless --keys 5:F1", "--headless --pointer 1:2:3", "--headless --scene NOPE",
                             "--headless --scene 18", "--trace=1", "--dump-frames out", "--version=1"}) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << args << ": " << r.err;
        EXPECT_EQ(r.err.rfind("qorn7316: ", 0), 0u) << args;
        const std::string hint = "\nTry 'qorn7316 --help'.\n";
        EXPECT_EQ(r.err.substr(r.err.size() - std::min(r.err.size(), hint.size())), hint) << args;
    }
    EXPECT_EQ(run("--nope").err, "qorn7316: unknown option '--nope'\nTry 'qorn7316 --help'.\n");
}

TEST_F(Program, VersionNamesTheProgram)
{
    const Outcome r = run("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("qorn7316 ", 0), 0u) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
    EXPECT_EQ(r.err, "");
}

TEST_F(Program, WithoutDisplaySuggestsHeadless)
{
    const Outcome r = run("--frames 5");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
    EXPECT_NE(r.err.find("--headless"), std::string::npos);
}

TEST_F(Program, WriteFailuresEndWithStatusOne)
{
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    Outcome r = run("--headless --frames 100 --audio /dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "qorn7316: the sound file could not be written completely\n");
    r = run("--headless --frames 100 --audio sound.wav");   // the same run to a file that takes it
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(run("--headless --frames 100 --volume 0 --audio quiet.wav").status, 0);
    EXPECT_EQ(slurp(dir / "quiet.wav"), slurp(dir / "sound.wav"));   // the volume never reaches the file
    for (const char* args : {"--help", "--version", "--list-scenes"}) {
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY '" + std::string(QORN_PROGRAM) + "' " + args +
                                    " >/dev/full 2>'" + (dir / "err.txt").string() + "'";
        const int raw = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1) << args;
        EXPECT_EQ(slurp(dir / "err.txt"), "qorn7316: standard output could not be written\n") << args;
    }
}

TEST_F(Program, ProgressBarOnlyOnATerminal)
{
    if (std::system("script --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no script(1) to make a terminal";
    // script(1) runs the program on a pseudo-terminal and copies what it
    // printed; stdout goes to a file so only standard error is the terminal.
    const std::string command = "cd '" + dir.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY script -qec \"'" +
                                QORN_PROGRAM + "' --headless --frames 200 --dump-frames=out >/dev/null\" /dev/null >tty.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string tty = slurp(dir / "tty.txt");
    EXPECT_NE(tty.find("\r[####################] 200/200 frames 100% "), std::string::npos) << tty;
    EXPECT_EQ(tty.back(), '\n');
    EXPECT_EQ(std::count(tty.begin(), tty.end(), '\n'), 1);   // one line, redrawn in place
    EXPECT_EQ(countFrames(dir / "out"), 200);
    const Outcome plain = run("--headless --frames 200 --dump-frames=out");   // standard error to a file
    EXPECT_EQ(plain.err, "");
    if (!fs::exists("/dev/full")) return;
    // A failure at the end is reported on a line of its own, after the bar.
    const std::string full = "cd '" + dir.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY script -qec \"'" +
                             QORN_PROGRAM + "' --headless --frames 50 --audio /dev/full\" /dev/null >full.txt";
    std::system(full.c_str());
    const std::string text = slurp(dir / "full.txt");
    EXPECT_NE(text.find(" 50/50 frames 100% "), std::string::npos) << text;
    EXPECT_NE(text.find("left\033[K\r\nqorn7316: the sound file could not be written completely\r\n"), std::string::npos) << text;
}
