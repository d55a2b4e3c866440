#include <gtest/gtest.h>

#include "foundation/CURSORX.h"

TEST(CursorxBase, NegativeValuesWrapIntoTheCycle)
{
    CURSORX* c = CURSORX_new();   // 1024 entries
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(CURSORX_setBase(c, -1), 1023);
    EXPECT_EQ(c->base, 1023);
    EXPECT_EQ(CURSORX_setBase(c, -1024), 0);
    EXPECT_EQ(c->base, 1024);                  // a negative multiple gives the length
    EXPECT_EQ(CURSORX_setBase(c, 2050), 2);
    EXPECT_EQ(CURSORX_setOffset(c, -3), 1023);   // base 2 - 3: the sum -1 is the last entry
    EXPECT_EQ(CURSORX_reset(c, 7), 7);
    EXPECT_EQ(c->offset, 0);
    CURSORX_free(&c);
}

TEST(CursorxMotion, AdvanceStepCopyAndZeroLength)
{
    CURSORX c{};
    CURSORX_set(&c, 1024, 1020, 10, 0, 3);
    EXPECT_EQ(CURSORX_advance(&c), 6);
    EXPECT_EQ(c.base, 6);
    EXPECT_EQ(CURSORX_step(&c), 9);
    EXPECT_EQ(CURSORX_step(&c), 12);
    c.speed = -2050;
    EXPECT_EQ(CURSORX_advance(&c), 10);  // base 6 - 2050 wraps to 4
    CURSORX_setLength(&c, 7);            // base 4 stays, position (4 + 6) mod 7
    EXPECT_EQ(c.position, 3);
    CURSORX b{};
    b.position = 77;
    CURSORX_copy(&c, &b);                // all but the position
    EXPECT_EQ(b.position, 77);
    EXPECT_EQ(b.base, 4);
    EXPECT_EQ(b.offset, 6);
    EXPECT_EQ(CURSORX_setLength(&b, -1), 0);   // refused
    EXPECT_EQ(b.length, 7);
    b.speed = 2;
    CURSORX_setLength(&b, 0);
    EXPECT_EQ(CURSORX_advance(&b), 77);        // nothing to wrap into; position kept
    EXPECT_EQ(b.base, 6);
    EXPECT_EQ(CURSORX_step(nullptr), 0);
}
