// Blended discs with the circle benchmark scene's workload: centres anywhere
// in the 256 x 256 frame, radius 0..63, alpha 64. Reports covered pixels per
// second as items_per_second (pixels outside the frame are not counted).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "foundation/RANDOM.h"
#include "raster/CIRCLE.h"
#include "raster/IMG.h"

namespace {

struct Disc {
    std::int32_t x, y, r;
    std::uint32_t colour;
};

struct Workload {
    std::vector<Disc> discs;
    std::int64_t pixels = 0;   // covered pixels over one pass of discs
};

// A fixed list of random discs, and how many frame pixels each one covers,
// measured by drawing it alone at full alpha.
Workload makeWorkload(IMG* frame, CIRCLE* circle)
{
    Workload w;
    RANDOM_srand(0x10531751u);
    for (int n = 0; n < 1024; ++n) {
        const std::int32_t x = RANDOM_random30() % 256;
        const std::int32_t y = RANDOM_random30() % 256;
        const std::int32_t r = RANDOM_random30() % 64;
        const auto colour = static_cast<std::uint32_t>(RANDOM_random30() & 0xFFFFFF) | 0x010101u;
        w.discs.push_back(Disc{x, y, r, colour});
        IMG_clear(frame, 0);
        circle->centre->x = x;
        circle->centre->y = y;
        circle->radius = r;
        circle->colour = 0xFFFFFF;
        CIRCLE_fillBlend(circle, frame, 256);
        for (std::int32_t i = 0; i < frame->width * frame->height; ++i) w.pixels += frame->pixels[i] != 0 ? 1 : 0;
    }
    return w;
}

void BM_CIRCLE_fillBlend(benchmark::State& state)
{
    IMG* frame = IMG_new();
    IMG_setSize(frame, 256, 256);
    CIRCLE* circle = CIRCLE_new();
    const Workload w = makeWorkload(frame, circle);
    IMG_clear(frame, 0x204060);
    std::int64_t passes = 0;
    for (auto _ : state) {
        for (const Disc& d : w.discs) {
            circle->centre->x = d.x;
            circle->centre->y = d.y;
            circle->radius = d.r;
            circle->colour = d.colour;
            CIRCLE_fillBlend(circle, frame, 64);
        }
        benchmark::DoNotOptimize(frame->pixels);
        benchmark::ClobberMemory();
        ++passes;
    }
    state.SetItemsProcessed(passes * w.pixels);
    state.counters["circles"] = benchmark::Counter(static_cast<double>(passes * 1024), benchmark::Counter::kIsRate);
    CIRCLE_free(&circle);
    IMG_free(&frame);
}
BENCHMARK(BM_CIRCLE_fillBlend)->Unit(benchmark::kMicrosecond);

}  // namespace
