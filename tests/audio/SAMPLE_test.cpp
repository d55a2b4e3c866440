#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "audio/SAMPLE.h"
#include "support/support.h"

namespace {

using Values = std::vector<std::int32_t>;

// A sample holding values, freed at the end of the scope.
struct Sample {
    SAMPLE* s = SAMPLE_new();
    explicit Sample(const Values& values = {})
    {
        for (const std::int32_t v : values) SAMPLE_append(s, v);
    }
    ~Sample() { SAMPLE_free(&s); }
    Values values() const { return Values(s->values, s->values + s->count); }
};

}  // namespace

TEST(SampleStorage, GrowthFromZeroAndIndexErrors)
{
    Sample s;
    SAMPLE_setCount(s.s, 44100);   // new slots are zero
    EXPECT_EQ(SAMPLE_max(s.s), 0);
    EXPECT_EQ(SAMPLE_min(s.s), 0);
    SAMPLE_reserve(s.s, 0);
    EXPECT_EQ(s.s->values, nullptr);
    Values capacities;
    for (int i = 0; i < 5; ++i) {
        SAMPLE_append(s.s, i);
        capacities.push_back(s.s->capacity);
    }
    EXPECT_EQ(capacities, (Values{1, 2, 4, 4, 8}));
    // Shrinking keeps the leading values; growing within capacity shows what the slots held.
    SAMPLE_setCount(s.s, 2);
    SAMPLE_setCount(s.s, 5);
    EXPECT_EQ(s.values(), (Values{0, 1, 2, 3, 4}));
    SAMPLE_reserve(s.s, 0);
    SAMPLE_insert(s.s, 7, 0);   // one slot, then doubled
    EXPECT_EQ(s.s->capacity, 2);
    SAMPLE_insert(s.s, 5, 0);
    SAMPLE_insert(s.s, 6, 1);
    SAMPLE_remove(s.s, 0);
    EXPECT_EQ(s.values(), (Values{6, 7}));

    Sample e({1, 2, 3});
    std::string nine;
    for (int i = 0; i < 9; ++i) nine += "SAMPLE error\n";
    EXPECT_EQ(support::printed(SAMPLE_debug, [&] {
        EXPECT_EQ(SAMPLE_get(e.s, 3), 0);
        SAMPLE_set(e.s, -1, 9);
        SAMPLE_remove(e.s, 3);
        SAMPLE_insert(e.s, 9, 4);
        SAMPLE_divide(e.s, 0);
        SAMPLE_line(e.s, 2, 0, 1, 0);
        SAMPLE_copyRange(e.s, e.s, 2, 2, 0);
        SAMPLE_add(nullptr, e.s);
        EXPECT_EQ(SAMPLE_print(nullptr), nullptr);
    }), nine);
    EXPECT_EQ(e.values(), (Values{1, 2, 3}));
}

TEST(SampleArithmetic, RotateNormalizeDivideAddShiftLine)
{
    Sample r({1, 2, 3});
    struct Turn { bool right; std::int32_t k; Values after; };
    for (const Turn& t : {Turn{true, 1, {3, 1, 2}}, Turn{true, 4, {2, 3, 1}}, Turn{false, 2, {1, 2, 3}},
                          Turn{true, -1, {2, 3, 1}}, Turn{false, -1, {1, 2, 3}}}) {
        (t.right ? SAMPLE_rotateRight : SAMPLE_rotateLeft)(r.s, t.k);
        EXPECT_EQ(r.values(), t.after) << (t.right ? "right " : "left ") << t.k;
    }
    for (const auto& [before, after] : {std::pair<Values, Values>{{-100, 50}, {-32767, 16383}}, {{0, 0}, {0, 0}}}) {
        Sample n(before);
        SAMPLE_normalize(n.s, 32767);
        EXPECT_EQ(n.values(), after) << before[0];
    }

    Sample s({INT32_MIN, INT32_MAX, -7, 7});
    Sample t({-1, 1, 2, 2});
    SAMPLE_divide(s.s, -1);
    EXPECT_EQ(s.values(), (Values{INT32_MIN, -INT32_MAX, 7, -7}));
    SAMPLE_add(s.s, t.s);
    EXPECT_EQ(s.values(), (Values{INT32_MAX, -INT32_MAX + 1, 9, -5}));
    SAMPLE_shiftRight(s.s, 33);   // refused
    SAMPLE_shiftRight(s.s, 32);   // by 0
    SAMPLE_shiftRight(s.s, 1);
    EXPECT_EQ(s.values(), (Values{INT32_MAX / 2, -INT32_MAX / 2, 4, -3}));
    SAMPLE_add(t.s, t.s);
    EXPECT_EQ(t.values(), (Values{-2, 2, 4, 4}));

    // Shallow: five columns over a rise of 2; one column, a tall rise.
    Sample five({9, 9, 9, 9, 9});
    SAMPLE_line(five.s, 0, 0, 4, 2);
    EXPECT_EQ(five.values(), (Values{0, 1, 1, 2, 2}));
    SAMPLE_line(five.s, 2, 32767, 2, 0);
    EXPECT_EQ(five.s->values[2], 32767);
}

TEST(SampleLessUsed, FindMatchesResampleAndMap)
{
    Sample a({5, 1, 2, 3, 1});
    Sample b({2, 3});
    EXPECT_EQ(SAMPLE_find(a.s, 1, 2), 4);
    EXPECT_EQ(SAMPLE_find(a.s, 8, -5), -1);
    EXPECT_EQ(SAMPLE_indexOfMin(a.s), 1);
    EXPECT_EQ(SAMPLE_matches(a.s, b.s, 2), 2);
    EXPECT_EQ(SAMPLE_bestOffset(a.s, b.s), 2);
    SAMPLE_insertSample(a.s, a.s, 1);
    EXPECT_EQ(a.values(), (Values{5, 5, 1, 2, 3, 1, 1, 2, 3, 1}));
    SAMPLE_resample(b.s, 5);
    EXPECT_EQ(b.values(), (Values{2, 2, 2, 3, 3}));
    SAMPLE_mapRange(a.s, -10, 30);
    EXPECT_EQ(a.values(), (Values{30, 30, -10, 0, 10, -10, -10, 0, 10, -10}));

    const std::uint8_t bytes[] = {0x00, 0x7F, 0x80, 0xFF};
    SAMPLE* c = SAMPLE_fromBytes(bytes);
    EXPECT_EQ(Values(c->values, c->values + c->count), (Values{0, 127, -128, -1}));
    SAMPLE_free(&c);
}

TEST(SampleText, PrintParseRoundTripAndBadTexts)
{
    for (const auto& [values, printed] : {std::pair<Values, const char*>{{5, -3}, "SAMPLE { 2\n5\n-3\n}\n"},
                                          {{}, "SAMPLE { 0 }\n"}}) {
        Sample s(values);
        char* text = SAMPLE_print(s.s);
        EXPECT_STREQ(text, printed);
        SAMPLE* back = SAMPLE_parse(text);
        ASSERT_NE(back, nullptr) << printed;
        EXPECT_EQ(Values(back->values, back->values + back->count), values) << printed;
        std::free(text);
        SAMPLE_free(&back);
    }
    SAMPLE* back = SAMPLE_parse("x SAMPLE {3: a-7,b 8;-2147483648 }");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(Values(back->values, back->values + back->count), (Values{-7, 8, INT32_MIN}));
    SAMPLE_free(&back);

    for (const char* bad : {"", "SAMPLE", "SAMPLE {", "SAMPLE { 2\n1\n", "SAMPLE { 2\n1\n2\n",
                            "SAMPLE { 2147483648\n1\n}", "SAMPLE { 2000000000\n1\n}",
                            "SAMPLE { 1\n2147483648\n}", "SAMPLE { 99999999999999999999 }"})
        EXPECT_EQ(SAMPLE_parse(bad), nullptr) << bad;
    EXPECT_EQ(SAMPLE_parse(nullptr), nullptr);
}
