#include <gtest/gtest.h>

#include <vector>

#include "effects/SINEDOTS.h"
#include "foundation/RANDOM.h"
#include "support/support.h"

TEST(SinedotsRandomize, DrawsInOrderAndAdvanceWraps)
{
    SINEDOTS* d = SINEDOTS_new();
    RANDOM_srand(4321u);
    SINEDOTS_randomize(d);
    // Per wave: phase x, y, speed x, y, step x, y; then the fixed amplitude.
    std::vector<int> got;
    for (int k = 0; k < 3; ++k)
        got.insert(got.end(), {d->phase[k].x, d->phase[k].y, d->speed[k].x, d->speed[k].y, d->step[k].x, d->step[k].y, d->amplitude[k].x});
    EXPECT_EQ(got, (std::vector<int>{837, 895, 6, 10, 8, 19, 128, 882, 234, 2, 5, 21, 17, 64, 120, 252, 4, 4, 12, 21, 32}));
    d->phase[0].x = 1020;
    SINEDOTS_advance(d);
    EXPECT_EQ(d->phase[0].x, 2);
    EXPECT_EQ(d->phase[0].y, 905);
    SINEDOTS_free(&d);
    EXPECT_EQ(d, nullptr);
}

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
    // Added twice, every dot doubles (0xFF0000 saturates; use a dim colour).
    support::Picture q(64, 40);
    d->colour = 0x000010u;
    SINEDOTS_plotAdd(d, q.img);
    SINEDOTS_plotAdd(d, q.img);
    for (std::int32_t i = 0; i < 64 * 40; ++i) EXPECT_TRUE(q.img->pixels[i] == 0 || q.img->pixels[i] % 0x20u == 0);
    SINEDOTS_free(&d);
}
