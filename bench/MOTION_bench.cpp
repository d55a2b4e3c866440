// Speed of the motion effects on the workloads of their scenes, one frame per
// iteration: a 3D BALLS ball (random place, colour and radius 8..50, light
// circling), the FINITE STATE particle steps on a frame that has run for a
// while (water entering at the top and flowing both ways, sparks entering at
// the bottom), and the eight SINE LINES curtains.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "assets/ASSETS.h"
#include "effects/BALL3D.h"
#include "effects/PARTIXEL.h"
#include "effects/SINELINE.h"
#include "foundation/RANDOM.h"
#include "foundation/SINE.h"

namespace {

constexpr std::int32_t side = 256;

struct Frame {
    IMG* img = IMG_new();
    Frame() { IMG_setSize(img, side, side); }
    ~Frame() { IMG_free(&img); }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;
};

std::int32_t light(std::int32_t i) { return (SINE_table[i & SINE_MASK] * 10) >> 15; }

void BM_ball3dDraw(benchmark::State& state)
{
    Frame frame;
    RANDOM_srand(0x10531751u);
    BALL3D* ball = BALL3D_new();
    ball->image = frame.img;
    ball->light = {10, 10, 10};
    std::int32_t t = 750;
    for (auto _ : state) {
        ball->colour = static_cast<std::uint32_t>(RANDOM_random30()) & 0x7F7F7Fu;
        ball->x = RANDOM_random30() % side;
        ball->y = RANDOM_random30() % side;
        ball->radius = state.range(0) > 0 ? static_cast<std::int32_t>(state.range(0)) : (RANDOM_random30() % side) / 6 + 8;
        BALL3D_draw(ball);
        ball->light = {light(5 * t), light(3 * t), light(7 * t)};
        t = t > 1 ? t - 1 : 750;
    }
    state.SetItemsProcessed(state.iterations() * 262144);
    BALL3D_free(&ball);
}
BENCHMARK(BM_ball3dDraw)->Arg(0)->Arg(50)->Unit(benchmark::kMicrosecond);

// The FINITE STATE frame: six obstacle lines, the picture in the lower half,
// and the particle steps of one frame.
struct FiniteState {
    Frame frame;
    RANDOM* random = RANDOM_new();
    PARTIXEL* water = PARTIXEL_new();
    PARTIXEL* sparks = PARTIXEL_new();
    FiniteState()
    {
        RANDOM_srand(0x10531751u);
        water->image = sparks->image = frame.img;
        water->colour = 0x0000FFu;
        sparks->colour = 0xFF0000u;
        sparks->rule = PARTIXEL_sparks;
        for (std::int32_t i = 0; i < 6; ++i) {
            const std::int32_t y1 = RANDOM_random30() % 224, x1 = RANDOM_random30() % side;
            const std::int32_t y0 = RANDOM_random30() % 224, x0 = RANDOM_random30() % side;
            IMG_drawLine(frame.img, x0, y0, x1, y1, 0xFFFFFFu);
        }
        IMG* picture = IMG_fromPNM(ASSETS_find("background.ppm"));
        if (picture != nullptr) IMG_blit(picture, frame.img, 0, 0, 0, 128, side, 128);
        IMG_free(&picture);
        for (std::int32_t n = 0; n < 500; ++n) {
            waterStep();
            sparkStep();
        }
    }
    ~FiniteState()
    {
        PARTIXEL_free(&water);
        PARTIXEL_free(&sparks);
        RANDOM_free(&random);
    }
    FiniteState(const FiniteState&) = delete;
    FiniteState& operator=(const FiniteState&) = delete;
    void waterStep()
    {
        for (std::int32_t i = 0; i < 16; ++i) IMG_putPixel(frame.img, static_cast<std::int32_t>(RANDOM_nextMul(random) % side), 0, water->colour);
        water->rule = PARTIXEL_flowRight;
        water->rule(water);
        water->rule = PARTIXEL_flowLeft;
        water->rule(water);
    }
    void sparkStep()
    {
        for (std::int32_t i = 0; i < 45; ++i) IMG_putPixel(frame.img, static_cast<std::int32_t>(RANDOM_nextMul(random) % side), side - 1, sparks->colour);
        sparks->rule(sparks);
    }
};

void BM_partixelWater(benchmark::State& state)
{
    FiniteState scene;
    for (auto _ : state) scene.waterStep();
    state.SetItemsProcessed(state.iterations() * side * side * 2);
    state.counters["particles"] = scene.water->count;
}
BENCHMARK(BM_partixelWater)->Unit(benchmark::kMicrosecond);

void BM_partixelSparks(benchmark::State& state)
{
    FiniteState scene;
    for (auto _ : state) scene.sparkStep();
    state.SetItemsProcessed(state.iterations() * side * side);
    state.counters["particles"] = scene.sparks->count;
}
BENCHMARK(BM_partixelSparks)->Unit(benchmark::kMicrosecond);

// The eight SINE LINES bands: compute twice and draw the curtain.
void BM_sinelineBands(benchmark::State& state)
{
    Frame frame;
    RANDOM_srand(0x10531751u);
    SINELINE* line = SINELINE_new();
    SINELINE_setCount(line, 256);
    constexpr std::int32_t heights[8] = {12, 20, 28, 36, 44, 52, 64, 8};
    for (auto _ : state) {
        SINELINE_advance(line);
        IMG_clear(frame.img, 0xFFFFFFu);
        std::int32_t y = 0;
        for (std::int32_t k = 0; k < 8; ++k) {
            const std::int32_t h = heights[k];
            for (std::int32_t c = 0; c < 3; ++c) {
                line->step[c].y = (7 - k) * (c + 2);
                line->amplitude[c].y = h / 3;
            }
            SINELINE_compute(line);
            line->width = side;
            line->height = h;
            line->y = y;
            line->colour = static_cast<std::uint32_t>(y + 60) | 0x8000u;
            SINELINE_compute(line);
            SINELINE_drawCurtain(line, frame.img, 1);
            y += h;
        }
    }
    SINELINE_free(&line);
}
BENCHMARK(BM_sinelineBands)->Unit(benchmark::kMicrosecond);

}  // namespace
