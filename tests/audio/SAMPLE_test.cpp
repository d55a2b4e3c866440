#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "audio/SAMPLE.h"
#include "support/support.h"

namespace {

SAMPLE* make(const std::vector<std::int32_t>& values)
{
    SAMPLE* s = SAMPLE_new();
    for (const std::int32_t v : values) SAMPLE_append(s, v);
    return s;
}

std::vector<std::int32_t> valuesOf(const SAMPLE* s)
{
    return std::vector<std::int32_t>(s->values, s->values + s->count);
}

}  // namespace

TEST(SampleStorage, NewSetCountAndGrowthFromZero)
{
    SAMPLE* s = SAMPLE_new();
    EXPECT_EQ(s->count, 0);
    EXPECT_EQ(s->capacity, 32);
    SAMPLE_setCount(s, 44100);
    EXPECT_EQ(s->count, 44100);
    EXPECT_EQ(SAMPLE_max(s), 0);
    EXPECT_EQ(SAMPLE_min(s), 0);

    SAMPLE_reserve(s, 0);
    EXPECT_EQ(s->capacity, 0);
    EXPECT_EQ(s->values, nullptr);
    std::vector<std::int32_t> capacities;
    for (int i = 0; i < 5; ++i) {
        SAMPLE_append(s, i);
        capacities.push_back(s->capacity);
    }
    EXPECT_EQ(capacities, (std::vector<std::int32_t>{1, 2, 4, 4, 8}));

    // Shrinking keeps the leading values; growing within capacity shows
    // what the slots held.
    SAMPLE_setCount(s, 2);
    SAMPLE_setCount(s, 5);
    EXPECT_EQ(valuesOf(s), (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
    SAMPLE_free(&s);
    EXPECT_EQ(s, nullptr);

    SAMPLE* t = SAMPLE_new();
    SAMPLE_reserve(t, 0);
    SAMPLE_insert(t, 7, 0);   // one slot, then doubled
    EXPECT_EQ(t->capacity, 2);
    SAMPLE_insert(t, 5, 0);
    SAMPLE_insert(t, 6, 1);
    SAMPLE_remove(t, 0);
    EXPECT_EQ(valuesOf(t), (std::vector<std::int32_t>{6, 7}));
    SAMPLE_free(&t);
}

TEST(SampleStorage, IndexErrorsAreReportedAndNeutral)
{
    static SAMPLE* s;
    s = make({1, 2, 3});
    EXPECT_EQ(support::printed(SAMPLE_debug, [] { EXPECT_EQ(SAMPLE_get(s, 3), 0); }), "SAMPLE error\n");
    EXPECT_EQ(support::printed(SAMPLE_debug, [] { SAMPLE_set(s, -1, 9); SAMPLE_remove(s, 3); SAMPLE_insert(s, 9, 4); }),
              "SAMPLE error\nSAMPLE error\nSAMPLE error\n");
    EXPECT_EQ(support::printed(SAMPLE_debug, [] { SAMPLE_divide(s, 0); SAMPLE_line(s, 2, 0, 1, 0); SAMPLE_copyRange(s, s, 2, 2, 0); }),
              "SAMPLE error\nSAMPLE error\nSAMPLE error\n");
    EXPECT_EQ(support::printed(SAMPLE_debug, [] { SAMPLE_add(nullptr, s); EXPECT_EQ(SAMPLE_print(nullptr), nullptr); }),
              "SAMPLE error\nSAMPLE error\n");
    EXPECT_EQ(valuesOf(s), (std::vector<std::int32_t>{1, 2, 3}));
    SAMPLE_free(&s);
}

TEST(SampleArithmetic, RotateNormalizeAndWrap)
{
    SAMPLE* s = make({1, 2, 3});
    SAMPLE_rotateRight(s, 1);
    EXPECT_EQ(valuesOf(s), (std::vector<std::int32_t>{3, 1, 2}));
    SAMPLE_rotateRight(s, 4);
    EXPECT_EQ(valuesOf(s), (std::vector<std::int32_t>{2, 3, 1}));
    SAMPLE_rotateLeft(s, 2);
    EXPECT_EQ(valuesOf(s), (std::vector<std::int32_t>{1, 2, 3}));
    SAMPLE_rotateRight(s, -1);
    EXPECT_EQ(valuesOf(s), (std::vector<std::int32_t>{2, 3, 1}));
    SAMPLE_free(&s);

    s = make({-100, 50});
    SAMPLE_normalize(s, 32767);
    EXPECT_EQ(valuesOf(s), (std::vector<std::int32_t>{-32767, 16383}));
    SAMPLE_free(&s);
    s = make({0, 0});
    SAMPLE_normalize(s, 32767);
    EXPECT_EQ(valuesOf(s), (std::vector<std::int32_t>{0, 0}));
    SAMPLE_free(&s);

    s = make({INT32_MIN, INT32_MAX, -7, 7});
    SAMPLE* t = make({-1, 1, 2, 2});
    SAMPLE_divide(s, -1);
    EXPECT_EQ(valuesOf(s), (std::vector<std::int32_t>{INT32_MIN, -INT32_MAX, 7, -7}));
    SAMPLE_add(s, t);
    EXPECT_EQ(valuesOf(s), (std::vector<std::int32_t>{INT32_MAX, -INT32_MAX + 1, 9, -5}));
    SAMPLE_shiftRight(s, 33);   // refused
    SAMPLE_shiftRight(s, 32);   // by 0
    SAMPLE_shiftRight(s, 1);
    EXPECT_EQ(valuesOf(s), (std::vector<std::int32_t>{INT32_MAX / 2, -INT32_MAX / 2, 4, -3}));
    SAMPLE_add(t, t);
    EXPECT_EQ(valuesOf(t), (std::vector<std::int32_t>{-2, 2, 4, 4}));
    SAMPLE_free(&s);
    SAMPLE_free(&t);

    // Runs of eight and the tail: 19 values, the shorter count bounds the add.
    s = SAMPLE_new();
    t = SAMPLE_new();
    for (std::int32_t i = 0; i < 19; ++i) {
        SAMPLE_append(s, -i * 64);
        SAMPLE_append(t, i);
    }
    SAMPLE_setCount(t, 18);
    SAMPLE_add(s, t);
    SAMPLE_shiftRight(s, 5);
    EXPECT_EQ(s->values[0], 0);
    EXPECT_EQ(s->values[17], (-17 * 64 + 17) >> 5);
    EXPECT_EQ(s->values[18], -18 * 2);
    SAMPLE_free(&s);
    SAMPLE_free(&t);
}

TEST(SampleArithmetic, LineRamps)
{
    SAMPLE* s = SAMPLE_new();
    SAMPLE_setCount(s, 22050);
    SAMPLE_line(s, 0, 32767, 22049, 0);
    EXPECT_EQ(s->values[0], 32767);
    EXPECT_EQ(s->values[22049], 0);
    for (int i = 1; i < 22050; ++i) ASSERT_LE(s->values[i], s->values[i - 1]);
    SAMPLE_free(&s);

    // Shallow: five columns over a rise of 2; one column, a tall rise.
    s = make({9, 9, 9, 9, 9});
    SAMPLE_line(s, 0, 0, 4, 2);
    EXPECT_EQ(valuesOf(s), (std::vector<std::int32_t>{0, 1, 1, 2, 2}));
    SAMPLE_line(s, 2, 32767, 2, 0);
    EXPECT_EQ(s->values[2], 32767);
    SAMPLE_free(&s);
}

TEST(SampleLessUsed, FindMatchesResampleAndMap)
{
    SAMPLE* a = make({5, 1, 2, 3, 1});
    SAMPLE* b = make({2, 3});
    EXPECT_EQ(SAMPLE_find(a, 1, 2), 4);
    EXPECT_EQ(SAMPLE_find(a, 8, -5), -1);
    EXPECT_EQ(SAMPLE_indexOfMin(a), 1);
    EXPECT_EQ(SAMPLE_matches(a, b, 2), 2);
    EXPECT_EQ(SAMPLE_bestOffset(a, b), 2);
    SAMPLE_insertSample(a, a, 1);
    EXPECT_EQ(valuesOf(a), (std::vector<std::int32_t>{5, 5, 1, 2, 3, 1, 1, 2, 3, 1}));
    SAMPLE_resample(b, 5);
    EXPECT_EQ(valuesOf(b), (std::vector<std::int32_t>{2, 2, 2, 3, 3}));
    SAMPLE_mapRange(a, -10, 30);
    EXPECT_EQ(valuesOf(a), (std::vector<std::int32_t>{30, 30, -10, 0, 10, -10, -10, 0, 10, -10}));
    SAMPLE_free(&a);
    SAMPLE_free(&b);

    const std::uint8_t bytes[] = {0x00, 0x7F, 0x80, 0xFF};
    SAMPLE* c = SAMPLE_fromBytes(bytes);
    EXPECT_EQ(valuesOf(c), (std::vector<std::int32_t>{0, 127, -128, -1}));
    SAMPLE_free(&c);
}

TEST(SampleText, PrintParseRoundTrip)
{
    SAMPLE* s = make({5, -3});
    char* text = SAMPLE_print(s);
    EXPECT_STREQ(text, "SAMPLE { 2\n5\n-3\n}\n");
    SAMPLE* back = SAMPLE_parse(text);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(SAMPLE_equal(s, back));
    std::free(text);
    SAMPLE_free(&back);
    SAMPLE_setCount(s, 0);
    text = SAMPLE_print(s);
    EXPECT_STREQ(text, "SAMPLE { 0 }\n");
    back = SAMPLE_parse(text);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->count, 0);
    std::free(text);
    SAMPLE_free(&back);
    SAMPLE_free(&s);

    back = SAMPLE_parse("x SAMPLE {3: a-7,b 8;-2147483648 }");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(valuesOf(back), (std::vector<std::int32_t>{-7, 8, INT32_MIN}));
    SAMPLE_free(&back);
}

TEST(SampleText, ParseRefusesShortTextsAndHugeCounts)
{
    for (const char* bad : {"", "SAMPLE", "SAMPLE {", "SAMPLE { 2\n1\n", "SAMPLE { 2\n1\n2\n",
                            "SAMPLE { 2147483648\n1\n}", "SAMPLE { 2000000000\n1\n}",
                            "SAMPLE { 1\n2147483648\n}", "SAMPLE { 99999999999999999999 }"})
        EXPECT_EQ(SAMPLE_parse(bad), nullptr) << bad;
    EXPECT_EQ(SAMPLE_parse(nullptr), nullptr);
}
