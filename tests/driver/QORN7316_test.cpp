// The scene table and what the command line reads of it: --list-scenes,
// --scene by index or title; and the steps the frame loop adds around every
// scene's own enter and leave.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "support/driver.h"
#include "support/support.h"

namespace {

struct Row {
    const char* title;   // on one line
    std::int32_t frames;
};

// Index order, as --list-scenes and --scene show it.
constexpr Row kTable[QORN7316_SCENE_COUNT] = {
    {"SINE LINES", 750}, {"3D BALLS", 750}, {"BLENDED CIRCLES", 900},
    {"FILLED+BLENDED CIRCLES BENCHMARK", 750}, {"BLENDED RECTANGLES", 900}, {"RECTANGLE BUBBLES", 750},
    {"RECTANGLES MOVE", 1000}, {"FLASHING PIXELS", 1000}, {"ROTATING BLENDED CIRCLES", 7500},
    {"FLOOD FILL AQUARELLA", 1250}, {"FINITE STATE", 1500}, {"FLOWERS GAME", 1500},
    {"MUSIC MIX SHOW", 1500}, {"FILLED+BLENDED RECTANGLES BENCHMARK", 750}, {"E", 501},
    {"RECTANGLE BUBBLES UP", 750}, {"CIRCLES WAVES", 3000}, {"HEIGHT FIELD", 501},
};

std::string line(const char* title)
{
    char out[64];
    QORN7316_titleLine(title, out, sizeof out);
    return out;
}

const char* seenTitle;
void noteEnter() { seenTitle = titleText; }
void noteLeave() { seenTitle = titleText; }
bool oneFrame(std::int32_t) { return true; }

}  // namespace

TEST(SceneTable, TitlesLengthsAndSteps)
{
    for (std::int32_t i = 0; i < QORN7316_SCENE_COUNT; ++i) {
        const QORN7316_SCENE* s = QORN7316_scenes[i];
        ASSERT_NE(s, nullptr) << i;
        EXPECT_EQ(line(s->title), kTable[i].title) << i;
        EXPECT_EQ(s->frames, kTable[i].frames) << i;
        EXPECT_NE(s->frame, nullptr) << i;
        EXPECT_NE(s->enter, nullptr) << i;
        EXPECT_EQ(s->paced, i != SCENE_FLASHING_PIXELS) << i;
    }
    EXPECT_STREQ(QORN7316_scenes[SCENE_CIRCLES_BENCHMARK]->title, "FILLED+BLENDED\n CIRCLES\n  BENCHMARK");
}

TEST(SceneTable, FindsByIndexOrTitleAndRejectsTheRest)
{
    const struct { const char* text; std::int32_t index; } cases[] = {
        {"0", 0}, {"9", 9}, {"09", 9}, {"17", 17}, {"18", -1}, {"99", -1}, {"123", -1}, {"-1", -1},
        {"", -1}, {"E", 14}, {"e", 14}, {"sine lines", 0}, {"  Sine   Lines ", 0}, {"SINE", -1},
        {"FLOOD FILL\nAQUARELLA", 9}, {"flood fill aquarella", 9}, {"HEIGHT FIELDS", -1}, {"1x", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(QORN7316_findScene(c.text), c.index) << '"' << c.text << '"';
    EXPECT_EQ(QORN7316_findScene(nullptr), -1);
}

TEST(SceneTable, TitleLineCollapsesBlanksAndStopsAtTheBuffer)
{
    EXPECT_EQ(line("ROTATING\n BLENDED CIRCLES"), "ROTATING BLENDED CIRCLES");
    EXPECT_EQ(line(" \n A  B \n"), "A B");
    EXPECT_EQ(line(nullptr), "");
    char small[5] = "xxxx";
    QORN7316_titleLine("AB CD", small, sizeof small);
    EXPECT_STREQ(small, "AB C");
}

TEST(SceneTable, ListShowsEveryRow)
{
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    QORN7316_listScenes(out);
    std::rewind(out);
    char text[128];
    ASSERT_NE(std::fgets(text, sizeof text, out), nullptr);
    EXPECT_STREQ(text, "index  frames  title\n");
    for (std::int32_t i = 0; i < QORN7316_SCENE_COUNT; ++i) {
        ASSERT_NE(std::fgets(text, sizeof text, out), nullptr);
        char want[128];
        std::snprintf(want, sizeof want, "%5d  %6d  %s\n", static_cast<int>(i), static_cast<int>(kTable[i].frames), kTable[i].title);
        EXPECT_STREQ(text, want);
    }
    EXPECT_EQ(std::fgets(text, sizeof text, out), nullptr);
    std::fclose(out);
    EXPECT_EQ(support::printed(QORN7316_debug, [] { QORN7316_listScenes(nullptr); }), "QORN7316 Error.\n");
}

TEST(SceneTable, BadIndexOrRecordIsAnError)
{
    for (std::int32_t index : {-1, QORN7316_SCENE_COUNT})
        EXPECT_EQ(support::printed(QORN7316_debug, [&] { QORN7316_runScene(index); }), "QORN7316 Error.\n") << index;
    const QORN7316_SCENE noFrame{"X", 1, nullptr, nullptr, nullptr, nullptr, false, true};
    EXPECT_EQ(support::printed(QORN7316_debug, [&] { QORN7316_runLoop(&noFrame); }), "QORN7316 Error.\n");
    EXPECT_EQ(support::printed(QORN7316_debug, [] { QORN7316_runLoop(nullptr); }), "QORN7316 Error.\n");
}

// The title is installed after the scene's own enter and emptied after its
// leave, whether or not the scene has a leave step.
TEST(SceneLoop, TitleFromEnterToLeave)
{
    support::setUpDriver();
    musicOff = 1;
    const QORN7316_SCENE scene{"T\n X", 1, noteEnter, oneFrame, nullptr, noteLeave, false, false};
    titleText = "old";
    QORN7316_enterScene(&scene);
    EXPECT_STREQ(seenTitle, "old");
    EXPECT_STREQ(titleText, "T\n X");
    QORN7316_leaveScene(&scene);
    EXPECT_STREQ(seenTitle, "T\n X");
    EXPECT_STREQ(titleText, "");
    const QORN7316_SCENE bare{"B", 1, nullptr, oneFrame, nullptr, nullptr, false, false};
    QORN7316_runLoop(&bare);
    EXPECT_STREQ(titleText, "");
    EXPECT_EQ(HOST_presentedFrames(), 1u);
    musicOff = 0;
}
