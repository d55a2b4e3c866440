#include <gtest/gtest.h>

#include "audio/SAMPLE.h"
#include "effects/RAINBOW.h"

TEST(Rainbow, WheelCornerEntries)
{
    SAMPLE* wheel = RAINBOW_new();
    ASSERT_NE(wheel, nullptr);
    ASSERT_EQ(wheel->count, 1536);
    EXPECT_EQ(wheel->values[0], 0x00FF00);
    EXPECT_EQ(wheel->values[255], 0x00FFFF);
    EXPECT_EQ(wheel->values[256], 0x00FFFF);
    EXPECT_EQ(wheel->values[512], 0x0000FF);
    EXPECT_EQ(wheel->values[768], 0xFF00FF);
    EXPECT_EQ(wheel->values[1024], 0xFF0000);
    EXPECT_EQ(wheel->values[1280], 0xFFFF00);
    EXPECT_EQ(wheel->values[1535], 0x00FF00);
    EXPECT_EQ(wheel->values[640], 0x8000FF);
    SAMPLE_free(&wheel);
}
