// The shared overlays drawn over the scenes, and the objects only they use:
// raster bars, greetings scroller, flying logo and pointer sprite. Each
// overlay tests its own switch (scrollerOn, rasterOn, fpsInfoOn).
#include <vector>

#include "assets/ASSETS.h"
#include "audio/SAMPLE.h"
#include "driver/QORN7316_state.h"
#include "effects/IMGFX.h"
#include "effects/RASTER.h"
#include "foundation/DISTX.h"
#include "foundation/DISTY.h"
#include "foundation/SINE.h"
#include "platform/HOST.h"
#include "platform/MOUSE.h"
#include "vector/FONT.h"
#include "vector/LFONT.h"
#include "vector/LOGOFLY.h"
#include "vector/OBJ2D.h"
#include "vector/SCROLL.h"

RASTER* rasterBars = nullptr;
LOGOFLY* flyingLogo = nullptr;
MOUSE* pointerSprite = nullptr;

namespace {

constexpr const char* groupWord = "QORN";
constexpr std::int32_t scrollWidth = 512;
constexpr std::int32_t scrollHeight = 64;

IMG* textImage = nullptr;      // the scroller draws the greetings here
IMG* colourImage = nullptr;    // the raster bars paint here
IMG* waveImage = nullptr;      // the horizontal wave's result, source of the vertical one
SCROLL* scroller = nullptr;
DISTX* waveX = nullptr;
DISTY* waveY = nullptr;

std::uint32_t frameCount()
{
    return pacer != nullptr ? pacer->frames : 0;
}

IMG* makeImage(std::int32_t w, std::int32_t h)
{
    IMG* img = IMG_new();
    if (img != nullptr) IMG_setSize(img, w, h);
    return img;
}

// The line font at scale (1, 1), angle 0, pen at (x, y), drawing into frame.
bool penAt(std::int32_t x, std::int32_t y)
{
    if (lineFont == nullptr || lineFont->position == nullptr || lineFont->scale == nullptr) {
        QORN7316_error();
        return false;
    }
    lineFont->scale->x = 1;
    lineFont->scale->y = 1;
    lineFont->angle = 0;
    lineFont->position->x = x;
    lineFont->position->y = y;
    lineFont->target = frame;
    return true;
}

void drawLetter(std::int32_t k)
{
    lineFont->code = groupWord[k];
    LFONT_drawChar(lineFont);
}

// The line font's glyphs are one-pixel lines in fully saturated or light
// colours (white at first), and the scenes are mostly white, some dark or
// mid-coloured: such letters can fade into them. So every line-font overlay
// is drawn twice, first one pixel right and down in the shadow colour of each
// letter's colour (black under light letters, white under dark ones), then in
// the letters' own colours on top.
std::uint32_t shadowOf(std::uint32_t colour)
{
    const std::uint32_t luma = 299 * ((colour >> 16) & 255) + 587 * ((colour >> 8) & 255) + 114 * (colour & 255);
    return luma >= 128 * 1000 ? 0x000000u : 0xFFFFFFu;
}

// draw(1) draws the shadow, draw(0) the letters. Where the overlay keeps the
// colours the glyphs hold, codes names its glyphs: for the shadow pass they
// take their shadow colours, and get their own back for the letters. Where
// the overlay sets the colours itself (codes null), draw(1) sets shadows.
template <typename Draw>
void drawShadowed(const char* codes, Draw draw)
{
    if (lineFont == nullptr || lineFont->glyphs == nullptr) { draw(0); return; }   // reports once
    if (codes == nullptr) {
        draw(1);
        draw(0);
        return;
    }
    std::vector<std::uint32_t> saved;
    auto eachPoint = [&](auto visit) {
        for (const char* c = codes; *c != '\0'; ++c) {
            const auto code = static_cast<std::int32_t>(static_cast<unsigned char>(*c));
            if (code >= lineFont->glyphs->count) continue;
            const auto* g = static_cast<const OBJ2D*>(lineFont->glyphs->items[code]);
            if (g == nullptr || g->points == nullptr) continue;
            for (std::int32_t i = 0; i < g->points->count; ++i)
                if (auto* point = static_cast<VEC2D*>(g->points->items[i])) visit(*point);
        }
    };
    eachPoint([&](VEC2D& point) { saved.push_back(point.colour); point.colour = shadowOf(point.colour); });
    draw(1);
    std::size_t i = 0;
    eachPoint([&](VEC2D& point) { point.colour = saved[i++]; });
    draw(0);
}

// Amplitude, step between rows (or columns) and step per frame, in this order.
void randomWave(CURSORX& cursor, std::int32_t& amplitude)
{
    amplitude = static_cast<std::int32_t>(RANDOM_random30() & 31) + 32;
    cursor.step = static_cast<std::int32_t>(RANDOM_random30() & 3) + 1;
    cursor.speed = static_cast<std::int32_t>(RANDOM_random30() & 15) + 16;
}

}  // namespace

void QORN7316_initRasterBars()
{
    if (rasterBars == nullptr) {
        rasterBars = RASTER_new();
        if (rasterBars == nullptr) return;
        RASTER_setSize(rasterBars, 1536);
        if (rasterBars->count == 1536 && colourWheel != nullptr && colourWheel->count >= 1536)
            for (std::int32_t i = 0; i < 1536; ++i)
                rasterBars->colours[i] = static_cast<std::uint32_t>(colourWheel->values[i]);
    }
    rasterBars->speed = -131072;   // -2 rows a frame, 16.16
}

void QORN7316_initScroller()
{
    if (textImage == nullptr) textImage = makeImage(scrollWidth, scrollHeight);
    if (colourImage == nullptr) colourImage = makeImage(scrollWidth, scrollHeight);
    if (scroller == nullptr) {
        scroller = SCROLL_new();
        auto text = ASSETS_find("greetings.txt");   // followed by a zero byte
        if (scroller != nullptr && !text.empty()) {
            SCROLL_set(scroller, reinterpret_cast<const char*>(text.data()), bigFont, textImage);
            scroller->speed = 5;
        }
    }
    if (waveX == nullptr) {
        waveX = DISTX_new();
        if (waveX != nullptr) {
            waveX->image = textImage;
            waveX->x = -128;
            waveX->y = 0;
        }
    }
    if (waveX != nullptr) randomWave(waveX->cursor, waveX->amplitude);
    if (waveY == nullptr) {
        waveY = DISTY_new();
        if (waveY != nullptr) {
            if (waveImage == nullptr) waveImage = makeImage(scrollWidth, scrollHeight);
            waveY->image = waveImage;
            waveY->x = 0;
            waveY->y = 160;
        }
    }
    if (waveY != nullptr) randomWave(waveY->cursor, waveY->amplitude);
}

void QORN7316_makeFlyingLogo()
{
    flyingLogo = LOGOFLY_new();
    if (flyingLogo == nullptr) return;
    flyingLogo->text = groupWord;
    flyingLogo->font = lineFont;
    flyingLogo->color = (RANDOM_random30() & 0x7F7F7Fu) + 0x808080u;
    flyingLogo->target = frame;
    flyingLogo->x = 0;
    flyingLogo->y = 240;
}

void QORN7316_makePointerSprite()
{
    pointerSprite = MOUSE_new();
    if (pointerSprite == nullptr) return;
    pointerSprite->pointer = pointer;
    pointerSprite->sprite = QORN7316_picture("pointer.ppm");
    pointerSprite->target = frame;
}

void QORN7316_updateTitle()
{
    titleOn = (frameCount() & 0x200u) != 0 ? 1 : 0;
    if (titleOn == 0 || titleFont == nullptr) return;
    titleFont->x = 0;
    titleFont->y = 0;
    titleFont->target = frame;
    FONT_drawText(titleFont, titleText);
}

// With --trace a change of the buttons prints where the pointer is, in
// frame pixels: the way to check the pointer's mapping through a scaled or
// fullscreen window.
void QORN7316_drawPointer()
{
    static std::int32_t tracedButtons = 0;
    WINPTR_poll(pointer);
    if (QORN7316_trace != 0 && pointer != nullptr && pointer->buttons != tracedButtons) {
        tracedButtons = pointer->buttons;
        std::fprintf(stderr, "frame %u: pointer %d,%d buttons %d\n", static_cast<unsigned>(HOST_presentedFrames()),
                     static_cast<int>(pointer->x), static_cast<int>(pointer->y), static_cast<int>(tracedButtons));
    }
    MOUSE_update(pointerSprite);
    MOUSE_draw(pointerSprite);
}

void QORN7316_drawFpsInfo()
{
    if ((fpsInfoOn & 1) == 0 || pacer == nullptr) return;
    const auto rate = static_cast<std::uint8_t>(pacer->achievedRate & 0xFF);
    const std::uint32_t frames = pacer->frames;
    drawShadowed("0123456789ABCDEFfps", [&](std::int32_t d) {
        if (!penAt(d, d)) return;
        LFONT_drawHexByte(lineFont, rate);
        LFONT_drawLine(lineFont, "fps");
        lineFont->position->x = 128 + d;
        lineFont->position->y = d;
        LFONT_drawHex32(lineFont, frames);
    });
}

void QORN7316_drawLogoWave()
{
    const std::uint32_t f = frameCount();
    drawShadowed(nullptr, [&](std::int32_t d) {
        if (!penAt(176 + d, 240 + d)) return;
        for (std::int32_t k = 0; k < 4; ++k) {
            const auto kk = static_cast<std::uint32_t>(k);
            const std::uint32_t colour = QORN7316_wheel(f + 192 - 64 * kk);
            LFONT_setColor(lineFont, d != 0 ? shadowOf(colour) : colour);
            // The halved mask keeps the index in the wave's upper half: letters hop up to 31 pixels.
            const std::int32_t s = SINE_table[(17 * f + 96 - 32 * kk) & (SINE_MASK >> 1)];
            lineFont->position->y = 240 - (s >> 10) + d;
            drawLetter(k);
        }
    });
}

void QORN7316_drawLogoCorner()
{
    drawShadowed(groupWord, [](std::int32_t d) {
        if (!penAt(192 + d, 240 + d)) return;
        for (std::int32_t k = 0; k < 4; ++k) drawLetter(k);   // in the colour last set
    });
}

void QORN7316_drawLogoWobble()
{
    const std::uint32_t f = frameCount();
    drawShadowed(nullptr, [&](std::int32_t d) {
        if (!penAt(d, d)) return;
        for (std::int32_t k = 0; k < 4; ++k) {
            const auto kk = static_cast<std::uint32_t>(k);
            const std::uint32_t colour = QORN7316_wheel(f + 192 - 64 * kk);
            LFONT_setColor(lineFont, d != 0 ? shadowOf(colour) : colour);
            lineFont->position->x = 32 + (SINE_at(23 * f + 500 - 50 * kk) >> 12) + 16 * k - 8 + d;
            lineFont->position->y = 32 + (SINE_at(17 * f + 800 - 200 * kk) >> 12) - 24 + d;
            drawLetter(k);
        }
    });
}

void QORN7316_drawLogoJumble()
{
    if (RANDOM_random30() % 64 != 0) return;
    if (lineFont == nullptr || lineFont->scale == nullptr) { QORN7316_error(); return; }
    const std::int32_t sx = static_cast<std::int32_t>(RANDOM_random30() & 3) + 1;
    const std::int32_t sy = static_cast<std::int32_t>(RANDOM_random30() & 3) + 1;
    // The bounds keep the whole word inside the frame; both are at least 1.
    const auto y = static_cast<std::int32_t>(RANDOM_random30() % static_cast<std::uint32_t>(screenHeight - 16 * sy + 1));
    const auto x = static_cast<std::int32_t>(RANDOM_random30() % static_cast<std::uint32_t>(screenWidth - 64 * sx + 1));
    drawShadowed(groupWord, [&](std::int32_t d) {
        if (!penAt(x + d, y + d)) return;
        lineFont->scale->x = sx;
        lineFont->scale->y = sy;
        for (std::int32_t k = 0; k < 4; ++k) drawLetter(k);   // in the colour last set
    });
}

void QORN7316_drawScroller()
{
    if (scrollerOn == 0 || scroller == nullptr) return;
    IMG_clear(textImage, 0);
    IMG_clear(waveImage, 0);
    SCROLL_step(scroller);
    SCROLL_draw(scroller);
    // Only the letters' mid-grey bodies take the bar colours; outlines stay.
    IMGFX_copyRectOnKey(colourImage, textImage, 0, 0, 0, 0, scrollWidth, scrollHeight, 0x7F7F7F);
    DISTX_draw(waveX, waveImage);
    DISTX_advance(waveX);
    DISTY_draw(waveY, frame);
    DISTY_advance(waveY);
}

void QORN7316_drawRasterBars()
{
    if (rasterOn == 0 || rasterBars == nullptr) return;
    RASTER_move(rasterBars);
    RASTER_draw(rasterBars, colourImage);
}

void QORN7316_drawFlyingLogo()
{
    if (flyingLogo == nullptr) { QORN7316_error(); return; }
    // Its colour is light and several of its scenes are white: its shadow
    // goes first, as for the other line-font overlays.
    const LOGOFLY logo = *flyingLogo;
    flyingLogo->color = shadowOf(logo.color);
    flyingLogo->x = logo.x + 1;
    flyingLogo->y = logo.y + 1;
    LOGOFLY_draw(flyingLogo);
    flyingLogo->color = logo.color;
    flyingLogo->x = logo.x;
    flyingLogo->y = logo.y;
    LOGOFLY_draw(flyingLogo);
    LOGOFLY_update(flyingLogo);
}
