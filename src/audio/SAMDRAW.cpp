// SAMDRAW: waveform drawing. The index steps through the values in 16.16
// fixed point; a range wider than the target steps by its whole part only,
// so the last columns may stop short of the range's end.
#include "audio/SAMDRAW.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "effects/IMGFX.h"

const MODID SAMDRAW_ID = MODID_CODE("SAMDRAW ");
std::uint8_t SAMDRAW_debug = 0;

namespace {

const SAMPLE* sampleOf(const SAMDRAW* d)
{
    if (d == nullptr || d->sam == nullptr || d->sam->sample == nullptr || d->target == nullptr) {
        SAMDRAW_error();
        return nullptr;
    }
    return d->sam->sample;
}

// The row a value reaches: mid + (v * mid) >> 15, kept in 32 bits for the
// clipping span.
std::int32_t rowOf(std::int64_t v, std::int32_t mid)
{
    const std::int64_t row = mid + ((v * mid) >> 15);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(row, INT32_MIN, INT32_MAX));
}

// 16.16 index step, in 64 bits so that a long span over a narrow target
// cannot overflow.
std::int64_t stepFor(std::int64_t span, std::int32_t width)
{
    if (span <= width) return (span << 16) / width;
    return (span / width) << 16;
}

// Fills the target, corrects first and last, then draws one column per step.
void drawColumns(SAMDRAW* d, bool smooth)
{
    if (d == nullptr || d->target == nullptr) { SAMDRAW_error(); return; }
    IMG* target = d->target;
    IMGFX_fillRect(target, 0, 0, target->width, target->height, d->background);
    const SAMPLE* s = sampleOf(d);
    if (s == nullptr) return;
    if (d->first < 0) d->first = 0;
    if (d->last >= s->count) d->last = s->count - 1;
    if (d->first > d->last) std::swap(d->first, d->last);
    // An empty sample leaves first and last outside it: nothing to draw.
    const std::int32_t width = target->width;
    if (s->count == 0 || d->first < 0 || width <= 0) return;
    const std::int32_t mid = target->height >> 1;
    const std::int64_t step = stepFor(smooth ? s->count : static_cast<std::int64_t>(d->last) - d->first, width);
    std::int64_t index = d->first;
    std::int64_t fraction = 0;
    for (std::int32_t x = 0; x < width && index <= d->last; ++x) {
        std::int64_t v = s->values[index];
        if (smooth) {
            const std::int64_t before = index > 0 ? s->values[index - 1] : 0;
            const std::int64_t after = index + 1 < s->count ? s->values[index + 1] : 0;
            v = (before + v + after) / 3;
        }
        IMGFX_vLine(target, x, mid, rowOf(v, mid), d->waveColor);
        fraction += step;
        index += fraction >> 16;
        fraction &= 0xffff;
    }
}

}  // namespace

SAMDRAW* SAMDRAW_new()
{
    SAMDRAW* d = new (std::nothrow) SAMDRAW{nullptr, nullptr, 0x808080, 0xffffff, 0, 0, 0};
    if (d == nullptr) { SAMDRAW_error(); std::exit(-1); }
    return d;
}

void SAMDRAW_free(SAMDRAW** drawer)
{
    if (drawer == nullptr || *drawer == nullptr) { SAMDRAW_error(); return; }
    delete *drawer;
    *drawer = nullptr;
}

void SAMDRAW_draw(SAMDRAW* d)
{
    drawColumns(d, false);
}

void SAMDRAW_drawSmooth(SAMDRAW* d)
{
    drawColumns(d, true);
}

void SAMDRAW_drawPeaks(SAMDRAW* d)
{
    const SAMPLE* s = sampleOf(d);
    if (s == nullptr || s->count == 0) return;
    const std::int32_t width = d->target->width;
    const std::int32_t mid = d->target->height >> 1;
    for (const std::int32_t i : {SAMPLE_indexOfMax(s), SAMPLE_indexOfMin(s)}) {
        const auto x = static_cast<std::int32_t>(static_cast<std::int64_t>(width) * i / s->count);
        IMGFX_vLine(d->target, x, mid, rowOf(s->values[i], mid), d->markColor);
    }
}

void SAMDRAW_drawPosition(SAMDRAW* d)
{
    const SAMPLE* s = sampleOf(d);
    if (s == nullptr || s->count == 0) return;
    const auto x = static_cast<std::int32_t>(static_cast<std::int64_t>(d->sam->position) * d->target->width / s->count);
    IMGFX_vLine(d->target, x, 0, d->target->height - 1, d->markColor);
}

void SAMDRAW_error()
{
    if (SAMDRAW_debug != 0) std::fputs("SAMDRAW error.\n", stdout);
}
