#include <gtest/gtest.h>

#include <cstdint>

#include "vector/WORDZOOM.h"
#include "support/support.h"
#include "support/vector.h"

TEST(WordzoomWords, DefaultListRevealAndTheNewestLetterFlyingIn)
{
    WORDZOOM* z = WORDZOOM_new();
    EXPECT_EQ(z->words->count, 26);
    EXPECT_EQ(z->x, (256 - 4 * 2 * 16) / 2);
    EXPECT_GE(z->y, 85);
    EXPECT_LT(z->y, 170);
    for (std::int32_t i = 0; i < 4; ++i) EXPECT_EQ(z->colors[i] >> 16, 0x80u);

    z->delay = 2;
    z->counter = 2;
    WORDZOOM_step(z);
    WORDZOOM_step(z);
    EXPECT_EQ(z->revealed, 0);
    WORDZOOM_step(z);
    EXPECT_STREQ(z->letters, "Q");
    for (std::int32_t i = 0; i < 9; ++i) WORDZOOM_step(z);
    EXPECT_STREQ(z->letters, "QORN");
    for (std::int32_t i = 0; i < 2 + 16 + 1; ++i) WORDZOOM_step(z);   // fly in, hold, next
    EXPECT_EQ(z->current, 1);
    EXPECT_EQ(z->revealed, 0);

    WORDZOOM_setText(z, "\n\nAB\n\nC");
    EXPECT_EQ(z->words->count, 2);
    EXPECT_EQ(z->current, 0);
    EXPECT_EQ(support::printed(WORDZOOM_debug, [&] {
        WORDZOOM_setText(z, "\n\n");
        WORDZOOM_draw(z, nullptr);
    }), "WORDZOOM error\nWORDZOOM error\n");
    EXPECT_EQ(z->words->count, 2);
    WORDZOOM_free(&z);

    support::Picture target(256, 256);
    LFONT* f = support::dotFont();
    f->size->x = f->size->y = 16;
    z = WORDZOOM_new();
    z->font = f;
    z->y = 100;
    z->delay = 4;
    z->counter = 0;
    WORDZOOM_step(z);   // "Q" revealed, counter 4: copies at scales 10 down to 3
    WORDZOOM_draw(z, target.img);
    const std::int32_t cx = z->x + 16;   // centre of the letter's 2-cell box
    const std::int32_t cy = z->y + 16;
    EXPECT_NE(target.at(cx - 80, cy - 80), 0u);   // the largest copy, scale 10
    EXPECT_NE(target.at(cx - 24, cy - 24), 0u);   // the smallest, scale 3
    EXPECT_EQ(target.at(cx - 16, cy - 16), 0u);

    IMG_clear(target.img, 0);
    z->counter = 0;   // landed: once, at scale 2
    WORDZOOM_draw(z, target.img);
    EXPECT_EQ(target.count(0), 256 * 256 - 1);
    EXPECT_NE(target.at(cx - 16, cy - 16), 0u);
    WORDZOOM_free(&z);
    LFONT_free(&f);
}
