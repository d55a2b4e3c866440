#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "effects/SINELINE.h"
#include "foundation/RANDOM.h"
#include "support/support.h"

namespace {

// A line freed at the end of the scope.
struct Line {
    SINELINE* line = SINELINE_new();
    ~Line() { SINELINE_free(&line); }
    SINELINE* operator->() { return line; }
};

}  // namespace

TEST(SinelineRandomize, DrawsInOrder)
{
    Line l;
    l->width = 200;
    l->height = 100;
    RANDOM_srand(12345u);
    SINELINE_randomize(l.line);
    // Per wave: phase x, y, speed x, y, step x, y (one more on y), then the
    // amplitudes: a half, a quarter, an eighth of the size; wave 2 runs backward.
    std::vector<int> got;
    for (const std::size_t k : {0u, 1u, 2u})
        got.insert(got.end(), {l->phase[k].x, l->phase[k].y, l->speed[k].x, l->speed[k].y, l->step[k].x, l->step[k].y,
                               l->amplitude[k].x, l->amplitude[k].y});
    EXPECT_EQ(got, (std::vector<int>{416, 732, 6, 16, 7, 9, 100, 50, 853, 293, -2, -6, -19, -5, 50, 25,
                                     987, 228, 3, 1, 19, 14, 25, 12}));
}

TEST(SinelineCompute, CentreQuarterTurnAndPhases)
{
    Line l;
    l->width = 100;
    l->height = 61;
    for (auto& a : l->amplitude) a = {0, 0, 0};
    SINELINE_compute(l.line);
    EXPECT_EQ(l->points[0], 50);   // zero amplitudes: every point at the centre
    EXPECT_EQ(l->points[31], 30);
    // One wave at a quarter turn adds half its amplitude: 32766 * 256 >> 16 = 127;
    // the next point is half a turn on.
    l->width = l->height = 256;
    l->amplitude[0] = {256, -256, 0};
    l->phase[0] = {256, 256, 0};
    l->step[0] = {512, 512, 0};
    SINELINE_compute(l.line);
    EXPECT_EQ((std::array<std::int32_t, 4>{l->points[0], l->points[1], l->points[2], l->points[3]}),
              (std::array<std::int32_t, 4>{128 + 127, 128 - 128, 128 - 128, 128 + 127}));
    EXPECT_EQ(l->phase[0].x, 256);   // computing leaves the phases
    // Advancing wraps into 0..1023 for either sign and for speeds near the int limits.
    l->phase[0] = {5, 1000, 0};
    l->speed[0] = {-7, 30, 0};
    l->phase[1] = {1000, 1000, 0};
    l->speed[1] = {-2147483647, 2147483647, 0};
    SINELINE_advance(l.line);
    EXPECT_EQ(l->phase[0].x, 1022);
    EXPECT_EQ(l->phase[0].y, 6);
    EXPECT_EQ(l->phase[1].x, 1001);
    EXPECT_EQ(l->phase[1].y, 999);
}

TEST(SinelineDraw, MirrorsUseWidthMinusX)
{
    Line l;
    SINELINE_setCount(l.line, 2);
    for (std::int32_t i = 0; i < 4; ++i) l->points[i] = i % 2 == 0 ? 10 : 20;
    support::Picture h(64, 32);
    SINELINE_drawMirrorH(l.line, h.img);
    EXPECT_EQ(h.at(10, 20), 0xFF0000u);
    EXPECT_EQ(h.at(54, 20), 0xFF0000u);
    EXPECT_EQ(h.count(0xFF0000u), 2);
    support::Picture e(64, 64);
    SINELINE_drawMirror8(l.line, e.img);
    for (auto [x, y] : {std::pair{10, 20}, {54, 20}, {10, 44}, {54, 44}, {20, 10}, {44, 10}, {20, 54}, {44, 54}})
        EXPECT_EQ(e.at(x, y), 0xFF0000u) << x << "," << y;
    EXPECT_EQ(e.count(0xFF0000u), 8);
}

TEST(SinelineErrors, OnePointDrawsNothingNullsAndBadCountsReport)
{
    Line l;
    SINELINE_setCount(l.line, 1);
    SINELINE_compute(l.line);
    support::Picture p(256, 256);
    for (auto draw : {SINELINE_drawPath, SINELINE_drawMirror8, SINELINE_drawMirrorDiag, SINELINE_drawCircles,
                      SINELINE_drawCentreCircles, SINELINE_drawEllipses})
        draw(l.line, p.img);
    for (auto draw : {SINELINE_drawWave, SINELINE_drawWaveV, SINELINE_drawCurtain, SINELINE_drawBlendCurtain}) draw(l.line, p.img, 4);
    EXPECT_EQ(p.count(0), 256 * 256);
    EXPECT_EQ(support::printed(SINELINE_debug, [&] {
                  SINELINE_compute(nullptr);
                  SINELINE_drawPath(nullptr, nullptr);
                  SINELINE_setCount(l.line, 0);
              }),
              "SINELINE error\nSINELINE error\nSINELINE error\n");
    EXPECT_EQ(l->count, 1);
    EXPECT_EQ(SINELINE_print(l.line), nullptr);
    EXPECT_FALSE(SINELINE_equal(l.line, l.line));
}
