// CAPTURE: screenshot naming, the pictures folder and the pending request.
// Names carry the wall-clock time to the millisecond; should two fall in the
// same millisecond the later one gets "-2", "-3", ... so none is overwritten.
#include "platform/CAPTURE.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/VIEW.h"
#include "raster/PNG.h"

namespace {

bool requested = false;
bool folderGiven = false;
std::string folder;
std::int32_t scale = 1;

constexpr std::size_t maxUserDirsFile = 65536;

bool isFolder(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

bool sameFolder(const std::string& a, const char* b)
{
    if (b == nullptr) return false;
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

CAPTURE_TIME now()
{
    const auto t = std::chrono::system_clock::now();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm local{};
    localtime_r(&seconds, &local);
    return CAPTURE_TIME{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                        static_cast<std::int32_t>(((ms % 1000) + 1000) % 1000)};
}

}  // namespace

void CAPTURE_setFolder(const char* f)
{
    folderGiven = f != nullptr;
    folder = f != nullptr ? f : "";
}

void CAPTURE_setScale(std::int32_t s)
{
    scale = std::clamp(s, 1, VIEW_MAX_SCALE);
}

void CAPTURE_request()
{
    requested = true;
}

bool CAPTURE_pending()
{
    return requested;
}

bool CAPTURE_serve(const IMG* image)
{
    if (!requested) return true;
    requested = false;
    if (!folderGiven) {
        folder = CAPTURE_defaultFolder([](const char* name) -> const char* { return std::getenv(name); });
        folderGiven = true;
    }
    const std::string path = CAPTURE_freePath(folder, CAPTURE_fileName(now()));
    char error[512];
    if (!PNG_save(image, path.c_str(), scale, error, sizeof error)) {
        std::fprintf(stderr, "qorn7316: no screenshot: %s\n", error);
        return false;
    }
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    return true;
}

void CAPTURE_reset()
{
    requested = false;
    folderGiven = false;
    folder.clear();
    scale = 1;
}

std::string CAPTURE_freePath(const std::string& dir, const std::string& name)
{
    std::string path = dir + "/" + name;
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(path, ec) && n < 1000; ++n)
        path = dir + "/" + name.substr(0, name.size() - 4) + "-" + std::to_string(n) + ".png";
    return path;
}

std::string CAPTURE_fileName(const CAPTURE_TIME& t)
{
    char name[64];
    std::snprintf(name, sizeof name, "qorn7316-%04d%02d%02d-%02d%02d%02d-%03d.png", t.year % 10000, t.month % 100,
                  t.day % 100, t.hour % 100, t.minute % 100, t.second % 100, t.millisecond % 1000);
    return name;
}

// The file holds shell assignments, XDG_PICTURES_DIR="$HOME/Pictures" or an
// absolute path in double quotes; the last assignment counts.
std::string CAPTURE_readUserDirs(const std::string& text, const char* home)
{
    std::string value;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos) continue;
        line.erase(0, first);
        const std::string key = "XDG_PICTURES_DIR=";
        if (line.compare(0, key.size(), key) != 0) continue;
        std::string v = line.substr(key.size());
        if (v.size() < 2 || v.front() != '"') continue;
        const std::size_t close = v.find('"', 1);
        if (close == std::string::npos) continue;
        v = v.substr(1, close - 1);
        if (v.compare(0, 5, "$HOME") == 0) {
            if (home == nullptr || home[0] == 0) continue;
            v = std::string(home) + v.substr(5);
        } else if (v.empty() || v.front() != '/') {
            continue;
        }
        value = v;
    }
    return value;
}

std::string CAPTURE_defaultFolder(const char* (*getEnv)(const char* name))
{
    if (getEnv == nullptr) return ".";
    const char* home = getEnv("HOME");
    const char* given = getEnv("XDG_PICTURES_DIR");
    if (given != nullptr && isFolder(given) && !sameFolder(given, home)) return given;
    std::string config;
    if (const char* c = getEnv("XDG_CONFIG_HOME"); c != nullptr && c[0] == '/') config = c;
    else if (home != nullptr && home[0] != 0) config = std::string(home) + "/.config";
    if (!config.empty()) {
        std::ifstream in(config + "/user-dirs.dirs", std::ios::binary);
        std::string text(maxUserDirsFile, '\0');
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
        const std::string pictures = CAPTURE_readUserDirs(text, home);
        if (isFolder(pictures) && !sameFolder(pictures, home)) return pictures;
    }
    return ".";
}
