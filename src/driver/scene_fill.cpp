// FLOOD FILL AQUARELLA: dark circle outlines on a plain canvas, flooded region
// after region by the ragged fill, up to eight generations a frame, then a
// finale; the rainbow variant cycles the hues of the finished picture. The
// scene owns the fill and its canvas for one run; the index image of the
// rainbow finale is kept until the next run starts.
#include "driver/QORN7316_state.h"

#include <algorithm>
#include <array>
#include <utility>

#include "raster/FILL.h"

QORN7316_FLOODFILL floodFillState{};

namespace {

// Light colours have every channel at 0x80 or more, dark ones at 0x7F or less.
std::uint32_t lightOrDark()
{
    if ((RANDOM_random30u() & 1u) == 1u) return (RANDOM_random30u() & 0x7F7F7Fu) + 0x808080u;
    return RANDOM_random30u() & 0x7F7F7Fu;
}

void drawOutlines(QORN7316_FLOODFILL& s)
{
    IMG_clear(s.canvas, s.canvasColour);
    const std::uint32_t count = (RANDOM_random30u() & 3u) + 4u;
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto x = static_cast<std::int32_t>(RANDOM_random30u() % 256u);
        const auto y = static_cast<std::int32_t>(RANDOM_random30u() % 256u);
        const auto radius = static_cast<std::int32_t>(RANDOM_random30u() % 64u) + 8;
        RANDOM_random30u();   // drawn and not used
        const std::uint32_t colour = RANDOM_random30u() & 0x3F3F3Fu;
        IMG_drawCircle(s.canvas, x, y, radius, colour);
    }
}

// Row-order scan from a random pixel, wrapping from the last pixel to the
// first, for a pixel still in the canvas colour.
bool findSeed(const QORN7316_FLOODFILL& s, std::int32_t* seedX, std::int32_t* seedY)
{
    const auto x = static_cast<std::int32_t>(RANDOM_random30u() % 256u);
    const auto y = static_cast<std::int32_t>(RANDOM_random30u() % 256u);
    const IMG* c = s.canvas;
    if (c == nullptr || c->pixels == nullptr || c->width <= 0 || c->height <= 0) return false;
    const std::int64_t total = static_cast<std::int64_t>(c->width) * c->height;
    std::int64_t start = 0;
    if (x < c->width && y < c->height) start = static_cast<std::int64_t>(y) * c->width + x;
    for (std::int64_t n = 0; n < total; ++n) {
        const std::int64_t at = (start + n) % total;
        if (c->pixels[at] == s.canvasColour) {
            *seedX = static_cast<std::int32_t>(at % c->width);
            *seedY = static_cast<std::int32_t>(at / c->width);
            return true;
        }
    }
    return false;
}

// Colour to rainbow index, the highest index where a colour repeats (the
// table's corners hold each colour twice), as a search from 1535 down finds.
struct IndexOf {
    std::array<std::pair<std::uint32_t, std::int32_t>, FILL_RAINBOW_SIZE> sorted{};

    IndexOf()
    {
        for (std::int32_t i = 0; i < FILL_RAINBOW_SIZE; ++i) sorted[static_cast<std::size_t>(i)] = {FILL_rainbow[static_cast<std::size_t>(i)], -i};
        std::sort(sorted.begin(), sorted.end());
    }

    std::int32_t operator()(std::uint32_t colour) const
    {
        const auto it = std::lower_bound(sorted.begin(), sorted.end(), std::make_pair(colour, -FILL_RAINBOW_SIZE));
        if (it == sorted.end() || it->first != colour) return 0;   // not in the table
        return -it->second;
    }
};

void floodFillEnter()
{
    QORN7316_FLOODFILL& s = floodFillState;
    s.fill = FILL_new();
    s.canvas = IMG_new();
    IMG_setSize(s.canvas, screenWidth, screenHeight);
    if (s.fill != nullptr) s.fill->image = s.canvas;

    s.canvasColour = lightOrDark();
    if (s.fill != nullptr) s.fill->oldColour = s.canvasColour;
    IMG_clear(s.canvas, s.canvasColour);
    s.circlesDrawn = 0;

    std::uint32_t step = 0x010101u;
    s.rainbow = (RANDOM_random30u() & 1u) == 0u ? 1 : 0;
    if (s.rainbow != 0) {
        step = (RANDOM_random30u() % 13u) + 1u;
    } else if ((RANDOM_random30u() & 0x8000u) != 0) {
        step |= 0x80000000u;   // negative as a signed word: the shade step subtracts
    }
    if (s.fill != nullptr) s.fill->colourStep = step;

    fadeColour = ((RANDOM_random30u() & 63u) + 64u) * 0x010101u;
    blurOn = glowOn = 0;
    trailFade = 0;
    keepFrame = 0;
    backgroundColour = lightOrDark();

    if (s.indexImage != nullptr) IMG_free(&s.indexImage);
    s.cycleStep = static_cast<std::int32_t>(RANDOM_random30u() % 17u) - 8;
    s.finale = 500;
    s.filling = 1;

}

bool floodFillFrame(std::int32_t)
{
    QORN7316_FLOODFILL& s = floodFillState;
    if (s.filling == 0) {
        s.finale -= 1;
        if (s.finale < 1) return false;
        if (s.rainbow != 0) QORN7316_floodFillCycle();
    }
    // The step also runs in the finale: its seed search finds nothing.
    for (int i = 0; i < 8; ++i) {
        s.filling = QORN7316_floodFillStep() ? 1 : 0;
        if (s.filling == 0) break;
    }
    IMG_copy(s.canvas, frame);
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoWave();
    QORN7316_updateTitle();
    return true;
}

// The canvas belongs to the scene, not to the fill, so it is freed here too.
void floodFillLeave()
{
    QORN7316_FLOODFILL& s = floodFillState;
    if (s.fill != nullptr) FILL_free(&s.fill);
    if (s.canvas != nullptr) IMG_free(&s.canvas);
}

}  // namespace

bool QORN7316_floodFillStep()
{
    QORN7316_FLOODFILL& s = floodFillState;
    if (s.circlesDrawn == 0) {
        drawOutlines(s);
        s.circlesDrawn = 1;
    }
    if (s.fill != nullptr) {
        s.fill->mode = 'a';
        // Before the first seed the fill has no fronts and its step gives 0.
        const std::int32_t n = s.rainbow != 0 ? FILL_stepRainbow(s.fill) : FILL_stepShade(s.fill);
        if (n != 0) return true;
    }
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (!findSeed(s, &x, &y)) return false;
    FILL_start(s.fill, x, y, (RANDOM_random30u() & 0x7F7F7Fu) + 0x808080u);
    return true;
}

void QORN7316_floodFillCycle()
{
    QORN7316_FLOODFILL& s = floodFillState;
    if (s.canvas == nullptr || s.canvas->pixels == nullptr) return;
    if (s.indexImage == nullptr) {
        static const IndexOf indexOf;
        s.indexImage = IMG_clone(s.canvas);
        if (s.indexImage == nullptr) return;
        const std::size_t n = static_cast<std::size_t>(s.indexImage->width) * static_cast<std::size_t>(s.indexImage->height);
        for (std::size_t i = 0; i < n; ++i) s.indexImage->pixels[i] = static_cast<std::uint32_t>(indexOf(s.indexImage->pixels[i]));
    }
    if (s.indexImage->width != s.canvas->width || s.indexImage->height != s.canvas->height) return;
    const std::size_t n = static_cast<std::size_t>(s.canvas->width) * static_cast<std::size_t>(s.canvas->height);
    const auto step = static_cast<std::uint32_t>(s.cycleStep + FILL_RAINBOW_SIZE);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t index = (s.indexImage->pixels[i] + step) % FILL_RAINBOW_SIZE;
        s.indexImage->pixels[i] = index;
        s.canvas->pixels[i] = FILL_rainbow[index];
    }
}

extern const QORN7316_SCENE QORN7316_floodFillScene{"FLOOD FILL\n AQUARELLA", 1250, floodFillEnter, floodFillFrame, nullptr, floodFillLeave, false, true};
