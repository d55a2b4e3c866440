// Golden frames: runs the built program headless (virtual clock, so every run
// repeats) and compares a 64-bit FNV-1a hash of every dumped frame file with
// the lines stored in tests/data/golden/hashes.txt. Its purpose is to keep
// every frame identical while the drawing code is made faster.
//
// To record the hashes again, after a change of behaviour that you have looked
// at frame by frame and explain in the commit message:
//   scripts/update-golden.sh
// or, with a built tree:
//   QORN_GOLDEN_UPDATE=1 build/tests/qorn_tests --gtest_filter='Golden*'
// which rewrites the lines of the cases it runs and keeps the others.
//
// One case per scene (its first frames after start-up, through --scene) and
// one case for the start of the fixed sequence: the intro, the instrument
// pictures and the first scenes, skipped through with the space key, whose
// sound file (--audio) is hashed as well. The hashes hold in every build type.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "driver/QORN7316_state.h"

namespace fs = std::filesystem;

namespace {

// Frames shown before the first scene: the intro picture and the 96
// instrument waveforms. A scene case runs this many plus its own frames.
constexpr int kStartFrames = 97;
constexpr int kSceneFrames = 50;

// The sequence case: start-up, then 40 frames of each of the first four
// scenes (CIRCLES WAVES, BLENDED RECTANGLES, RECTANGLE BUBBLES, FLOOD FILL
// AQUARELLA) and the start of SINE LINES. Its sound file is compared too.
constexpr int kSequenceFrames = 300;
const char* const kSequenceKeys = "137:space,177:space,217:space,257:space";

struct Case {
    std::string name;   // the key in hashes.txt; letters, digits and underscores
    std::string args;   // program options besides --headless, --trace and --dump-frames
    bool fromScene;     // hash from the frame after the first scene's trace line, else from frame 1
    int hashFrames;     // frames to hash at most
    bool sound;         // also write the sound with --audio and compare its hash (stored as NAME_sound)
};

// Shown in test names and failure lines instead of the record's bytes.
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

std::vector<Case> cases()
{
    std::vector<Case> list;
    for (std::int32_t i = 0; i < QORN7316_SCENE_COUNT; ++i) {
        char title[64];
        QORN7316_titleLine(QORN7316_scenes[i]->title, title, sizeof title);
        char name[80];
        std::snprintf(name, sizeof name, "scene%02d_", static_cast<int>(i));
        std::string label = name;
        for (const char* c = title; *c != 0; ++c) label += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        list.push_back({label, "--scene " + std::to_string(i) + " --frames " + std::to_string(kStartFrames + kSceneFrames),
                        true, kSceneFrames, false});
    }
    list.push_back({"sequence", "--frames " + std::to_string(kSequenceFrames) + " --keys " + kSequenceKeys, false,
                    kSequenceFrames, true});
    return list;
}

std::uint64_t fnv1a64(const std::string& bytes)
{
    std::uint64_t h = 0xcbf29ce484222325u;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3u;
    }
    return h;
}

std::string slurp(const fs::path& path, bool* ok = nullptr)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (ok != nullptr) *ok = static_cast<bool>(in);
    if (!in) return {};
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

std::string hex(std::uint64_t h)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

const fs::path kHashFile = fs::path(QORN_TEST_DATA) / "golden" / "hashes.txt";
const char* const kHowToRecord =
    "Look at the frames of the changed scenes first, then record with scripts/update-golden.sh "
    "(or QORN_GOLDEN_UPDATE=1 build/tests/qorn_tests --gtest_filter='Golden*').";

// A stored line: name, frame count, the hash of each frame.
struct Stored {
    int frames = 0;
    std::vector<std::string> hashes;
};

std::map<std::string, std::string> readLines()
{
    std::map<std::string, std::string> lines;
    std::istringstream text(slurp(kHashFile));
    std::string line;
    while (std::getline(text, line)) {
        if (line.empty() || line[0] == '#') continue;
        lines[line.substr(0, line.find(' '))] = line;
    }
    return lines;
}

// Hash tokens are "HASH" or "HASH*N" for N equal frames in a row.
bool parse(const std::string& line, Stored* stored)
{
    std::istringstream in(line);
    std::string name, token;
    if (!(in >> name >> stored->frames)) return false;
    while (in >> token) {
        const std::size_t star = token.find('*');
        const int repeat = star == std::string::npos ? 1 : std::atoi(token.c_str() + star + 1);
        if (repeat < 1 || repeat > 100000) return false;
        stored->hashes.insert(stored->hashes.end(), static_cast<std::size_t>(repeat), token.substr(0, star));
    }
    return stored->frames >= 0 && stored->hashes.size() == static_cast<std::size_t>(stored->frames);
}

std::string format(const std::string& name, const std::vector<std::string>& hashes)
{
    std::string line = name + " " + std::to_string(hashes.size());
    for (std::size_t i = 0; i < hashes.size();) {
        std::size_t run = 1;
        while (i + run < hashes.size() && hashes[i + run] == hashes[i]) ++run;
        line.append(" ").append(hashes[i]);   // appends: GCC 12 at -O3 sees a false overlap in a chain of +
        if (run > 1) line.append("*").append(std::to_string(run));
        i += run;
    }
    return line;
}

// Replaces one case's line under a lock, so that cases run at the same time
// (ctest -j) do not lose each other's lines.
void writeLine(const std::string& name, const std::string& line)
{
    fs::create_directories(kHashFile.parent_path());
    const std::string lockPath = kHashFile.string() + ".lock";
    const int lock = ::open(lockPath.c_str(), O_CREAT | O_RDWR, 0644);
    ASSERT_GE(lock, 0) << "cannot open " << lockPath;
    ::flock(lock, LOCK_EX);
    std::map<std::string, std::string> lines = readLines();
    lines[name] = line;
    for (auto it = lines.begin(); it != lines.end();) {   // drop cases that no longer exist
        bool known = false;
        for (const Case& c : cases()) known = known || c.name == it->first || (c.sound && c.name + "_sound" == it->first);
        it = known ? std::next(it) : lines.erase(it);
    }
    const fs::path temporary = kHashFile.string() + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << "# Golden frame hashes: case, frame count, 64-bit FNV-1a of each frame file in order\n"
               "# (HASH*N: N equal frames in a row).\n"
               "# Written by QORN_GOLDEN_UPDATE=1 (scripts/update-golden.sh); see tests/driver/golden_test.cpp.\n";
        for (const auto& [key, text] : lines) out << text << '\n';
    }
    fs::rename(temporary, kHashFile);
    ::flock(lock, LOCK_UN);
    ::close(lock);
    fs::remove(lockPath);
}

// The number in the first "frame N: scene ..." line of the trace, or -1.
int sceneStart(const std::string& trace)
{
    unsigned n = 0;
    return std::sscanf(trace.c_str(), "frame %u: scene", &n) == 1 ? static_cast<int>(n) : -1;
}

// Frames go to memory where the machine offers it: a case writes about
// 30 MB of frame files and reads 10 MB of them back.
fs::path scratch()
{
    std::error_code error;
    if (std::getenv("TMPDIR") == nullptr && fs::is_directory("/dev/shm", error)) return "/dev/shm";
    return fs::temp_directory_path();
}

class GoldenFrames : public testing::TestWithParam<Case> {};

TEST_P(GoldenFrames, MatchTheStoredHashes)
{
    const Case& c = GetParam();
    const fs::path dir = scratch() / ("qorn-golden-" + std::to_string(::getpid()) + "-" + c.name);
    fs::remove_all(dir);
    fs::create_directories(dir / "frames");
    const std::string command = "cd '" + dir.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY '" + QORN_PROGRAM +
                                "' --headless --trace --dump-frames=frames " + (c.sound ? "--audio sound.wav " : "") +
                                c.args + " >stdout.txt 2>stderr.txt";
    const int raw = std::system(command.c_str());
    const std::string trace = slurp(dir / "stderr.txt");
    ASSERT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << "qorn7316 " << c.args << " failed:\n" << trace;

    const int first = c.fromScene ? sceneStart(trace) + 1 : 1;
    ASSERT_GE(first, 1) << "no scene start in the trace:\n" << trace;
    std::vector<std::string> got;
    for (int i = first; static_cast<int>(got.size()) < c.hashFrames; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%05d.ppm", i);
        bool ok = false;
        const std::string bytes = slurp(dir / "frames" / name, &ok);
        if (!ok) break;
        got.push_back(hex(fnv1a64(bytes)));
    }
    bool soundWritten = false;
    const std::string sound = c.sound ? hex(fnv1a64(slurp(dir / "sound.wav", &soundWritten))) : "";
    fs::remove_all(dir);
    ASSERT_TRUE(soundWritten || !c.sound) << "qorn7316 " << c.args << " wrote no sound file";
    ASSERT_FALSE(got.empty()) << "qorn7316 " << c.args << " wrote no frames";

    const char* update = std::getenv("QORN_GOLDEN_UPDATE");
    if (update != nullptr && std::string(update) == "1") {
        writeLine(c.name, format(c.name, got));
        if (c.sound) writeLine(c.name + "_sound", format(c.name + "_sound", {sound}));
        std::printf("recorded %s: %zu frames\n", c.name.c_str(), got.size());
        return;
    }

    const std::map<std::string, std::string> lines = readLines();
    ASSERT_FALSE(lines.empty()) << "no stored hashes in " << kHashFile.string() << ". " << kHowToRecord;
    const auto found = lines.find(c.name);
    ASSERT_TRUE(found != lines.end()) << "no stored hashes for case " << c.name << " in " << kHashFile.string() << ". "
                                  << kHowToRecord;
    Stored stored;
    ASSERT_TRUE(parse(found->second, &stored)) << "bad line for " << c.name << " in " << kHashFile.string() << ". "
                                               << kHowToRecord;
    int changed = 0, firstChanged = 0;
    for (std::size_t i = 0; i < got.size() && i < stored.hashes.size(); ++i) {
        if (got[i] == stored.hashes[i]) continue;
        if (changed++ == 0) firstChanged = static_cast<int>(i) + 1;
    }
    char file[32];
    std::snprintf(file, sizeof file, "frame-%05d.ppm", first + firstChanged - 1);
    EXPECT_EQ(changed, 0) << c.name << ": " << changed << " of " << got.size() << " frames changed; the first is "
                          << file << " of `qorn7316 --headless --dump-frames=DIR " << c.args << "`. Trace:\n"
                          << trace << kHowToRecord;
    EXPECT_EQ(static_cast<int>(got.size()), stored.frames)
        << c.name << ": the run gave " << got.size() << " frames, " << stored.frames << " are stored. Trace:\n"
        << trace << kHowToRecord;
    if (!c.sound) return;
    const auto soundLine = lines.find(c.name + "_sound");
    ASSERT_TRUE(soundLine != lines.end()) << "no stored sound hash for case " << c.name << " in "
                                          << kHashFile.string() << ". " << kHowToRecord;
    Stored storedSound;
    ASSERT_TRUE(parse(soundLine->second, &storedSound) && storedSound.frames == 1)
        << "bad sound line for " << c.name << " in " << kHashFile.string() << ". " << kHowToRecord;
    EXPECT_EQ(sound, storedSound.hashes[0]) << c.name << ": the sound changed (the file --audio writes for `qorn7316 --headless "
                                            << c.args << "`). " << kHowToRecord;
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenFrames, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
