#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <string>

#include "foundation/RANDOM.h"
#include "vector/LOGOFLY.h"
#include "support/support.h"
#include "support/vector.h"

TEST(LogoflyState, RandomSettingsPhasesAndFortyLettersOnTheWave)
{
    RANDOM_srand(5);
    LOGOFLY* logo = LOGOFLY_new();   // the first three 30-bit draws after seed 5
    EXPECT_EQ(std::tuple(logo->speed, logo->step, logo->amplitude), std::tuple(21, 2, 26));

    logo->phase = 1000;   // a full step wraps the phase at 1024
    logo->speed = 20;
    LOGOFLY_stepFull(logo);
    EXPECT_EQ(logo->phase, 1020);
    LOGOFLY_stepFull(logo);
    EXPECT_EQ(logo->phase, 16);

    LOGOFLY* copy = LOGOFLY_clone(logo);
    EXPECT_TRUE(LOGOFLY_equal(logo, copy));
    copy->amplitude += 1;
    EXPECT_FALSE(LOGOFLY_equal(logo, copy));
    LOGOFLY_copy(logo, copy);
    EXPECT_TRUE(LOGOFLY_equal(logo, copy));
    LOGOFLY_free(&copy);

    support::Picture target(256, 64);
    LFONT* f = support::dotFont();
    f->target = target.img;
    logo->phase = 0;
    logo->font = f;
    logo->target = target.img;
    logo->y = 40;
    logo->amplitude = 32;
    logo->step = 128;   // letters at phases 0, 128, 256, 384, 0, ...
    const std::string text(41, 'W');
    logo->text = text.c_str();
    logo->color = 0x00ff00;
    LOGOFLY_draw(logo);
    EXPECT_EQ(target.count(0x00ff00), 40);
    EXPECT_EQ(target.at(4, 40 - 22), 0x00ff00u);   // 23169 * 32 >> 15 = 22

    EXPECT_EQ(support::printed(LOGOFLY_debug, [&] {
        logo->target = nullptr;
        LOGOFLY_draw(logo);
    }), "LOGOFLY error\n");
    LOGOFLY_free(&logo);
    LFONT_free(&f);
}
