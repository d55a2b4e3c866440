#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/CAPTURE.h"
#include "support/raster.h"

namespace {

std::map<std::string, std::string> environment;

const char* fakeEnv(const char* name)
{
    const auto it = environment.find(name);
    return it == environment.end() ? nullptr : it->second.c_str();
}

}  // namespace

TEST(CaptureFileName, DateTimeAndMillisecondsZeroPadded)
{
    EXPECT_EQ(CAPTURE_fileName({2026, 12, 6, 21, 45, 1, 42}), "qorn7316-20261206-214501-042.png");
}

TEST(CaptureUserDirs, ReadsThePicturesLine)
{
    struct Case { const char* text; const char* want; };
    const Case cases[] = {
        {"XDG_PICTURES_DIR=\"$HOME/Pictures\"\n", "/home/u/Pictures"},
        {"# comment\n  XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"/data/pics\"", "/data/pics"},
        {"XDG_PICTURES_DIR=\"/a\"\nXDG_PICTURES_DIR=\"/b\"\n", "/b"},   // the last one counts
        {"XDG_PICTURES_DIR=relative\n", ""},
        {"XDG_PICTURES_DIR=\"Pictures\"\n", ""},                       // neither $HOME nor absolute
        {"XDG_PICTURES_DIR=\"/unclosed\n", ""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CAPTURE_readUserDirs(c.text, "/home/u"), c.want) << c.text;
    EXPECT_EQ(CAPTURE_readUserDirs("XDG_PICTURES_DIR=\"$HOME/P\"\n", nullptr), "");
}

TEST(CaptureDefaultFolder, EnvironmentThenUserDirsThenHere)
{
    const support::Scratch dir;
    const std::filesystem::path home = dir.path("home"), pics = dir.path("pics");
    std::filesystem::create_directories(home / ".config");
    std::filesystem::create_directories(home / "Bilder");
    std::filesystem::create_directories(pics);
    environment = {{"HOME", home.string()}};
    EXPECT_EQ(CAPTURE_defaultFolder(fakeEnv), ".");   // no user-dirs file
    std::ofstream(home / ".config" / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
    EXPECT_EQ(CAPTURE_defaultFolder(fakeEnv), (home / "Bilder").string());
    environment["XDG_PICTURES_DIR"] = pics.string();
    EXPECT_EQ(CAPTURE_defaultFolder(fakeEnv), pics.string());
    environment["XDG_PICTURES_DIR"] = (pics / "missing").string();   // not a folder: the next source
    EXPECT_EQ(CAPTURE_defaultFolder(fakeEnv), (home / "Bilder").string());
    std::ofstream(home / ".config" / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"$HOME/\"\n";   // HOME itself: switched off
    EXPECT_EQ(CAPTURE_defaultFolder(fakeEnv), ".");
    EXPECT_EQ(CAPTURE_defaultFolder(nullptr), ".");
    environment.clear();
}

// Three shots in quick succession: three files, none overwritten.
TEST(CaptureServe, WritesOnlyWhenAskedAndNeverOverwrites)
{
    CAPTURE_reset();
    const support::Scratch dir;
    CAPTURE_setFolder(dir.dir().c_str());
    IMG* img = IMG_new();
    EXPECT_TRUE(CAPTURE_serve(img));   // nothing pending: nothing written
    EXPECT_TRUE(std::filesystem::is_empty(dir.dir()));
    std::size_t files = 0;
    for (int i = 0; i < 3; ++i) {
        CAPTURE_request();
        EXPECT_TRUE(CAPTURE_pending());
        testing::internal::CaptureStdout();
        const bool written = CAPTURE_serve(img);
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_FALSE(CAPTURE_pending());
        if (!written) continue;   // a build without libpng
        ++files;
        EXPECT_EQ(printed.rfind(dir.dir() + "/qorn7316-", 0), 0u) << printed;
        EXPECT_TRUE(std::filesystem::exists(printed.substr(0, printed.size() - 1)));
    }
    std::size_t found = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.dir())) found += e.path().extension() == ".png";
    EXPECT_EQ(found, files);
    IMG_free(&img);
    CAPTURE_reset();
}
