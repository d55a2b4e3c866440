#include <gtest/gtest.h>

#include "effects/FLASHPIX.h"

TEST(Flashpix, RecordWithoutEffect)
{
    FLASHPIX* a = FLASHPIX_new();
    ASSERT_NE(a, nullptr);
    FLASHPIX* b = FLASHPIX_clone(a);
    EXPECT_FALSE(FLASHPIX_equal(a, b));
    EXPECT_EQ(FLASHPIX_print(a), nullptr);
    FLASHPIX_free(&b);
    FLASHPIX_free(&a);
    EXPECT_EQ(a, nullptr);
}
