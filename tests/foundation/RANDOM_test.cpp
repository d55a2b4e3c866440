#include <gtest/gtest.h>

#include <cstdint>

#include "foundation/RANDOM.h"
#include "support/support.h"

TEST(RandomRand15, SequencesFromKnownSeeds)
{
    RANDOM_srand(273880913u);   // the driver's seed
    for (const int want : {10065, 24392, 28284, 20935, 4764}) EXPECT_EQ(RANDOM_rand15(), want);
    RANDOM_srand(0);
    EXPECT_EQ(RANDOM_rand15(), 38);              // 2531011, bits 16..30
    RANDOM_srand(0x10531751u);
    EXPECT_EQ(RANDOM_random30(), 329834312);     // two draws, the first high
    EXPECT_EQ(RANDOM_random30u(), 926831047u);
}

TEST(RandomGenerator, EachRuleFromAKnownRecord)
{
    RANDOM* r = RANDOM_new();   // the creation values start this sequence
    ASSERT_NE(r, nullptr);
    for (const std::uint32_t want : {11719879u, 14155679u, 3918128u}) EXPECT_EQ(RANDOM_nextMul(r), want);
    RANDOM_free(&r);
    struct Case { std::uint32_t (*rule)(RANDOM*); RANDOM before; std::uint32_t state, step, spread; };
    const Case cases[] = {
        {RANDOM_nextMul, {1737075661u, 33141u, 0u, 1u}, 524021u, 1737075662u, 0u},   // the product wraps in 32 bits
        {RANDOM_nextAdd, {10u, 33141u, 0u, 5u}, 16u, 11u, 0u},
        {RANDOM_nextAdd, {0xFFFFFFFFu, 0u, 0u, 0u}, 0u, 0u, 0u},                      // the step wraps
        {RANDOM_nextDouble, {11u, 0u, 0u, 16u}, 12u + 32u, 12u, 0u},
        {RANDOM_nextSquare, {0u, 3u, 0u, 5u}, 5u ^ 1u ^ 9u ^ (0xFFFFFFu << 5), 1u, 0xFFFFFFu << 5},
        {RANDOM_nextFold, {0xFFFFu, 0u, 0u, 0u}, 0x10001u, 0x10000u, 0u},
        {RANDOM_nextSpread, {0u, 0u, 0u, 0u}, 0x10001u, 1u, 0u},
        {RANDOM_nextAddMul, {1u, 0u, 0u, 1u}, 10u, 2u, 0u},                            // ((1 ^ 2) + 2) * 2
    };
    for (const Case& c : cases) {
        RANDOM g = c.before;
        EXPECT_EQ(c.rule(&g), c.state) << c.state;
        EXPECT_EQ(g.state, c.state);
        EXPECT_EQ(g.step, c.step) << c.state;
        EXPECT_EQ(g.spread, c.spread) << c.state;
    }
    EXPECT_EQ(support::printed(RANDOM_debug, [] {
                  EXPECT_EQ(RANDOM_nextMul(nullptr), 0u);
                  RANDOM_free(nullptr);
              }),
              "RANDOM error\nRANDOM error\n");
}
