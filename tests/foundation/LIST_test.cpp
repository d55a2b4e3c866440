#include <gtest/gtest.h>

#include <string>

#include "foundation/LIST.h"
#include "support/support.h"

namespace {

int items[8];

LIST* listOf(int n)
{
    LIST* l = LIST_new();
    for (int i = 0; i < n; ++i) LIST_push(l, &items[i]);
    return l;
}

}  // namespace

TEST(ListGrowth, DoublesAndKeepsOrder)
{
    LIST* l = listOf(3);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->capacity, 4);
    EXPECT_EQ(l->count, 3);
    EXPECT_EQ(LIST_get(l, 2), &items[2]);
    LIST_insert(l, &items[5], 0);
    LIST_insert(l, &items[6], 5);   // out of range: nothing
    LIST_insert(l, &items[6], 4);   // appends, growing to 8
    EXPECT_EQ(l->capacity, 8);
    EXPECT_EQ(LIST_get(l, 0), &items[5]);
    EXPECT_EQ(LIST_get(l, 1), &items[0]);
    EXPECT_EQ(LIST_get(l, 4), &items[6]);
    EXPECT_EQ(LIST_pop(l), &items[6]);
    EXPECT_EQ(LIST_indexOf(l, &items[2]), 3);
    EXPECT_EQ(LIST_indexOf(l, &items[7]), -1);
    LIST_free(&l);
    EXPECT_EQ(l, nullptr);
}

TEST(ListDelete, MovesDownAndClearsTheFreedSlot)
{
    LIST* l = listOf(3);
    LIST_delete(l, 0);
    EXPECT_EQ(l->count, 2);
    EXPECT_EQ(l->items[0], &items[1]);
    EXPECT_EQ(l->items[1], &items[2]);
    EXPECT_EQ(l->items[2], nullptr);
    LIST_setCount(l, 4);   // slot 3 was never written: null
    EXPECT_EQ(LIST_get(l, 2), nullptr);
    EXPECT_EQ(LIST_get(l, 3), nullptr);
    LIST_free(&l);
}

TEST(ListCompare, SamePointersSameOrder)
{
    LIST* a = listOf(3);
    LIST* b = LIST_clone(a);
    EXPECT_TRUE(LIST_equal(a, b));
    LIST_set(b, &items[2], 0);
    LIST_set(b, &items[0], 2);
    EXPECT_FALSE(LIST_equal(a, b));
    EXPECT_TRUE(LIST_equal(nullptr, nullptr));
    EXPECT_FALSE(LIST_equal(a, nullptr));
    LIST_free(&a);
    LIST_free(&b);
}

TEST(ListRanges, SublistDeleteAndInsert)
{
    LIST* l = listOf(5);
    LIST* s = LIST_sublist(l, 1, 4);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->count, 3);
    EXPECT_EQ(LIST_get(s, 0), &items[1]);
    EXPECT_EQ(LIST_get(s, 2), &items[3]);
    LIST_deleteRange(l, 1, 3);
    ASSERT_EQ(l->count, 3);
    EXPECT_EQ(LIST_get(l, 1), &items[3]);
    EXPECT_EQ(LIST_get(l, 2), &items[4]);
    LIST_insertRange(s, l, 0, 2, 1);   // items 1, 2 back into place
    ASSERT_EQ(l->count, 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(LIST_get(l, i), &items[i]) << i;
    // A list into itself: the range is taken before anything moves.
    LIST_insertRange(l, l, 0, 3, 1);
    ASSERT_EQ(l->count, 8);
    const int order[8] = {0, 0, 1, 2, 1, 2, 3, 4};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(LIST_get(l, i), &items[order[i]]) << i;
    LIST_free(&l);
    LIST_free(&s);
}

TEST(ListErrors, ReportAndGiveNeutralResults)
{
    LIST* l = listOf(2);
    std::string expected;
    for (int i = 0; i < 8; ++i) expected += "LIST error\n";
    EXPECT_EQ(support::printed(LIST_debug, [&] {
                  EXPECT_EQ(LIST_get(l, 2), nullptr);
                  EXPECT_EQ(LIST_get(l, -1), nullptr);
                  EXPECT_EQ(LIST_indexOf(l, nullptr), -1);
                  EXPECT_EQ(LIST_sublist(l, 1, 1), nullptr);
                  LIST_deleteRange(l, 0, 3);
                  LIST_setCount(l, -1);
                  LIST_pop(nullptr);
                  LIST_pop(l);
                  LIST_pop(l);
                  EXPECT_EQ(LIST_pop(l), nullptr);   // empty
              }),
              expected);
    // A list shrunk to nothing still grows when pushed.
    EXPECT_TRUE(LIST_setCapacity(l, 0));
    LIST_push(l, &items[0]);
    EXPECT_EQ(l->capacity, 2);
    EXPECT_EQ(LIST_get(l, 0), &items[0]);
    LIST_free(&l);
}
