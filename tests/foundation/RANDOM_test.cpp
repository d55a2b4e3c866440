#include <gtest/gtest.h>

#include <cstdint>

#include "foundation/INT.h"
#include "foundation/RANDOM.h"
#include "support/support.h"

namespace {

// The recurrence written out independently of the module.
struct Lcg {
    std::uint64_t seed;
    int next()
    {
        seed = (seed * 214013ull + 2531011ull) % 4294967296ull;
        return static_cast<int>((seed / 65536ull) % 32768ull);
    }
};

}  // namespace

TEST(RandomRand15, FollowsTheStatedRecurrence)
{
    RANDOM_srand(273880913u);
    Lcg lcg{273880913u};
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(RANDOM_rand15(), lcg.next()) << i;
}

TEST(RandomRandom30, JoinsTwoDrawsFirstHigh)
{
    RANDOM_srand(0x10531751u);
    Lcg lcg{0x10531751u};
    for (int i = 0; i < 100; ++i) {
        const int high = lcg.next();
        const int low = lcg.next();
        ASSERT_EQ(i % 2 == 0 ? RANDOM_random30() : INT_wrap(RANDOM_random30u()), high * 32768 + low) << i;
    }
}

TEST(RandomGenerator, InitialValuesAndMulRule)
{
    RANDOM* r = RANDOM_new();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->step, 0x12345678u);
    EXPECT_EQ(r->factor, 33141u);
    EXPECT_EQ(r->spread, 0xA5A5A5A5u);
    EXPECT_EQ(r->state, 1u);
    r->step = 1737075661u;
    const std::uint64_t factor = (33141ull * 1737075662ull) % 16777216ull;
    const std::uint64_t state = (1ull + 1737075662ull + factor) % 16777216ull;
    EXPECT_EQ(RANDOM_nextMul(r), state);
    EXPECT_EQ(r->step, 1737075662u);
    EXPECT_EQ(r->factor, factor);
    RANDOM_free(&r);
    EXPECT_EQ(r, nullptr);
}

TEST(RandomGenerator, OtherRules)
{
    RANDOM g{10u, 33141u, 0u, 5u};
    EXPECT_EQ(RANDOM_nextAdd(&g), 16u);                  // 5 + 11
    EXPECT_EQ(RANDOM_nextDouble(&g), 12u + 32u);         // 12 + 2 * 16
    g = RANDOM{0u, 3u, 0u, 2u};
    EXPECT_EQ(RANDOM_nextSquare(&g), 2u ^ 1u ^ 9u ^ (0xFFFFFFu << 2));
    EXPECT_EQ(g.spread, 0xFFFFFFu << 2);
    g = RANDOM{0xFFFFu, 0u, 0u, 0u};
    EXPECT_EQ(RANDOM_nextFold(&g), 0x10001u);            // 0x10000 ^ (0x10000 >> 16)
    g = RANDOM{0u, 0u, 0u, 0u};
    EXPECT_EQ(RANDOM_nextSpread(&g), 0x10001u);          // 1 * 0x10001
    g = RANDOM{1u, 0u, 0u, 1u};
    EXPECT_EQ(RANDOM_nextAddMul(&g), 10u);             // ((1 ^ 2) + 2) * 2
    EXPECT_EQ(g.state, 10u);
    g = RANDOM{0xFFFFFFFFu, 0u, 0u, 0u};
    RANDOM_nextAdd(&g);
    EXPECT_EQ(g.step, 0u);                                // step wraps
}

TEST(RandomGenerator, NullIsReportedAndGivesZero)
{
    EXPECT_EQ(support::printed(RANDOM_debug, [] {
                  EXPECT_EQ(RANDOM_nextMul(nullptr), 0u);
                  RANDOM_free(nullptr);
              }),
              "RANDOM error\nRANDOM error\n");
}
