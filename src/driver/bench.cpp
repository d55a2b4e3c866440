// --bench: machine figures on the real clock. The two benchmark scenes move
// their count by one per frame, so instead of waiting for them to settle this
// times their frame at chosen counts and searches for the count whose frame
// just fills the 20 ms slot. Every other scene runs unpaced twice, for a short and
// a longer stretch, and the difference gives its mean time per frame without
// the cost of entering, fading and leaving.
#include "driver/QORN7316_state.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

#include "platform/HOST.h"
#include "raster/PIXSPAN.h"

namespace {

// The program's own processor time in ms: what the machine needs for the
// work, whatever else runs on it at the time.
double cpuMillis()
{
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// One frame as the frame loop runs it between FPS_start and FPS_end, with the
// count held at the given value; the median of the frames' times, so a frame
// the machine was busy elsewhere for does not count.
double timeBenchmarkFrames(const QORN7316_SCENE* scene, std::int32_t* count, std::int32_t value, std::int32_t frames)
{
    std::vector<double> times;
    for (std::int32_t i = 0; i < frames; ++i) {
        const double t0 = cpuMillis();
        *count = value;
        scene->frame(frames - i);
        QORN7316_present();
        WINKBD_poll(keyboard);
        QORN7316_handleKey(keyboard);
        times.push_back(cpuMillis() - t0);
    }
    std::nth_element(times.begin(), times.begin() + frames / 2, times.end());
    return times[static_cast<std::size_t>(frames / 2)];
}

struct Settled {
    double perPrimitive;   // ms
    double otherWork;      // ms per frame without primitives
    std::int32_t count;    // count whose frame fills the slot
    double frameAtCount;   // ms, measured
};

// The pacer reads whole milliseconds, so a frame of 19.5 ms counts as 20 ms
// about half the time: that is where the count stops moving on average.
// extra: primitives drawn beyond the count (the circle benchmark draws count + 1).
Settled settle(const QORN7316_SCENE* scene, std::int32_t* count, std::int32_t extra, double slot)
{
    const std::int32_t kept = *count;
    const double target = slot - 0.5;
    QORN7316_enterScene(scene);
    timeBenchmarkFrames(scene, count, 0, 5);   // warm the caches
    Settled s{};
    const double base = timeBenchmarkFrames(scene, count, 0, 41);
    // Double until a frame takes longer than the target, then halve the gap.
    std::int32_t lo = 0, hi = 256;
    while (hi < (1 << 26) && timeBenchmarkFrames(scene, count, hi, 9) < target) {
        lo = hi;
        hi *= 2;
    }
    while (hi - lo > std::max(1, lo / 256)) {
        const std::int32_t mid = lo + (hi - lo) / 2;
        if (timeBenchmarkFrames(scene, count, mid, 9) < target) lo = mid;
        else hi = mid;
    }
    s.count = lo;
    s.frameAtCount = timeBenchmarkFrames(scene, count, lo, 21);
    s.perPrimitive = lo > 0 ? (s.frameAtCount - base) / lo : 0.0;
    s.otherWork = base - extra * s.perPrimitive;
    QORN7316_leaveScene(scene);
    *count = kept;
    return s;
}

// Runs a scene until the scripted space ends it after about the given number
// of frames; returns frames drawn and wall time.
void runFor(std::int32_t scene, std::uint32_t frames, std::uint32_t* drawn, double* ms)
{
    // The fades present 32 frames before the first scene frame; a space then
    // comes 32 frames later for scenes that do not fade. Only the difference
    // of two runs is used.
    const HOST_SCRIPTED_KEY space{HOST_presentedFrames() + 32 + frames, ' '};
    HOST_scriptKeys(std::span<const HOST_SCRIPTED_KEY>(&space, 1));
    const std::uint32_t before = pacer->frames;
    const double t0 = cpuMillis();
    QORN7316_runLoop(QORN7316_scenes[scene]);
    *ms = cpuMillis() - t0;
    *drawn = pacer->frames - before + 1;   // the skipped frame has no FPS_end
}

}  // namespace

int QORN7316_bench(std::FILE* out)
{
    if (out == nullptr || pacer == nullptr || frame == nullptr) { QORN7316_error(); return 1; }
    const auto started = std::chrono::steady_clock::now();
    const std::uint8_t music = musicOff;
    const std::int32_t rate = pacer->targetRate;
    musicOff = 1;   // scene starts without a new loop: only frame work is timed
    const double slot = 1000.0 / std::max(rate, 1);

    std::fprintf(out, "qorn7316 --bench: headless, real clock, slot %.1f ms; times are this program's\n"
                      "processor time, so other load on the machine does not count\n", slot);
    const char* targets[16];
    const std::size_t targetCount = PIXSPAN_targets(targets, 16);
    std::fprintf(out, "drawing kernels: %s (QORN_SIMD chooses one of:", PIXSPAN_target());
    for (std::size_t i = 0; i < targetCount; ++i) std::fprintf(out, " %s", targets[i]);
    std::fprintf(out, ")\n\n");
    const Settled circles = settle(&QORN7316_circlesBenchmarkScene, &circlesBenchmarkCount, 1, slot);
    const Settled rects = settle(&QORN7316_rectanglesBenchmarkScene, &rectanglesBenchmarkCount, 0, slot);
    std::fprintf(out, "benchmark                            per primitive  other work  settles at  frame there\n");
    std::fprintf(out, "FILLED+BLENDED CIRCLES BENCHMARK     %9.3f us  %7.2f ms  %10d  %8.2f ms\n",
                 circles.perPrimitive * 1000.0, circles.otherWork, static_cast<int>(circles.count), circles.frameAtCount);
    std::fprintf(out, "FILLED+BLENDED RECTANGLES BENCHMARK  %9.3f us  %7.2f ms  %10d  %8.2f ms\n\n",
                 rects.perPrimitive * 1000.0, rects.otherWork, static_cast<int>(rects.count), rects.frameAtCount);

    // ROTATING BLENDED CIRCLES takes its ring count from the circle benchmark.
    circlesBenchmarkCount = circles.count;
    pacer->targetRate = 1000000;   // a 1 us slot: FPS_wait never sleeps
    std::fprintf(out, "scene                                ms per frame\n");
    for (std::int32_t i = 0; i < QORN7316_SCENE_COUNT; ++i) {
        char title[64];
        QORN7316_titleLine(QORN7316_scenes[i]->title, title, sizeof title);
        if (i == SCENE_CIRCLES_BENCHMARK || i == SCENE_RECTANGLES_BENCHMARK) {
            const Settled& s = i == SCENE_CIRCLES_BENCHMARK ? circles : rects;
            std::fprintf(out, "%2d %-34s %8.2f  (fills the slot by design)\n", static_cast<int>(i), title, s.frameAtCount);
            continue;
        }
        std::uint32_t shortFrames = 0, longFrames = 0;
        double shortMs = 0.0, longMs = 0.0;
        runFor(i, 20, &shortFrames, &shortMs);
        runFor(i, 120, &longFrames, &longMs);
        const double mean = longFrames > shortFrames ? (longMs - shortMs) / (longFrames - shortFrames)
                                                     : longMs / std::max(longFrames, 1u);
        std::fprintf(out, "%2d %-34s %8.2f\n", static_cast<int>(i), title, mean);
    }
    pacer->targetRate = rate;
    musicOff = music;
    std::fprintf(out, "\n%.1f s in all\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    return 0;
}
