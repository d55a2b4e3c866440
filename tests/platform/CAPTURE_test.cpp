#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/CAPTURE.h"
#include "raster/PNG.h"
#include "support/raster.h"
#include "support/support.h"

namespace {

std::map<std::string, std::string> environment;

const char* fakeEnv(const char* name)
{
    const auto it = environment.find(name);
    return it == environment.end() ? nullptr : it->second.c_str();
}

}  // namespace

// Two shots in one millisecond: the later one is numbered, never written over the first.
TEST(CaptureFileName, DateTimeAndMillisecondsZeroPaddedAndNumberedOnAClash)
{
    const std::string name = CAPTURE_fileName({2026, 12, 6, 21, 45, 1, 42});
    EXPECT_EQ(name, "qorn7316-20261206-214501-042.png");
    const support::Scratch dir;
    EXPECT_EQ(CAPTURE_freePath(dir.dir(), name), dir.path(name));
    dir.write(name, "");
    EXPECT_EQ(CAPTURE_freePath(dir.dir(), name), dir.path("qorn7316-20261206-214501-042-2.png"));
    dir.write("qorn7316-20261206-214501-042-2.png", "");
    EXPECT_EQ(CAPTURE_freePath(dir.dir(), name), dir.path("qorn7316-20261206-214501-042-3.png"));
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

// A shot is written only when asked for, one file for each.
TEST(CaptureServe, WritesOnlyWhenAsked)
{
    CAPTURE_reset();
    const support::Scratch dir;
    CAPTURE_setFolder(dir.dir().c_str());
    const support::Picture shot(1, 1);
    EXPECT_TRUE(CAPTURE_serve(shot.img));   // nothing pending: nothing written
    EXPECT_TRUE(std::filesystem::is_empty(dir.dir()));
    testing::internal::CaptureStdout();   // the paths printed: record_test.sh
    for (int i = 0; i < 3; ++i) {
        CAPTURE_request();
        EXPECT_TRUE(CAPTURE_pending());
        EXPECT_EQ(CAPTURE_serve(shot.img), PNG_available());
        EXPECT_FALSE(CAPTURE_pending());
    }
    testing::internal::GetCapturedStdout();
    std::size_t found = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.dir())) found += e.path().extension() == ".png";
    EXPECT_EQ(found, PNG_available() ? 3u : 0u);
    CAPTURE_reset();
}
