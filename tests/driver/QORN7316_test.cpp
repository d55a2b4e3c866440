// The scene table as --list-scenes shows it and --scene finds its entries.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "driver/QORN7316_state.h"
#include "support/support.h"

namespace {

std::string line(const char* title)
{
    char out[64];
    QORN7316_titleLine(title, out, sizeof out);
    return out;
}

}  // namespace

// Index order, frames and the title on one line, as --list-scenes shows them.
TEST(SceneTable, ListShowsEveryTitleAndLength)
{
    EXPECT_EQ(support::written(QORN7316_listScenes), "index  frames  title\n"
                    "    0     750  SINE LINES\n    1     750  3D BALLS\n    2     900  BLENDED CIRCLES\n"
                    "    3     750  FILLED+BLENDED CIRCLES BENCHMARK\n    4     900  BLENDED RECTANGLES\n"
                    "    5     750  RECTANGLE BUBBLES\n    6    1000  RECTANGLES MOVE\n    7    1000  FLASHING PIXELS\n"
                    "    8    7500  ROTATING BLENDED CIRCLES\n    9    1250  FLOOD FILL AQUARELLA\n"
                    "   10    1500  FINITE STATE\n   11    1500  FLOWERS GAME\n   12    1500  MUSIC MIX SHOW\n"
                    "   13     750  FILLED+BLENDED RECTANGLES BENCHMARK\n   14     501  E\n"
                    "   15     750  RECTANGLE BUBBLES UP\n   16    3000  CIRCLES WAVES\n   17     501  HEIGHT FIELD\n");
    for (std::int32_t i = 0; i < QORN7316_SCENE_COUNT; ++i) EXPECT_EQ(QORN7316_scenes[i]->paced, i != SCENE_FLASHING_PIXELS) << i;
    EXPECT_EQ(support::printed(QORN7316_debug, [] { QORN7316_listScenes(nullptr); }), "QORN7316 Error.\n");
}

TEST(SceneTable, FindsByIndexOrTitleAndRejectsTheRest)
{
    const struct { const char* text; std::int32_t index; } cases[] = {
        {"0", 0}, {"09", 9}, {"17", 17}, {"18", -1}, {"123", -1}, {"-1", -1}, {"", -1}, {"e", 14},
        {"  Sine   Lines ", 0}, {"SINE", -1}, {"FLOOD FILL\nAQUARELLA", 9}, {"HEIGHT FIELDS", -1}, {"1x", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(QORN7316_findScene(c.text), c.index) << '"' << c.text << '"';
    EXPECT_EQ(QORN7316_findScene(nullptr), -1);
    EXPECT_EQ(line(" \n A  B \n"), "A B");
    EXPECT_EQ(line(nullptr), "");
    char small[5] = "xxxx";
    QORN7316_titleLine("AB CD", small, sizeof small);
    EXPECT_STREQ(small, "AB C");
}

TEST(SceneTable, BadIndexOrRecordIsAnError)
{
    for (std::int32_t index : {-1, QORN7316_SCENE_COUNT})
        EXPECT_EQ(support::printed(QORN7316_debug, [&] { QORN7316_runScene(index); }), "QORN7316 Error.\n") << index;
    const QORN7316_SCENE noFrame{"X", 1, nullptr, nullptr, nullptr, nullptr, false, true};
    EXPECT_EQ(support::printed(QORN7316_debug, [&] { QORN7316_runLoop(&noFrame); }), "QORN7316 Error.\n");
    EXPECT_EQ(support::printed(QORN7316_debug, [] { QORN7316_runLoop(nullptr); }), "QORN7316 Error.\n");
}
