// Whole-image colour operations on one 256 x 256 frame, in pixels a second.
#include <benchmark/benchmark.h>

#include "raster/IMG.h"

namespace {

IMG* frame()
{
    IMG* image = IMG_new();
    IMG_setSize(image, 256, 256);
    for (int i = 0; i < 256 * 256; ++i) image->pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFFu;
    return image;
}

void ImgClear(benchmark::State& state)
{
    IMG* image = frame();
    std::uint32_t colour = 0;
    for (auto _ : state) {
        IMG_clear(image, colour++ & 0xFFFFFFu);
        benchmark::DoNotOptimize(image->pixels);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 256 * 256);
    IMG_free(&image);
}
BENCHMARK(ImgClear);

void ImgAddColour(benchmark::State& state)
{
    IMG* image = frame();
    for (auto _ : state) {
        IMG_addColour(image, 0x010203);
        benchmark::DoNotOptimize(image->pixels);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 256 * 256);
    IMG_free(&image);
}
BENCHMARK(ImgAddColour);

void ImgSubColour(benchmark::State& state)
{
    IMG* image = frame();
    for (auto _ : state) {
        IMG_subColour(image, 0x030201);
        benchmark::DoNotOptimize(image->pixels);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 256 * 256);
    IMG_free(&image);
}
BENCHMARK(ImgSubColour);

}  // namespace
