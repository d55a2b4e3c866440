// PROGRESS: frames done of total, a bar, the rate since start and the time
// left at that rate. Times are the wall clock's, whatever clock the demo
// runs on: the bar says how long the machine takes.
#include "driver/PROGRESS.h"


#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

bool active = false;
std::uint32_t totalFrames = 0;
Clock::time_point started;
Clock::time_point lastDrawn;
bool drawn = false;

constexpr int barWidth = 20;

void draw(std::uint32_t done, Clock::time_point now)
{
    const double seconds = std::chrono::duration<double>(now - started).count();
    const std::string line = PROGRESS_line(done, totalFrames, seconds);
    std::fprintf(stderr, "\r%s\033[K", line.c_str());
    std::fflush(stderr);
    lastDrawn = now;
    drawn = true;
}

}  // namespace

bool PROGRESS_wanted(const OPTIONS* options, bool terminal)
{
    if (options == nullptr || !terminal) return false;
    return options->headless && options->frames > 0 &&
           (options->dump || !options->audioFile.empty() || !options->recordFile.empty());
}

void PROGRESS_start(std::uint32_t total)
{
    active = total > 0;
    totalFrames = total;
    started = Clock::now();
    drawn = false;
}

void PROGRESS_frame(std::uint32_t done)
{
    if (!active) return;
    const Clock::time_point now = Clock::now();
    if (done >= totalFrames || !drawn || now - lastDrawn >= std::chrono::milliseconds(100)) draw(done, now);
}

void PROGRESS_finish()
{
    if (active && drawn) std::fputc('\n', stderr);
    active = false;
    drawn = false;
}

std::string PROGRESS_line(std::uint32_t done, std::uint32_t total, double seconds)
{
    if (total == 0) total = 1;
    if (done > total) done = total;
    const std::uint64_t filled = static_cast<std::uint64_t>(done) * barWidth / total;
    const std::uint64_t percent = static_cast<std::uint64_t>(done) * 100 / total;
    std::string bar(barWidth, '.');
    for (std::uint64_t i = 0; i < filled; ++i) bar[i] = '#';
    char rate[32] = "-";
    char left[32] = "--:--";
    if (seconds > 0.0 && done > 0) {
        const double fps = done / seconds;
        std::snprintf(rate, sizeof rate, "%.0f", fps < 1e9 ? fps : 1e9);
        const double rest = (total - done) / fps;
        const auto whole = static_cast<std::uint64_t>(rest < 359999.0 ? rest + 0.5 : 359999.0);
        if (whole >= 3600)
            std::snprintf(left, sizeof left, "%u:%02u:%02u", static_cast<unsigned>(whole / 3600),
                          static_cast<unsigned>(whole / 60 % 60), static_cast<unsigned>(whole % 60));
        else
            std::snprintf(left, sizeof left, "%u:%02u", static_cast<unsigned>(whole / 60), static_cast<unsigned>(whole % 60));
    }
    char line[160];
    std::snprintf(line, sizeof line, "[%s] %u/%u frames %3u%% %s fps %s left", bar.c_str(), static_cast<unsigned>(done),
                  static_cast<unsigned>(total), static_cast<unsigned>(percent), rate, left);
    return line;
}
