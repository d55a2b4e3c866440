// Start-up's instrument bank and the per-scene music step. The bank is built
// without a frame to show it in, so only the synthesis is timed.
#include <benchmark/benchmark.h>

#include "driver/QORN7316_state.h"

namespace {

void BM_instrumentBank(benchmark::State& state)
{
    IMG* keptFrame = frame;
    frame = nullptr;
    for (auto _ : state) {
        RANDOM_srand(273880913u);
        QORN7316_makeInstruments();
        benchmark::DoNotOptimize(music->instruments->count);
        state.PauseTiming();
        MUSIC_free(&music);
        state.ResumeTiming();
    }
    frame = keptFrame;
    state.SetItemsProcessed(state.iterations() * 96);
}
BENCHMARK(BM_instrumentBank)->Unit(benchmark::kMillisecond);

void BM_musicStep(benchmark::State& state)
{
    IMG* keptFrame = frame;
    frame = nullptr;
    RANDOM_srand(273880913u);
    QORN7316_makeSound();
    QORN7316_makeInstruments();
    for (auto _ : state) QORN7316_musicStep();
    MUSIC_free(&music);
    WINSND_free(&sound);
    frame = keptFrame;
}
BENCHMARK(BM_musicStep)->Unit(benchmark::kMillisecond);

}  // namespace
