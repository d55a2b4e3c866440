#include <gtest/gtest.h>

#include <cstdint>

#include "vector/CURSOR.h"
#include "support/support.h"

TEST(CursorWrap, StepsAndIndices)
{
    CURSOR* c = CURSOR_new();
    c->step = -1;
    CURSOR_advance(c);
    EXPECT_EQ(c->index, 3);   // never negative
    for (const auto& [value, index] : {std::pair{-5, 3}, {9, 1}, {-4, 0}, {4, 0}}) {
        CURSOR_setIndex(c, value);
        EXPECT_EQ(c->index, index) << value;
    }
    CURSOR_setIndex(c, 1);
    c->step = INT32_MAX;
    CURSOR_advance(c);
    EXPECT_EQ(c->index, (1 + 3) % 4);   // 2^31 - 1 = 3 mod 4, without overflow
    CURSOR_save(c);
    CURSOR_set(c, "ab", 2, 1);
    EXPECT_EQ(c->index, 0);
    c->mark = 3;   // saved over the longer text
    CURSOR_restore(c);
    EXPECT_EQ(c->index, 1);

    EXPECT_EQ(support::printed(CURSOR_debug, [&] {
        CURSOR_set(c, "", 0, 1);   // an empty text cannot be walked
        CURSOR_advance(nullptr);
    }), "CURSOR Error.\nCURSOR Error.\n");
    EXPECT_EQ(c->length, 2);
    CURSOR_free(&c);
}
