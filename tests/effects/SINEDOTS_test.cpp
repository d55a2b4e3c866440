#include <gtest/gtest.h>

#include "effects/SINEDOTS.h"
#include "foundation/RANDOM.h"
#include "support/support.h"

TEST(SinedotsPlot, AmplitudesFromTheImageAndDotsInside)
{
    SINEDOTS* d = SINEDOTS_new();
    support::Picture p(64, 40);
    SINEDOTS_plot(d, p.img);
    EXPECT_EQ(d->width, 64);
    EXPECT_EQ(d->amplitude[0].x, 32);
    EXPECT_EQ(d->amplitude[2].y, 5);
    EXPECT_GE(64 * 40 - p.count(0), 1);
    EXPECT_LE(64 * 40 - p.count(0), 16);
    for (auto& a : d->speed) EXPECT_GT(a.x, 0);
    // Added twice, every dot doubles (0xFF0000 saturates; use a dim colour).
    support::Picture q(64, 40);
    d->colour = 0x000010u;
    SINEDOTS_plotAdd(d, q.img);
    SINEDOTS_plotAdd(d, q.img);
    for (std::int32_t i = 0; i < 64 * 40; ++i) EXPECT_TRUE(q.img->pixels[i] == 0 || q.img->pixels[i] % 0x20u == 0);
    SINEDOTS_free(&d);
    EXPECT_EQ(d, nullptr);
}

TEST(SinedotsRandomize, DrawsInOrderWithStatedRanges)
{
    SINEDOTS* d = SINEDOTS_new();
    RANDOM_srand(4321u);
    std::int32_t r[18];
    for (auto& v : r) v = RANDOM_rand15();
    RANDOM_srand(4321u);
    SINEDOTS_randomize(d);
    // Per wave: phase x, y, speed x, y, step x, y; then the fixed amplitude.
    struct Want { std::int32_t speedMask, speedBase, stepBase, amplitude; };
    const Want want[3] = {{7, 3, 5, 128}, {7, 2, 6, 64}, {3, 1, 7, 32}};
    for (std::int32_t k = 0; k < 3; ++k) {
        const std::int32_t* q = r + 6 * k;
        const Want& w = want[k];
        EXPECT_EQ(d->phase[k].x, q[0] % 1024) << k;
        EXPECT_EQ(d->phase[k].y, q[1] % 1024) << k;
        EXPECT_EQ(d->speed[k].x, (q[2] & w.speedMask) + w.speedBase) << k;
        EXPECT_EQ(d->speed[k].y, (q[3] & w.speedMask) + w.speedBase) << k;
        EXPECT_EQ(d->step[k].x, (q[4] & 15) + w.stepBase) << k;
        EXPECT_EQ(d->step[k].y, (q[5] & 15) + w.stepBase + 1) << k;
        EXPECT_EQ(d->amplitude[k].x, w.amplitude) << k;
    }
    SINEDOTS_free(&d);
}
