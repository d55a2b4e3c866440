// VIEW: the frame's place on the drawable and the pointer's way back. All in
// 64-bit integers: sizes up to 2^31 and positions anywhere never overflow.
#include "platform/VIEW.h"

#include <algorithm>

namespace {

std::int64_t atLeastOne(std::int32_t v)
{
    return v < 1 ? 1 : v;
}

// Division rounding toward minus infinity (den > 0).
std::int64_t floorDiv(std::int64_t num, std::int64_t den)
{
    const std::int64_t q = num / den;
    return (num % den != 0 && num < 0) ? q - 1 : q;
}

std::int32_t toInt32(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// One axis of the way back. The pointer's logical unit is sampled at its
// centre, (p + 1/2) * draw / window on the drawable, which is then measured
// against the frame's rectangle there.
std::int32_t back(std::int32_t p, std::int64_t window, std::int64_t draw, std::int64_t origin, std::int64_t extent,
                  std::int64_t frame)
{
    const std::int64_t num = ((2 * static_cast<std::int64_t>(p) + 1) * draw - 2 * origin * window) * frame;
    return toInt32(floorDiv(num, 2 * window * extent));
}

}  // namespace

VIEW VIEW_make(std::int32_t frameWidth, std::int32_t frameHeight, std::int32_t windowWidth, std::int32_t windowHeight,
               std::int32_t drawWidth, std::int32_t drawHeight, VIEW_MODE mode)
{
    const std::int64_t fw = atLeastOne(frameWidth), fh = atLeastOne(frameHeight);
    const std::int64_t dw = atLeastOne(drawWidth), dh = atLeastOne(drawHeight);
    std::int64_t w = 0, h = 0, scale = 0;
    if (mode == VIEW_MODE::INTEGER) scale = std::min(dw / fw, dh / fh);
    if (scale >= 1) {
        w = fw * scale;
        h = fh * scale;
    } else if (dw * fh <= dh * fw) {   // the width binds
        w = dw;
        h = std::max<std::int64_t>(1, dw * fh / fw);
    } else {
        h = dh;
        w = std::max<std::int64_t>(1, dh * fw / fh);
    }
    VIEW v{};
    v.frameWidth = static_cast<std::int32_t>(fw);
    v.frameHeight = static_cast<std::int32_t>(fh);
    v.windowWidth = static_cast<std::int32_t>(atLeastOne(windowWidth));
    v.windowHeight = static_cast<std::int32_t>(atLeastOne(windowHeight));
    v.drawWidth = static_cast<std::int32_t>(dw);
    v.drawHeight = static_cast<std::int32_t>(dh);
    v.width = static_cast<std::int32_t>(w);
    v.height = static_cast<std::int32_t>(h);
    v.x = static_cast<std::int32_t>((dw - w) / 2);
    v.y = static_cast<std::int32_t>((dh - h) / 2);
    v.scale = static_cast<std::int32_t>(scale);
    return v;
}

void VIEW_toFrame(const VIEW& view, std::int32_t windowX, std::int32_t windowY, std::int32_t* frameX,
                  std::int32_t* frameY)
{
    const std::int64_t ww = atLeastOne(view.windowWidth), wh = atLeastOne(view.windowHeight);
    const std::int64_t vw = atLeastOne(view.width), vh = atLeastOne(view.height);
    if (frameX != nullptr) *frameX = back(windowX, ww, atLeastOne(view.drawWidth), view.x, vw, atLeastOne(view.frameWidth));
    if (frameY != nullptr) *frameY = back(windowY, wh, atLeastOne(view.drawHeight), view.y, vh, atLeastOne(view.frameHeight));
}
