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

TEST(IntHelpers, WrapAroundArithmetic)
{
    struct Case { std::int32_t got, want; };
    for (const Case& c : {Case{INT_add(INT_MAX, 1), INT_MIN}, Case{INT_sub(INT_MIN, 1), INT_MAX},
                          Case{INT_mul(0x10000, 0x10000), 0}, Case{INT_mul(-3, 5), -15},
                          Case{INT_shl(1, 31), INT_MIN}, Case{INT_shl(-1, 8), -256},
                          Case{INT_div(INT_MIN, -1), INT_MIN}, Case{INT_div(5, -1), -5}, Case{INT_div(-7, 2), -3}, Case{INT_div(7, 0), 0},
                          Case{INT_wrap(0xFFFFFFFFu), -1}, Case{INT_wrap64(0x1'0000'0005), 5}, Case{INT_wrap64(-2), -2}})
        EXPECT_EQ(c.got, c.want);
    EXPECT_EQ(INT_u(-1), 0xFFFFFFFFu);
    static_assert(INT_add(2, 3) == 5);
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
