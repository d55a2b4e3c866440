#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/ARRAY.h"
#include "support/support.h"

namespace {

std::vector<std::int32_t> contents(const ARRAY* a)
{
    std::vector<std::int32_t> v(static_cast<std::size_t>(a->count), -99);
    for (std::int32_t i = 0; i < a->count; ++i) ARRAY_get(a, &v[static_cast<std::size_t>(i)], i);
    return v;
}

ARRAY* ints(std::initializer_list<std::int32_t> values)
{
    ARRAY* a = ARRAY_new();
    for (std::int32_t v : values) ARRAY_push(a, &v);
    return a;
}

}  // namespace

TEST(ArrayShifting, GrowInsertDeleteAndFind)
{
    ARRAY* a = ints({1, 2, 3});   // two slots, doubled once
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->capacity, 4);
    std::int32_t v = 9;
    ARRAY_insert(a, &v, 1);
    v = 5;
    ARRAY_insert(a, &v, a->count);   // appends, growing the full array
    EXPECT_EQ(a->capacity, 8);
    EXPECT_EQ(contents(a), (std::vector<std::int32_t>{1, 9, 2, 3, 5}));
    ARRAY_delete(a, 0);
    ARRAY_delete(a, a->count - 1);
    EXPECT_EQ(contents(a), (std::vector<std::int32_t>{9, 2, 3}));
    EXPECT_EQ(ARRAY_indexOf(a, &v), -1);
    v = 2;
    EXPECT_EQ(ARRAY_indexOf(a, &v), 1);
    EXPECT_TRUE(ARRAY_equalAt(a, &v, 1));
    ARRAY_free(&a);
}

TEST(ArrayElements, ElementSizePopCopyCloneAndPrint)
{
    ARRAY* a = ints({1, 2, 3});
    ASSERT_TRUE(ARRAY_setElementSize(a, 3));   // empties the array
    EXPECT_EQ(a->count, 0);
    EXPECT_EQ(ARRAY_pop(a), nullptr);
    ARRAY_push(a, "ab\0");
    ARRAY_push(a, "xyz");
    ARRAY* b = ARRAY_clone(a);
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(ARRAY_equal(a, b));
    ARRAY_set(b, "xyw", 1);
    EXPECT_FALSE(ARRAY_equal(a, b));
    char* text = ARRAY_print(a);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text, 16), std::string("ARRAY{\nab\0xyz\n}\n", 16));
    std::free(text);
    char* copy = static_cast<char*>(ARRAY_getCopy(a, 0));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(std::memcmp(copy, "ab\0", 3), 0);
    std::free(copy);
    char* last = static_cast<char*>(ARRAY_pop(a));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(std::memcmp(last, "xyz", 3), 0);
    EXPECT_EQ(a->count, 1);
    std::free(last);
    ARRAY_clear(a);
    EXPECT_EQ(a->count, 0);
    EXPECT_TRUE(ARRAY_equal(nullptr, nullptr));
    EXPECT_FALSE(ARRAY_equal(a, nullptr));
    ARRAY_free(&a);
    ARRAY_free(&b);
}

TEST(ArrayErrors, ReportAndLeaveTheArrayAlone)
{
    ARRAY* a = ints({4, 5});
    std::int32_t v = 1;
    std::string expected;
    for (int i = 0; i < 8; ++i) expected += "ARRAY error\n";
    EXPECT_EQ(support::printed(ARRAY_debug, [&] {
                  ARRAY_get(a, &v, 2);
                  ARRAY_set(a, &v, -1);
                  ARRAY_insert(a, &v, 3);
                  ARRAY_delete(a, 2);
                  EXPECT_EQ(ARRAY_getCopy(a, 5), nullptr);
                  EXPECT_EQ(ARRAY_indexOf(a, nullptr), -1);
                  EXPECT_FALSE(ARRAY_setElementSize(a, 0));
                  ARRAY_push(nullptr, &v);
              }),
              expected);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(a->elementSize, 4);
    EXPECT_EQ(contents(a), (std::vector<std::int32_t>{4, 5}));
    ARRAY_free(&a);
    testing::internal::CaptureStdout();
    ARRAY_selfTest();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Creation of new ARRAY...done!\n"), std::string::npos);
    EXPECT_NE(out.find("ARRAY{\nzero!firstthirdforth\n}\n"), std::string::npos);
}
