#include <gtest/gtest.h>

#include <array>
#include <string>

#include "effects/SINELINE.h"
#include "foundation/RANDOM.h"
#include "support/support.h"

namespace {

struct Line {
    SINELINE* line = SINELINE_new();
    ~Line() { SINELINE_free(&line); }
    Line() = default;
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;
    SINELINE* operator->() { return line; }
};

}  // namespace

TEST(SinelineRandomize, DrawsInOrderWithStatedRanges)
{
    Line l;
    l->width = 200;
    l->height = 100;
    RANDOM_srand(12345u);
    std::array<std::int32_t, 18> r{};
    for (auto& v : r) v = RANDOM_rand15();
    RANDOM_srand(12345u);
    SINELINE_randomize(l.line);
    // Per wave: phase x, y, speed x, y, step x, y (one more on y); wave 2 runs backward.
    struct Want { std::int32_t sign, speedMask, speedBase, stepMask, stepBase; };
    const Want want[3] = {{1, 15, 3, 7, 3}, {-1, 7, 2, 15, 4}, {1, 3, 1, 31, 5}};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::int32_t* q = r.data() + 6 * k;
        const Want& w = want[k];
        EXPECT_EQ(l->phase[k].y, q[1] % 1024) << k;
        EXPECT_EQ(l->speed[k].x, w.sign * ((q[2] & w.speedMask) + w.speedBase)) << k;
        EXPECT_EQ(l->step[k].y, w.sign * ((q[5] & w.stepMask) + w.stepBase + 1)) << k;
        EXPECT_EQ(l->amplitude[k].x, 200 >> (k + 1)) << k;   // a half, a quarter, an eighth
        EXPECT_EQ(l->amplitude[k].y, 100 >> (k + 1)) << k;
    }
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

TEST(SinelineCurtain, StepOneAndCount256CoverTheBand)
{
    Line l;
    SINELINE_setCount(l.line, 256);
    l->width = 256;
    l->height = 64;
    l->y = 100;
    for (auto& a : l->amplitude) a.y = 21;
    SINELINE_compute(l.line);
    support::Picture p(256, 256);
    SINELINE_drawCurtain(l.line, p.img, 1);
    for (std::int32_t x = 0; x < 256; ++x) {
        EXPECT_EQ(p.at(x, 163), 0xFF0000u) << x;   // band bottom
        EXPECT_EQ(p.at(x, 164), 0u) << x;
        EXPECT_EQ(p.at(x, 99), 0u) << x;
    }
}

TEST(SinelineDraw, OnePointDrawsNothing)
{
    Line l;
    SINELINE_setCount(l.line, 1);
    SINELINE_compute(l.line);
    support::Picture p(256, 256);
    SINELINE_drawPath(l.line, p.img);
    SINELINE_drawWave(l.line, p.img, 4);
    SINELINE_drawWaveV(l.line, p.img, 4);
    SINELINE_drawCurtain(l.line, p.img, 1);
    SINELINE_drawBlendCurtain(l.line, p.img, 1);
    SINELINE_drawMirror8(l.line, p.img);
    SINELINE_drawMirrorDiag(l.line, p.img);
    SINELINE_drawCircles(l.line, p.img);
    SINELINE_drawCentreCircles(l.line, p.img);
    SINELINE_drawEllipses(l.line, p.img);
    EXPECT_EQ(p.count(0), 256 * 256);
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

TEST(SinelineErrors, NullsAndBadCountsReport)
{
    Line l;
    EXPECT_EQ(support::printed(SINELINE_debug, [&] {
                  SINELINE_compute(nullptr);
                  SINELINE_drawPath(nullptr, nullptr);
                  SINELINE_setCount(l.line, 0);
              }),
              "SINELINE error\nSINELINE error\nSINELINE error\n");
    EXPECT_EQ(l->count, 16);
    EXPECT_EQ(SINELINE_print(l.line), nullptr);
    EXPECT_FALSE(SINELINE_equal(l.line, l.line));
}
