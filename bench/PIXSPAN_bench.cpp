// The span kernels once per form the processor runs (the SIMD instruction
// sets and the scalar reference), so their figures stand side by side:
//   Pixspan/<kernel>/<form>
// The two shape workloads are the benchmark scenes' draws, made as the scenes
// make them (the 15-bit generator seeded 0x10531751, random30 for every
// value, the 1536-colour wheel) and drawn 1000 to a frame cleared to white
// (the clears not timed): circles of radius 0..63 at alpha 64, rectangles at
// alpha 16. items_per_second counts primitives there and pixels elsewhere.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "effects/IMGFX.h"
#include "foundation/RANDOM.h"
#include "raster/CIRCLE.h"
#include "raster/IMG.h"
#include "raster/PIXSPAN.h"

namespace {

constexpr std::int32_t side = 256;
constexpr int perFrame = 1000;

std::uint32_t wheel(std::uint32_t i)
{
    const std::uint32_t j = i % 256;
    switch (i / 256 % 6) {
    case 0: return 0x00FF00u + j;
    case 1: return 0x00FFFFu - 256u * j;
    case 2: return 0x0000FFu + 65536u * j;
    case 3: return 0xFF00FFu - j;
    case 4: return 0xFF0000u + 256u * j;
    default: return 0xFFFF00u - 65536u * j;
    }
}

std::int32_t draw() { return RANDOM_random30(); }

struct Shape {
    std::int32_t x, y, a, b;
    std::uint32_t colour;
};

std::vector<Shape> circles(int n)
{
    RANDOM_srand(0x10531751u);
    std::vector<Shape> out(static_cast<std::size_t>(n));
    for (Shape& s : out) {
        s.x = draw() % 256;
        s.y = draw() % 256;
        s.a = draw() % 64;
        s.colour = wheel(static_cast<std::uint32_t>(draw() % 1536));
    }
    return out;
}

std::vector<Shape> rectangles(int n)
{
    RANDOM_srand(0x10531751u);
    std::vector<Shape> out(static_cast<std::size_t>(n));
    for (Shape& s : out) {
        const std::int32_t x0 = draw() % 256, y0 = draw() % 256, x1 = draw() % 256, y1 = draw() % 256;
        s = {x0 < x1 ? x0 : x1, y0 < y1 ? y0 : y1, x0 < x1 ? x1 - x0 : x0 - x1, y0 < y1 ? y1 - y0 : y0 - y1,
             wheel(static_cast<std::uint32_t>(draw() % 1536))};
    }
    return out;
}

struct Frame {
    IMG* img = IMG_new();
    Frame()
    {
        IMG_setSize(img, side, side);
        IMG_clear(img, 0xFFFFFFu);
    }
    ~Frame() { IMG_free(&img); }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;
};

// Draws the shapes a frame at a time, the clear between frames not timed.
template <class DrawOne>
void shapes(benchmark::State& state, const std::vector<Shape>& list, DrawOne drawOne)
{
    Frame frame;
    std::size_t next = 0;
    for (auto _ : state) {
        for (int i = 0; i < perFrame; ++i, ++next) drawOne(frame.img, list[next % list.size()]);
        state.PauseTiming();
        IMG_clear(frame.img, 0xFFFFFFu);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * perFrame);
    benchmark::DoNotOptimize(frame.img->pixels[0]);
}

void circleBench(benchmark::State& state)
{
    static const std::vector<Shape> list = circles(20000);
    CIRCLE* circle = CIRCLE_new();
    shapes(state, list, [circle](IMG* img, const Shape& s) {
        circle->centre->x = s.x;
        circle->centre->y = s.y;
        circle->radius = s.a;
        circle->colour = s.colour;
        CIRCLE_fillBlend(circle, img, 64);
    });
    CIRCLE_free(&circle);
}

void rectangleBench(benchmark::State& state)
{
    static const std::vector<Shape> list = rectangles(20000);
    shapes(state, list, [](IMG* img, const Shape& s) { IMGFX_blendRect(img, s.x, s.y, s.a, s.b, s.colour, 16); });
}

// Whole-frame kernels, pixels per second.
template <class Kernel>
void frameBench(benchmark::State& state, Kernel kernel)
{
    Frame src, dst;
    RANDOM_srand(273880913u);
    for (std::int32_t i = 0; i < side * side; ++i) src.img->pixels[i] = static_cast<std::uint32_t>(RANDOM_random30()) & 0xFFFFFFu;
    for (auto _ : state) {
        kernel(src.img, dst.img);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * side * side);
}

void registerAll()
{
    const char* names[16];
    const std::size_t n = PIXSPAN_targets(names, 16);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string form = names[i];
        auto on = [form](void (*body)(benchmark::State&)) {
            return [form, body](benchmark::State& state) {
                const std::string before = PIXSPAN_target();
                PIXSPAN_use(form.c_str());
                body(state);
                PIXSPAN_use(before.c_str());
            };
        };
        benchmark::RegisterBenchmark(("Pixspan/circles/" + form).c_str(), on(circleBench));
        benchmark::RegisterBenchmark(("Pixspan/rectangles/" + form).c_str(), on(rectangleBench));
        benchmark::RegisterBenchmark(("Pixspan/blendFrame/" + form).c_str(), on([](benchmark::State& s) {
            frameBench(s, [](IMG*, IMG* d) { IMGFX_blendRect(d, 0, 0, side, side, 0x123456u, 16); });
        }));
        benchmark::RegisterBenchmark(("Pixspan/clear/" + form).c_str(), on([](benchmark::State& s) {
            frameBench(s, [](IMG*, IMG* d) { IMG_clear(d, 0x123456u); });
        }));
        benchmark::RegisterBenchmark(("Pixspan/addColour/" + form).c_str(), on([](benchmark::State& s) {
            frameBench(s, [](IMG*, IMG* d) { IMG_addColour(d, 0x010203u); });
        }));
        benchmark::RegisterBenchmark(("Pixspan/subColour/" + form).c_str(), on([](benchmark::State& s) {
            frameBench(s, [](IMG*, IMG* d) { IMG_subColour(d, 0x010203u); });
        }));
        benchmark::RegisterBenchmark(("Pixspan/glowH3/" + form).c_str(), on([](benchmark::State& s) {
            frameBench(s, [](IMG* src, IMG* d) { IMGFX_glowH3(src, d, 3); });
        }));
        benchmark::RegisterBenchmark(("Pixspan/blurH5/" + form).c_str(), on([](benchmark::State& s) {
            frameBench(s, [](IMG* src, IMG* d) { IMGFX_blurH5(src, d); });
        }));
    }
}

const bool registered = (registerAll(), true);

}  // namespace
