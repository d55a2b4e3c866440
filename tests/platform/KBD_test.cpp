#include <gtest/gtest.h>

#include "platform/KBD.h"

namespace {

std::int32_t answer() { return 42; }

}  // namespace

TEST(KbdDispatch, CallsTheSelectedSlotOnly)
{
    KBD* kbd = KBD_new();
    ASSERT_NE(kbd, nullptr);
    EXPECT_EQ(kbd->key, 0);
    EXPECT_EQ(KBD_dispatch(kbd), 0);   // empty slot
    kbd->handlers['G'] = answer;
    kbd->key = 'G';
    EXPECT_EQ(KBD_dispatch(kbd), 42);
    kbd->key = 'H';
    EXPECT_EQ(KBD_dispatch(kbd), 0);
    kbd->key = 256;
    EXPECT_EQ(KBD_dispatch(kbd), 0);   // outside the table
    kbd->key = -1;
    EXPECT_EQ(KBD_dispatch(kbd), 0);
    KBD_free(&kbd);
    EXPECT_EQ(kbd, nullptr);
    EXPECT_EQ(KBD_dispatch(nullptr), 0);
}
