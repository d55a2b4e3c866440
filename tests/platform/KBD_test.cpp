#include <gtest/gtest.h>

#include "platform/KBD.h"

TEST(KbdDispatch, CallsTheSelectedSlotOnly)
{
    KBD* kbd = KBD_new();
    ASSERT_NE(kbd, nullptr);
    kbd->handlers['G'] = [] { return std::int32_t{42}; };
    struct Case { std::int32_t key, result; };
    for (const Case c : {Case{0, 0}, {'G', 42}, {'H', 0}, {256, 0}, {-1, 0}}) {   // 256 and -1 lie outside the table
        kbd->key = c.key;
        EXPECT_EQ(KBD_dispatch(kbd), c.result) << c.key;
    }
    KBD_free(&kbd);
    EXPECT_EQ(KBD_dispatch(nullptr), 0);
}
