#include <gtest/gtest.h>

#include <deque>
#include <tuple>

#include "driver/QORN7316_state.h"
#include "foundation/LIST.h"
#include "platform/MOUSE.h"
#include "support/support.h"

namespace {

// A game with solid square flowers, all far below the pointer but those put at (100, 20).
struct Game {
    MOUSE pointer{};
    QORN7316_FLOWERS& g = flowersState;
    std::deque<support::Picture> images;
    IMG* make(std::int32_t size, std::uint32_t colour) { return images.emplace_back(size, size, colour).img; }

    Game()
    {
        if (frame == nullptr) frame = IMG_new(), IMG_setSize(frame, 256, 256);
        g = QORN7316_FLOWERS{};
        g.pictures = LIST_new();
        for (int k = 0; k < QORN7316_FLOWER_COUNT; ++k) LIST_push(g.pictures, make(32, 0x00FF00));
        g.rotated = make(48, 0);
        g.enlarged = make(64, 0);
        pointer.sprite = make(16, 0xFFFFFF);
        g.selected = g.lastCaught = -1;
        g.fall = g.made = 1;
        for (auto& row : g.tiles)
            for (auto& cell : row) cell = -1;
        for (int i = 0; i < QORN7316_FLOWER_COUNT; ++i) g.x[i] = 8 * i, g.y[i] = 160;
    }
    ~Game()
    {
        LIST_free(&g.pictures);
        g = QORN7316_FLOWERS{};
    }
    void put(std::int32_t i) { g.x[i] = 100, g.y[i] = 20, g.angle[i] = 0; }
};

}  // namespace

// A press catches the flower under the pointer only when the button went down
// over it; the same number twice in a row scores 5, else 1.
TEST(FlowersGame, PressOverAFlowerCatchesItOnce)
{
    Game game;
    QORN7316_FLOWERS& g = game.g;
    const struct { std::int32_t put, x, y, buttons, selected; std::uint32_t score; } steps[] = {
        {7, 0, 100, 1, -1, 0},    // pressed over nothing
        {-1, 120, 40, 1, 7, 0},   // still held, now over flower 7: selected, not caught
        {-1, 120, 40, 1, 7, 0}, {-1, 120, 40, 0, 7, 0},
        {-1, 120, 40, 1, -1, 1},  // pressed while touching: caught
        {7, 120, 40, 1, 7, 1},    // the same press does not catch again
        {-1, 120, 40, 0, 7, 1}, {-1, 120, 40, 1, -1, 6},
        {9, 250, 0, 0, -1, 6},    // away from every flower
        {-1, 120, 40, 0, 9, 6}, {-1, 120, 40, 1, -1, 7},
    };
    for (const auto& s : steps) {
        if (s.put >= 0) game.put(s.put);
        game.pointer.x = s.x;
        game.pointer.y = s.y;
        game.pointer.buttons = s.buttons;
        QORN7316_flowersMove(&game.pointer);
        EXPECT_EQ(g.selected, s.selected) << s.x << "," << s.y << " " << s.buttons << " score " << s.score;
        EXPECT_EQ(g.score, s.score);
        EXPECT_EQ(g.held, s.buttons != 0 ? 1 : 0);
        EXPECT_TRUE(s.selected < 0 || g.angle[s.selected] == 0);   // held flowers stop spinning
    }
    EXPECT_EQ(g.tiles[0][0] * 10000 + g.tiles[0][1] * 100 + g.tiles[0][2], 70709);
    EXPECT_EQ(g.tileColumn, 3);
    EXPECT_EQ(g.lastCaught, 9);
    EXPECT_EQ(g.y[9], -48);   // back at the top
}

TEST(FlowersGame, TileMapWrapsAfter512Catches)
{
    Game game;
    QORN7316_FLOWERS& g = game.g;
    for (int n = 0; n < 512; ++n) QORN7316_flowersCatch(n % 31);
    EXPECT_EQ(g.tileColumn + g.tileRow, 0);
    EXPECT_EQ(std::tuple(g.tiles[0][31], g.tiles[1][0], g.tiles[15][31]), std::tuple(0, 1, 511 % 31));
    EXPECT_EQ(g.score, 512u);   // never the same number twice in a row
    QORN7316_flowersCatch(30);
    EXPECT_EQ(g.tiles[0][0], 30);   // the oldest tile is overwritten
    EXPECT_EQ(g.tileColumn, 1);
    QORN7316_flowersCatch(30);
    EXPECT_EQ(g.score, 518u);
}
