#include <gtest/gtest.h>

#include <utility>

#include "audio/SAMPLE.h"
#include "effects/RAINBOW.h"

TEST(Rainbow, WheelCornerEntries)
{
    SAMPLE* wheel = RAINBOW_new();
    ASSERT_NE(wheel, nullptr);
    ASSERT_EQ(wheel->count, 1536);
    const std::pair<int, std::int32_t> entries[] = {{0, 0x00FF00},    {255, 0x00FFFF},  {384, 0x007FFF},  {512, 0x0000FF}, {640, 0x8000FF},
                                                    {768, 0xFF00FF}, {1024, 0xFF0000}, {1280, 0xFFFF00}, {1535, 0x00FF00}};
    for (auto [i, want] : entries) EXPECT_EQ(wheel->values[i], want) << i;
    SAMPLE_free(&wheel);
}
