// Speed of the IMGFX hot loops on a 256 x 256 frame, in pixels per second.
// The rectangle workload is the rectangle benchmark scene's: random corners in
// the frame, alpha 16; the rectangles are drawn up front so only drawing is timed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "effects/IMGFX.h"
#include "foundation/RANDOM.h"

namespace {

constexpr std::int32_t side = 256;

struct Frame {
    IMG* img = IMG_new();
    Frame()
    {
        IMG_setSize(img, side, side);
        RANDOM_srand(273880913u);
        for (std::int32_t i = 0; i < side * side; ++i)
            img->pixels[i] = static_cast<std::uint32_t>(RANDOM_random30()) & 0xFFFFFFu;
    }
    ~Frame() { IMG_free(&img); }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;
};

struct Rect {
    std::int32_t x, y, w, h;
    std::uint32_t colour;
};

std::int32_t draw256() { return RANDOM_random30() % side; }

void BM_blendRect(benchmark::State& state)
{
    Frame frame;
    std::vector<Rect> rects(4096);
    RANDOM_srand(0x10531751u);
    for (Rect& r : rects) {
        const std::int32_t x0 = draw256(), y0 = draw256(), x1 = draw256(), y1 = draw256();
        r = {x0 < x1 ? x0 : x1, y0 < y1 ? y0 : y1, x1 > x0 ? x1 - x0 : x0 - x1, y1 > y0 ? y1 - y0 : y0 - y1,
             static_cast<std::uint32_t>(RANDOM_random30()) & 0xFFFFFFu};
    }
    std::int64_t pixels = 0;
    std::size_t next = 0;
    for (auto _ : state) {
        const Rect& r = rects[next];
        next = (next + 1) % rects.size();
        IMGFX_blendRect(frame.img, r.x, r.y, r.w, r.h, r.colour, 16);
        pixels += static_cast<std::int64_t>(r.w) * r.h;
    }
    benchmark::DoNotOptimize(frame.img->pixels[0]);
    state.SetItemsProcessed(pixels);
}
BENCHMARK(BM_blendRect);

void BM_blendHLine(benchmark::State& state)
{
    Frame frame;
    for (auto _ : state) {
        for (std::int32_t y = 0; y < side; ++y) IMGFX_blendHLine(frame.img, y, 0, side - 1, 0x40C0FF, 64);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_blendHLine);

void BM_glowH3(benchmark::State& state)
{
    Frame frame, out;
    for (auto _ : state) {
        IMGFX_glowH3(frame.img, out.img, 3);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_glowH3);

void BM_blurH5(benchmark::State& state)
{
    Frame frame, out;
    for (auto _ : state) {
        IMGFX_blurH5(frame.img, out.img);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_blurH5);

}  // namespace
