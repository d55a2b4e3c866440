#include <gtest/gtest.h>

#include <array>
#include <string>

#include "effects/SINELINE.h"
#include "foundation/RANDOM.h"
#include "support/support.h"

namespace {

// Pixels of p that are not 0.
std::int32_t lit(const support::Picture& p)
{
    std::int32_t n = 0;
    for (std::int32_t i = 0; i < p.img->width * p.img->height; ++i) n += p.img->pixels[i] != 0;
    return n;
}

struct Line {
    SINELINE* line = SINELINE_new();
    ~Line() { SINELINE_free(&line); }
    Line() = default;
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;
    SINELINE* operator->() { return line; }
};

void silence(SINELINE* line)
{
    for (auto& a : line->amplitude) a = {0, 0, 0};
}

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
    EXPECT_EQ(l->phase[0].x, r[0] % 1024);
    EXPECT_EQ(l->phase[0].y, r[1] % 1024);
    EXPECT_EQ(l->speed[0].y, (r[3] & 15) + 3);
    EXPECT_EQ(l->step[0].y, (r[5] & 7) + 4);
    EXPECT_EQ(l->phase[1].y, r[7] % 1024);
    EXPECT_EQ(l->speed[1].x, -2 - (r[8] & 7));
    EXPECT_EQ(l->step[1].y, -5 - (r[11] & 15));
    EXPECT_EQ(l->speed[2].x, (r[14] & 3) + 1);
    EXPECT_EQ(l->step[2].y, (r[17] & 31) + 6);
    EXPECT_EQ(l->amplitude[0].x, 100);
    EXPECT_EQ(l->amplitude[1].y, 25);
    EXPECT_EQ(l->amplitude[2].x, 25);
}

TEST(SinelineCompute, ZeroAmplitudesGiveTheCentreAndPhasesStay)
{
    Line l;
    l->width = 100;
    l->height = 61;
    silence(l.line);
    const SINELINE_XYZ before = l->phase[1];
    SINELINE_compute(l.line);
    for (std::int32_t i = 0; i < l->count; ++i) {
        EXPECT_EQ(l->points[2 * i], 50);
        EXPECT_EQ(l->points[2 * i + 1], 30);
    }
    EXPECT_EQ(l->phase[1].x, before.x);
    EXPECT_EQ(l->phase[1].y, before.y);
}

TEST(SinelineCompute, OneComponentAtAQuarterTurnAddsHalfItsAmplitude)
{
    Line l;
    silence(l.line);
    l->amplitude[0] = {256, -256, 0};
    l->phase[0] = {256, 256, 0};
    l->step[0] = {512, 512, 0};
    SINELINE_compute(l.line);
    // 32766 * 256 >> 16 = 127; the next point is half a turn on.
    EXPECT_EQ(l->points[0], 128 + 127);
    EXPECT_EQ(l->points[1], 128 - 128);
    EXPECT_EQ(l->points[2], 128 - 128);
    EXPECT_EQ(l->points[3], 128 + 127);
    std::array<std::int32_t, 32> first{};
    std::copy(l->points, l->points + 32, first.begin());
    SINELINE_compute(l.line);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), l->points));
}

TEST(SinelineAdvance, PhasesStayInRangeForNegativeSpeeds)
{
    Line l;
    l->phase[0] = {5, 1000, 0};
    l->speed[0] = {-7, 30, 0};
    l->phase[1] = {0, 0, 0};
    l->speed[1] = {-2000000000, 2000000000, 0};
    SINELINE_advance(l.line);
    EXPECT_EQ(l->phase[0].x, 1022);
    EXPECT_EQ(l->phase[0].y, 6);
    for (std::int32_t n = 0; n < 50; ++n) {
        SINELINE_advance(l.line);
        for (const auto& p : l->phase) {
            EXPECT_GE(p.x, 0);
            EXPECT_LT(p.x, 1024);
            EXPECT_GE(p.y, 0);
            EXPECT_LT(p.y, 1024);
        }
    }
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
    EXPECT_EQ(lit(p), 0);
}

TEST(SinelineDraw, MirrorsUseWidthMinusX)
{
    Line l;
    SINELINE_setCount(l.line, 2);
    l->points[0] = 10;
    l->points[1] = 20;
    l->points[2] = 10;
    l->points[3] = 20;
    support::Picture h(64, 32);
    SINELINE_drawMirrorH(l.line, h.img);
    EXPECT_EQ(h.at(10, 20), 0xFF0000u);
    EXPECT_EQ(h.at(54, 20), 0xFF0000u);
    EXPECT_EQ(lit(h), 2);
    support::Picture e(64, 64);
    SINELINE_drawMirror8(l.line, e.img);
    for (auto [x, y] : {std::pair{10, 20}, {54, 20}, {10, 44}, {54, 44}, {20, 10}, {44, 10}, {20, 54}, {44, 54}})
        EXPECT_EQ(e.at(x, y), 0xFF0000u) << x << "," << y;
    EXPECT_EQ(lit(e), 8);
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
