#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// The list as indices into items, -1 for a null slot.
std::vector<int> order(const LIST* l)
{
    std::vector<int> v;
    for (std::int32_t i = 0; i < l->count; ++i) v.push_back(l->items[i] == nullptr ? -1 : static_cast<int>(static_cast<int*>(l->items[i]) - items));
    return v;
}

using Order = std::vector<int>;

}  // namespace

TEST(ListGrowth, DoublesKeepsOrderAndClearsFreedSlots)
{
    LIST* l = listOf(3);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->capacity, 4);
    LIST_insert(l, &items[5], 0);
    LIST_insert(l, &items[6], 5);   // out of range: nothing
    LIST_insert(l, &items[6], 4);   // appends, growing to 8
    EXPECT_EQ(l->capacity, 8);
    EXPECT_EQ(order(l), (Order{5, 0, 1, 2, 6}));
    EXPECT_EQ(LIST_pop(l), &items[6]);
    EXPECT_EQ(LIST_indexOf(l, &items[2]), 3);
    EXPECT_EQ(LIST_indexOf(l, &items[7]), -1);
    LIST_delete(l, 0);
    EXPECT_EQ(order(l), (Order{0, 1, 2}));
    EXPECT_EQ(l->items[3], nullptr);   // the freed slot
    LIST_setCount(l, 6);               // popped slot 4 is not cleared; slot 5 was never written
    EXPECT_EQ(order(l), (Order{0, 1, 2, -1, 6, -1}));
    LIST* b = listOf(3);
    LIST_setCount(l, 3);
    EXPECT_TRUE(LIST_equal(l, b));
    LIST_set(b, &items[2], 0);
    LIST_set(b, &items[0], 2);
    EXPECT_FALSE(LIST_equal(l, b));   // the same pointers, not the same order
    EXPECT_TRUE(LIST_equal(nullptr, nullptr));
    EXPECT_FALSE(LIST_equal(l, nullptr));
    LIST_free(&l);
    LIST_free(&b);
}

TEST(ListRanges, SublistCloneDeleteAndInsert)
{
    LIST* l = listOf(5);
    LIST* s = LIST_sublist(l, 1, 4);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(order(s), (Order{1, 2, 3}));
    LIST* c = LIST_clone(l);
    EXPECT_TRUE(LIST_equal(c, l));
    LIST_deleteRange(l, 1, 3);
    EXPECT_EQ(order(l), (Order{0, 3, 4}));
    LIST_insertRange(s, l, 0, 2, 1);   // items 1, 2 back into place
    EXPECT_EQ(order(l), (Order{0, 1, 2, 3, 4}));
    LIST_insertRange(l, l, 0, 3, 1);   // a list into itself: the range is taken before anything moves
    EXPECT_EQ(order(l), (Order{0, 0, 1, 2, 1, 2, 3, 4}));
    LIST_free(&l);
    LIST_free(&s);
    LIST_free(&c);
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
