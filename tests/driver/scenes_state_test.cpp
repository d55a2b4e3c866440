#include <gtest/gtest.h>

#include "driver/QORN7316_state.h"
#include "foundation/LIST.h"
#include "platform/MOUSE.h"

namespace {

IMG* solid(std::int32_t size, std::uint32_t colour)
{
    IMG* image = IMG_new();
    IMG_setSize(image, size, size);
    IMG_clear(image, colour);
    return image;
}

// A game with solid square flowers, all far below the pointer except flower 7.
struct Game {
    MOUSE pointerSprite{};
    IMG* sprite = solid(16, 0xFFFFFF);
    LIST* pictures = LIST_new();

    Game()
    {
        if (frame == nullptr) frame = solid(256, 0);
        QORN7316_FLOWERS& g = flowersState;
        for (int k = 0; k < QORN7316_FLOWER_COUNT; ++k) LIST_push(pictures, solid(32, 0x00FF00));
        g = QORN7316_FLOWERS{};
        g.pictures = pictures;
        g.rotated = solid(48, 0);
        g.enlarged = solid(64, 0);
        g.selected = g.lastCaught = -1;
        g.wind = 0;
        g.fall = 1;
        g.made = 1;
        for (auto& row : g.tiles) {
            for (auto& cell : row) cell = -1;
        }
        for (int i = 0; i < QORN7316_FLOWER_COUNT; ++i) {
            g.x[i] = 8 * i;
            g.y[i] = 160;
        }
        pointerSprite.sprite = sprite;
        put(7);
    }

    ~Game()
    {
        QORN7316_FLOWERS& g = flowersState;
        while (pictures->count > 0) {
            IMG* p = static_cast<IMG*>(LIST_pop(pictures));
            IMG_free(&p);
        }
        LIST_free(&pictures);
        IMG_free(&g.rotated);
        IMG_free(&g.enlarged);
        IMG_free(&sprite);
        g = QORN7316_FLOWERS{};
    }

    static void put(std::int32_t i)
    {
        flowersState.x[i] = 100;
        flowersState.y[i] = 20;
        flowersState.angle[i] = 0;
    }

    // One frame of flowers with the pointer at (x, y).
    void step(std::int32_t x, std::int32_t y, std::int32_t buttons)
    {
        pointerSprite.x = x;
        pointerSprite.y = y;
        pointerSprite.buttons = buttons;
        QORN7316_flowersMove(&pointerSprite);
    }
};

}  // namespace

TEST(FlowersGame, ButtonHeldBeforeTouchingDoesNotCatch)
{
    Game game;
    QORN7316_FLOWERS& g = flowersState;
    game.step(0, 100, 1);   // pressed over nothing
    EXPECT_EQ(g.held, 1);
    EXPECT_EQ(g.selected, -1);
    game.step(120, 40, 1);   // still held, now over flower 7
    EXPECT_EQ(g.selected, 7);
    game.step(120, 40, 1);
    EXPECT_EQ(g.score, 0u);
    EXPECT_EQ(g.angle[7], 0);   // held flowers stop spinning
    EXPECT_EQ(g.tiles[0][0], -1);
    game.step(120, 40, 0);   // released over the flower
    EXPECT_EQ(g.held, 0);
    EXPECT_EQ(g.selected, 7);
    game.step(120, 40, 1);   // pressed while touching: caught
    EXPECT_EQ(g.score, 1u);
    EXPECT_EQ(g.selected, -1);
    EXPECT_EQ(g.lastCaught, 7);
    EXPECT_EQ(g.tiles[0][0], 7);
    EXPECT_EQ(g.tileColumn, 1);
    EXPECT_EQ(g.y[7], -48);   // back at the top
}

TEST(FlowersGame, SameNumberTwiceScoresFive)
{
    Game game;
    QORN7316_FLOWERS& g = flowersState;
    game.step(120, 40, 0);
    game.step(120, 40, 1);
    ASSERT_EQ(g.score, 1u);
    Game::put(7);
    game.step(120, 40, 1);   // the same press does not catch again
    EXPECT_EQ(g.score, 1u);
    EXPECT_EQ(g.selected, 7);
    game.step(120, 40, 0);
    game.step(120, 40, 1);
    EXPECT_EQ(g.score, 6u);
    EXPECT_EQ(g.tiles[0][1], 7);
    Game::put(9);
    game.step(250, 0, 0);   // away from every flower
    EXPECT_EQ(g.selected, -1);
    game.step(120, 40, 0);
    game.step(120, 40, 1);
    EXPECT_EQ(g.lastCaught, 9);
    EXPECT_EQ(g.score, 7u);
}

TEST(FlowersGame, TileMapWrapsAfter512Catches)
{
    Game game;
    QORN7316_FLOWERS& g = flowersState;
    for (int n = 0; n < 512; ++n) QORN7316_flowersCatch(n % 31);
    EXPECT_EQ(g.tileColumn, 0);
    EXPECT_EQ(g.tileRow, 0);
    EXPECT_EQ(g.tiles[0][31], 31 % 31);
    EXPECT_EQ(g.tiles[1][0], 32 % 31);
    EXPECT_EQ(g.tiles[15][31], 511 % 31);
    EXPECT_EQ(g.score, 512u);   // never the same number twice in a row
    QORN7316_flowersCatch(30);
    EXPECT_EQ(g.tiles[0][0], 30);   // the oldest tile is overwritten
    EXPECT_EQ(g.tileColumn, 1);
    QORN7316_flowersCatch(30);
    EXPECT_EQ(g.score, 518u);
}
