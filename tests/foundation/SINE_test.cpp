#include <gtest/gtest.h>

#include "foundation/SINE.h"

TEST(SineTable, FirstQuarterFigures)
{
    EXPECT_EQ(SINE_table[0], 0);
    EXPECT_EQ(SINE_table[1], 201);
    EXPECT_EQ(SINE_table[2], 402);
    EXPECT_EQ(SINE_table[3], 603);
    EXPECT_EQ(SINE_table[4], 804);
    EXPECT_EQ(SINE_table[129], 23312);
    EXPECT_EQ(SINE_table[183], 29535);
    EXPECT_EQ(SINE_table[255], 32766);
}

TEST(SineTable, MirroredQuartersAndTrailingZero)
{
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(SINE_table[256 + i], SINE_table[255 - i]) << i;
        EXPECT_EQ(SINE_table[512 + i], -SINE_table[i]) << i;
        EXPECT_EQ(SINE_table[768 + i], -SINE_table[255 - i]) << i;
    }
    EXPECT_EQ(SINE_table[256], 32766);
    EXPECT_EQ(SINE_table[511], 0);
    EXPECT_EQ(SINE_table[767], -32766);
    EXPECT_EQ(SINE_table[1024], 0);
    EXPECT_EQ(SINE_table[(0 + 256) & SINE_MASK], 32766);   // cosine of 0
}

TEST(SineTable, LookupMasksAndScaleWrapsAndRoundsDown)
{
    EXPECT_EQ(SINE_at(1024 + 4), 804);
    EXPECT_EQ(SINE_at(-1), SINE_table[1023]);
    EXPECT_EQ(SINE_at(0xFFFFFC04u), 804);
    EXPECT_EQ(SINE_scale(100, 64), 36);
    EXPECT_EQ(SINE_scale(612, 64), -37);
    EXPECT_EQ(SINE_scale(256, 0x10000), 65532);
    EXPECT_EQ(SINE_scale(256, 0x20000), -8);   // the product wraps past 2^31
}
