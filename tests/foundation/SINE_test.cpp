#include <gtest/gtest.h>

#include "foundation/SINE.h"

TEST(SineTable, FiguresMirroredQuartersAndTrailingZero)
{
    struct Case { int index, value; };
    for (const Case c : {Case{0, 0}, {1, 201}, {2, 402}, {3, 603}, {4, 804}, {129, 23312}, {183, 29535}, {255, 32766},
                         {256, 32766}, {511, 0}, {767, -32766}, {1024, 0}})
        EXPECT_EQ(SINE_table[c.index], c.value) << c.index;
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(SINE_table[256 + i], SINE_table[255 - i]) << i;
        EXPECT_EQ(SINE_table[512 + i], -SINE_table[i]) << i;
        EXPECT_EQ(SINE_table[768 + i], -SINE_table[255 - i]) << i;
    }
}

TEST(SineTable, LookupMasksAndScaleWrapsAndRoundsDown)
{
    EXPECT_EQ(SINE_at(1024 + 4), 804);
    EXPECT_EQ(SINE_at(-1), SINE_table[1023]);
    EXPECT_EQ(SINE_at(0xFFFFFC04u), 804);
    struct Case { std::int32_t angle, amplitude, want; };
    for (const Case c : {Case{100, 64, 36}, {612, 64, -37}, {256, 0x10000, 65532}, {256, 0x20000, -8}})   // the last wraps past 2^31
        EXPECT_EQ(SINE_scale(c.angle, c.amplitude), c.want) << c.angle << " " << c.amplitude;
}
