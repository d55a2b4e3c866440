#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "foundation/INT.h"

TEST(IntHelpers, BitLengthAndSquareRoot)
{
    EXPECT_EQ(INT_bitLength(8), 4);
    EXPECT_EQ(INT_bitLength(7), 3);
    EXPECT_EQ(INT_bitLength(0), 0);
    EXPECT_EQ(INT_bitLength(-5), 0);
    EXPECT_EQ(INT_sqrt(99), 9);
    EXPECT_EQ(INT_sqrt(100), 10);
    EXPECT_EQ(INT_sqrt(1), 1);
    EXPECT_EQ(INT_sqrt(3), 1);
    EXPECT_EQ(INT_sqrt(INT_MAX), 46340);
    EXPECT_EQ(INT_abs(-5), 5);
    EXPECT_EQ(INT_abs(INT_MIN), INT_MIN);
}

TEST(IntHelpers, ErrorsPrintWithoutTheFlagAndBinaryPrint)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(INT_sqrt(0), 0);
    EXPECT_EQ(INT_sqrt(-4), 0);
    INT_printBinary(5);
    INT_printBinary(-2);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "INT: ERROR.\nINT: ERROR.\n"
                   "00000000000000000000000000000101"
                   "11111111111111111111111111111110");
}
