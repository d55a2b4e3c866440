// FPS: frame pacing on the host's millisecond tick count. The timekeeping
// is in doubles of microseconds; every conversion to an integer truncates
// toward zero and is clamped first, so no value can overflow.
#include "platform/FPS.h"

#include <new>

#include "platform/HOST.h"

const MODID FPS_ID = MODID_WINDOWS("FPS     ");
std::uint8_t FPS_debug = 0;

namespace {

double now()
{
    return static_cast<double>(HOST_ticks()) * 1000.0;   // widened without sign
}

// Truncation toward zero into 32 bits. A tick count that wrapped between
// start and end gives a huge negative difference, which lands on the
// "same tick" rule instead of an out-of-range conversion.
std::int32_t truncate32(double v)
{
    if (!(v > -2147483648.0)) return INT32_MIN;
    if (!(v < 2147483647.0)) return INT32_MAX;
    return static_cast<std::int32_t>(v);
}

}  // namespace

FPS* FPS_new()
{
    FPS* fps = new (std::nothrow) FPS{};
    if (fps == nullptr) FPS_error();
    return fps;
}

void FPS_free(FPS** fps)
{
    if (fps == nullptr || *fps == nullptr) { FPS_error(); return; }
    delete *fps;
    *fps = nullptr;
}

void FPS_start(FPS* fps)
{
    if (fps == nullptr) { FPS_error(); return; }
    // The slot in whole milliseconds, as FPS_wait sleeps it.
    HOST_frameStart(fps->targetRate >= 1 ? static_cast<std::uint32_t>(1000000 / fps->targetRate / 1000) : 0u);
    fps->startTime = now();
}

void FPS_end(FPS* fps)
{
    if (fps == nullptr) { FPS_error(); return; }
    fps->frames += 1;
    fps->endTime = now();
    fps->elapsed = static_cast<double>(truncate32(fps->endTime - fps->startTime));
    if (fps->elapsed <= 0.0) fps->elapsed = 1.0;   // both times fell in the same tick
    fps->measuredRate = truncate32(1000000.0 / fps->elapsed);
}

void FPS_wait(FPS* fps)
{
    if (fps == nullptr) { FPS_error(); return; }
    // A target below 1 has no slot; the frame then counts as having none to spare.
    const std::int32_t slot = fps->targetRate >= 1 ? 1000000 / fps->targetRate : 0;
    fps->waitMicros = truncate32(static_cast<double>(slot) - fps->elapsed);
    if (fps->targetRate >= 1 && fps->waitMicros > 0) {
        HOST_sleep(static_cast<std::uint32_t>(fps->waitMicros / 1000));
        fps->achievedRate = fps->targetRate;
    } else {
        fps->achievedRate = truncate32(1000000.0 / fps->elapsed);
    }
}

void FPS_error()
{
}
