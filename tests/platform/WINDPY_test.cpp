#include <gtest/gtest.h>

#include "platform/HOST.h"
#include "platform/WINDPY.h"
#include "support/support.h"

TEST(WindpyShow, ConvertsToBottomUpBlueGreenRedRows)
{
    HOST_reset();
    WINDPY* display = WINDPY_new();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->width, 256);
    EXPECT_EQ(display->height, 256);
    WINDPY_setSize(display, 2, 2);
    const support::Picture img(2, 2);
    const std::uint32_t colours[4] = {0x112233u, 0x445566u, 0x778899u, 0xAABBCCu};
    for (int i = 0; i < 4; ++i) img.img->pixels[i] = colours[i];
    WINDPY_show(display, img.img);
    std::int32_t w = 0, h = 0;
    const std::uint8_t* rows = HOST_lastFrame(&w, &h);
    ASSERT_NE(rows, nullptr);
    EXPECT_TRUE(w == 2 && h == 2) << w << "x" << h;
    const std::uint8_t expected[12] = {0x99, 0x88, 0x77, 0xCC, 0xBB, 0xAA, 0x33, 0x22, 0x11, 0x66, 0x55, 0x44};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(rows[i], expected[i]) << i;
    EXPECT_EQ(HOST_presentedFrames(), 1u);
    WINDPY_free(&display);
    EXPECT_EQ(display, nullptr);
    EXPECT_EQ(WINDPY_current(), nullptr);
}

TEST(WindpyShow, RefusesAFrameOfAnotherSize)
{
    HOST_reset();
    WINDPY* display = WINDPY_new();
    const support::Picture small(256, 16);   // the width matches, the height does not
    const std::uint32_t number = WINDPY_frameNumber();
    WINDPY_show(display, small.img);
    WINDPY_show(display, nullptr);
    WINDPY_show(nullptr, small.img);
    EXPECT_EQ(HOST_presentedFrames(), 0u);
    EXPECT_EQ(WINDPY_frameNumber(), number);
    WINDPY_setSize(display, -1, 5);   // refused: the size stays
    EXPECT_EQ(display->width, 256);
    WINDPY_free(&display);
}
