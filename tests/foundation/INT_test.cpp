#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "foundation/INT.h"

TEST(IntHelpers, BoundaryFiguresAndWrapAround)
{
    struct Case { std::int32_t got, want; };
    for (const Case& c : {Case{INT_bitLength(8), 4}, {INT_bitLength(7), 3}, {INT_bitLength(0), 0}, {INT_bitLength(-5), 0},
                          {INT_sqrt(99), 9}, {INT_sqrt(100), 10}, {INT_sqrt(1), 1}, {INT_sqrt(3), 1}, {INT_sqrt(INT_MAX), 46340},
                          {INT_abs(-5), 5}, {INT_abs(INT_MIN), INT_MIN},
                          {INT_add(INT_MAX, 1), INT_MIN}, {INT_sub(INT_MIN, 1), INT_MAX},
                          {INT_mul(0x10000, 0x10000), 0}, {INT_mul(-3, 5), -15}, {INT_shl(1, 31), INT_MIN}, {INT_shl(-1, 8), -256},
                          {INT_div(INT_MIN, -1), INT_MIN}, {INT_div(5, -1), -5}, {INT_div(-7, 2), -3}, {INT_div(7, 0), 0},
                          {INT_wrap(0xFFFFFFFFu), -1}, {INT_wrap64(0x1'0000'0005), 5}, {INT_wrap64(-2), -2}})
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
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "INT: ERROR.\nINT: ERROR.\n"
                                                      "00000000000000000000000000000101"
                                                      "11111111111111111111111111111110");
}
