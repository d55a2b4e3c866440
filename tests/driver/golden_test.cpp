// Golden frames: the program run headless on the virtual clock, the 64-bit FNV-1a hash of each dumped frame
// against tests/data/golden/hashes.txt. Record again with scripts/update-golden.sh (QORN_GOLDEN_UPDATE=1).
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

constexpr int kStartFrames = 97;   // the intro picture and the 96 instrument waveforms
constexpr int kSceneFrames = 50;

struct Case {
    std::string name, args;   // key in hashes.txt; options besides --headless, --trace and --dump-frames
    bool fromScene;           // hash from the frame after the first scene's trace line, else from frame 1
    int hashFrames;
    bool sound;               // the --audio file is hashed too, as NAME_sound
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

std::vector<Case> cases()
{
    std::vector<Case> list;
    for (std::int32_t i = 0; i < QORN7316_SCENE_COUNT; ++i) {
        char title[64];
        QORN7316_titleLine(QORN7316_scenes[i]->title, title, sizeof title);
        std::string label = (i < 10 ? "scene0" : "scene") + std::to_string(i) + "_";
        for (const char* c = title; *c != 0; ++c) label += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        list.push_back({label, "--scene " + std::to_string(i) + " --frames " + std::to_string(kStartFrames + kSceneFrames),
                        true, kSceneFrames, false});
    }
    // Start-up, then 40 frames of each of the first four scenes and the start of the fifth, skipped with space.
    list.push_back({"sequence", "--frames 300 --keys 137:space,177:space,217:space,257:space", false, 300, true});
    return list;
}

std::string slurp(const fs::path& path, bool* ok = nullptr)
{
    std::ifstream in(path, std::ios::binary);
    if (ok != nullptr) *ok = static_cast<bool>(in);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string hash(const std::string& bytes)
{
    std::uint64_t h = 0xcbf29ce484222325u;
    for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

const fs::path kHashFile = fs::path(QORN_TEST_DATA) / "golden" / "hashes.txt";
const std::string kHowToRecord = " Look at the changed frames, then record with scripts/update-golden.sh.";

std::map<std::string, std::string> readLines()
{
    std::map<std::string, std::string> lines;
    std::istringstream text(slurp(kHashFile));
    for (std::string line; std::getline(text, line);)
        if (!line.empty() && line[0] != '#') lines[line.substr(0, line.find(' '))] = line;
    return lines;
}

// "NAME COUNT HASH HASH*N ...", HASH*N for N equal frames in a row; false for a malformed line.
bool parse(const std::string& line, std::vector<std::string>* hashes)
{
    std::istringstream in(line);
    std::string name, token;
    int frames = 0;
    if (!(in >> name >> frames)) return false;
    while (in >> token) {
        const std::size_t star = token.find('*');
        const int repeat = star == std::string::npos ? 1 : std::atoi(token.c_str() + star + 1);
        if (repeat < 1 || repeat > 100000) return false;
        hashes->insert(hashes->end(), static_cast<std::size_t>(repeat), token.substr(0, star));
    }
    return frames >= 0 && hashes->size() == static_cast<std::size_t>(frames);
}

std::string format(const std::string& name, const std::vector<std::string>& hashes)
{
    std::string line = name + " " + std::to_string(hashes.size());
    for (std::size_t i = 0, run = 1; i < hashes.size(); i += run) {
        for (run = 1; i + run < hashes.size() && hashes[i + run] == hashes[i];) ++run;
        line.append(" ").append(hashes[i]);   // appends: GCC 12 at -O3 sees a false overlap in a chain of +
        if (run > 1) line.append("*").append(std::to_string(run));
    }
    return line;
}

// Replaces one line under a lock, so that cases run at the same time keep each other's lines;
// lines of cases that no longer exist are dropped.
void writeLine(const std::string& name, const std::string& line)
{
    const std::string lockPath = kHashFile.string() + ".lock";
    const int lock = ::open(lockPath.c_str(), O_CREAT | O_RDWR, 0644);
    ASSERT_GE(lock, 0) << "cannot open " << lockPath;
    ::flock(lock, LOCK_EX);
    std::map<std::string, std::string> lines = readLines();
    lines[name] = line;
    std::erase_if(lines, [](const auto& entry) {
        for (const Case& c : cases())
            if (c.name == entry.first || (c.sound && c.name + "_sound" == entry.first)) return false;
        return true;
    });
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

class GoldenFrames : public testing::TestWithParam<Case> {};

TEST_P(GoldenFrames, MatchTheStoredHashes)
{
    const Case& c = GetParam();
    // A case writes about 30 MB of frames: to memory where the machine offers it.
    std::error_code error;
    const fs::path tmp = std::getenv("TMPDIR") == nullptr && fs::is_directory("/dev/shm", error) ? "/dev/shm" : fs::temp_directory_path();
    const fs::path dir = tmp / ("qorn-golden-" + std::to_string(::getpid()) + "-" + c.name);
    fs::remove_all(dir);
    fs::create_directories(dir / "frames");
    const std::string command = "cd '" + dir.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY '" + QORN_PROGRAM +
                                "' --headless --trace --dump-frames=frames " + (c.sound ? "--audio sound.wav " : "") +
                                c.args + " >stdout.txt 2>stderr.txt";
    const int raw = std::system(command.c_str());
    const std::string trace = slurp(dir / "stderr.txt");
    const std::string run = "`qorn7316 --headless --dump-frames=DIR " + c.args + "`";
    ASSERT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << run << " failed:\n" << trace;

    unsigned start = 0;   // the frame of the first "frame N: scene ..." trace line
    const int first = !c.fromScene ? 1 : std::sscanf(trace.c_str(), "frame %u: scene", &start) == 1 ? static_cast<int>(start) + 1 : 0;
    ASSERT_GE(first, 1) << "no scene start in the trace:\n" << trace;
    std::vector<std::string> got;
    bool ok = true;
    for (int i = first; static_cast<int>(got.size()) < c.hashFrames; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%05d.ppm", i);
        const std::string bytes = slurp(dir / "frames" / name, &ok);
        if (!ok) break;
        got.push_back(hash(bytes));
    }
    const std::string sound = c.sound ? hash(slurp(dir / "sound.wav", &ok)) : "";
    fs::remove_all(dir);
    ASSERT_TRUE(ok || !c.sound) << run << " wrote no sound file";
    ASSERT_FALSE(got.empty()) << run << " wrote no frames";

    const char* update = std::getenv("QORN_GOLDEN_UPDATE");
    if (update != nullptr && std::string(update) == "1") {
        writeLine(c.name, format(c.name, got));
        if (c.sound) writeLine(c.name + "_sound", format(c.name + "_sound", {sound}));
        std::printf("recorded %s: %zu frames\n", c.name.c_str(), got.size());
        return;
    }
    const std::map<std::string, std::string> lines = readLines();
    std::vector<std::string> stored, storedSound;
    ASSERT_TRUE(lines.contains(c.name) && parse(lines.at(c.name), &stored))
        << "no good line for " << c.name << " in " << kHashFile.string() << "." << kHowToRecord;
    int changed = 0, firstChanged = 0;
    for (std::size_t i = 0; i < got.size() && i < stored.size(); ++i)
        if (got[i] != stored[i] && changed++ == 0) firstChanged = first + static_cast<int>(i);
    EXPECT_EQ(changed, 0) << c.name << ": " << changed << " of " << got.size() << " frames changed, the first is frame "
                          << firstChanged << " of " << run << ". Trace:\n" << trace << kHowToRecord;
    EXPECT_EQ(got.size(), stored.size()) << c.name << ": frames run and stored differ." << kHowToRecord;
    if (!c.sound) return;
    ASSERT_TRUE(lines.contains(c.name + "_sound") && parse(lines.at(c.name + "_sound"), &storedSound) && storedSound.size() == 1)
        << "no good sound line for " << c.name << "." << kHowToRecord;
    EXPECT_EQ(sound, storedSound[0]) << c.name << ": the sound --audio writes for " << run << " changed." << kHowToRecord;
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenFrames, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
