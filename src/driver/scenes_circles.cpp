// The circle scenes: BLENDED CIRCLES, FILLED+BLENDED CIRCLES BENCHMARK,
// ROTATING BLENDED CIRCLES and CIRCLES WAVES, each an enter, a frame and a
// leave function run by the common frame loop. The benchmark count, the 64
// rings and the wave parameters are kept for the whole run.
#include "driver/QORN7316_state.h"

#include <algorithm>
#include <cstring>

#include "effects/IMGFX.h"
#include "foundation/LIST.h"
#include "foundation/SINE.h"
#include "foundation/VEC2D.h"
#include "raster/CIRCLE.h"
#include "vector/FONT.h"
#include "vector/LRADIAL.h"

std::int32_t circlesBenchmarkCount = 0;

namespace {

std::uint32_t wheel(std::uint32_t i) { return QORN7316_wheel(i); }

// A circle record on the stack: the drawing only reads centre, radius and colour.
void blendCircle(IMG* target, std::int32_t x, std::int32_t y, std::int32_t radius, std::uint32_t colour, std::int32_t alpha)
{
    VEC2D centre{x, y, colour};
    CIRCLE circle{&centre, radius, colour};
    CIRCLE_fillBlend(&circle, target, alpha);
}

// BLENDED CIRCLES: discs touching the nearest frame edge, bleaching out to white.

std::int32_t circleAlpha = 16;

void blendedCirclesEnter()
{
    circleAlpha = QORN7316_enterBleaching();
}

bool blendedCirclesFrame(std::int32_t)
{
    keepFrame = 1;
    QORN7316_blendedCirclesDraw(frame, circleCount, circleAlpha);
    QORN7316_drawBleachingOverlays();
    return true;
}

// FILLED+BLENDED CIRCLES BENCHMARK: as many discs as fit in the pacer's slot.

std::uint32_t circlesTextColour = 0x7F7F7Fu;

void circlesBenchmarkEnter()
{
    QORN7316_enterClearedWhite(63, 64);
    circlesTextColour = QORN7316_benchmarkTextColour(0x004444u);
}

bool circlesBenchmarkFrame(std::int32_t)
{
    QORN7316_benchmarkCircles(circlesBenchmarkCount + 1);
    circlesBenchmarkCount = QORN7316_adaptCount(circlesBenchmarkCount);
    if (statsOn != 0) QORN7316_drawBenchmarkText("FILLED, BLENDED\n", "CIRCLES\n", circlesBenchmarkCount);
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoWave();
    return true;
}

// The sheet is grey and the text colour a darkened wheel colour, never grey,
// so replacing the colours back restores the sheet exactly.
void circlesBenchmarkLeave()
{
    QORN7316_recolourTitleFont(circlesTextColour, 0x7F7F7Fu, 0x004444u, 0xFFFFFFu);
}

// ROTATING BLENDED CIRCLES: rings of discs, more rings on a faster machine.

constexpr std::int32_t RING_COUNT = 64;
LIST* rings = nullptr;            // 64 LRADIAL stars, made on the first run and kept
std::int32_t ringsInUse = 1;

void rotatingCirclesEnter()
{
    QORN7316_enterClearedWhite(15, 4);
    if (rings == nullptr) {
        rings = LIST_new();
        for (std::int32_t i = 0; i < RING_COUNT && rings != nullptr; ++i) {
            LRADIAL* ring = LRADIAL_new();
            if (ring == nullptr) break;
            ring->target = frame;
            LIST_push(rings, ring);
        }
    }
    ringsInUse = circlesBenchmarkCount / 24 + 1;
}

bool rotatingCirclesFrame(std::int32_t)
{
    // More rings than the list holds draw the ones it has.
    const std::int32_t n = rings == nullptr ? 0 : std::min(ringsInUse, rings->count);
    for (std::int32_t i = 0; i < n; ++i) {
        LRADIAL* ring = static_cast<LRADIAL*>(LIST_get(rings, i));
        LRADIAL_update(ring);
        LRADIAL_drawCircles(ring, i + 8);
    }
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoWave();
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    return true;
}

// CIRCLES WAVES: two chains of circles on Lissajous paths. Phases are sine-table indices;
// the parameters are drawn anew at every enter and changed by the keys.
struct Waves {
    std::int32_t phase[4];        // P0..P3
    std::int32_t frameStep[4];    // S0..S3, -16..16
    std::int32_t chainStep[4];    // D0..D3, -1023..1023
    std::int32_t length = 64;     // N, 0..1024
    std::int32_t alphaA = 32;     // 0..255
    std::int32_t alphaB = 32;     // 0..255
    std::int32_t textLeft = 256;  // frames the parameter text stays up
};
constexpr std::int32_t WAVES_TEXT_FRAMES = 256;
constexpr std::int32_t CHAIN_BASE[4] = {73, 107, 53, 87};
Waves waves;

void circlesWavesEnter()
{
    fadeColour = static_cast<std::uint32_t>(RANDOM_random30() & 31) * 0x010101u;
    blurOn = glowOn = 0;
    trailFade = 0;
    rasterOn = 1;
    scrollerOn = 1;
    keepFrame = 0;
    backgroundColour = 0xFFFFFFu;
    for (std::int32_t k = 0; k < 4; ++k) {
        waves.phase[k] = RANDOM_random30() & SINE_MASK;
        waves.frameStep[k] = (RANDOM_random30() & 7) + 1;
        waves.chainStep[k] = (RANDOM_random30() & 31) + CHAIN_BASE[k];
    }
    waves.length = (RANDOM_random30() & 63) + 32;
    waves.alphaA = (RANDOM_random30() & 31) + 24;
    waves.alphaB = (RANDOM_random30() & 31) + 24;
    QORN7316_initScroller();
}

void drawChains()
{
    const std::uint32_t f = pacer != nullptr ? pacer->frames : 0;
    std::int32_t q[4];
    std::copy(waves.phase, waves.phase + 4, q);
    for (std::int32_t i = waves.length; i >= 1; --i) {
        const std::uint32_t along = f + 8u * static_cast<std::uint32_t>(i);
        // The shift keeps the entry's signed high byte: -128..127 around the centre.
        blendCircle(frame, 128 + (SINE_at(q[0]) >> 8), 128 + (SINE_at(q[1]) >> 8), 31, wheel(along), waves.alphaA);
        blendCircle(frame, 128 + (SINE_at(q[2]) >> 8), 128 + (SINE_at(q[3]) >> 8), 15, wheel(along + 512u), waves.alphaB);
        for (std::int32_t k = 0; k < 4; ++k) q[k] = (q[k] + waves.chainStep[k]) & SINE_MASK;
    }
    for (std::int32_t k = 0; k < 4; ++k) waves.phase[k] = (waves.phase[k] + waves.frameStep[k]) & SINE_MASK;
}

// The wave parameters in the small font, each after its label: four hex
// digits for the wide fields, two for the bytes.
void drawWavesText()
{
    IMGFX_shadeRect(frame, 0, 232, 256, 24, 0x00001Fu, 96);
    if (smallFont == nullptr) return;
    const struct { std::int32_t x, y; const char* label; std::int32_t value; bool wide; } fields[] = {
        {0, 232, "CIRCLES:", waves.length, true},         {104, 232, "ALPHA:", waves.alphaA, false},
        {0, 240, "GX0:", waves.chainStep[0], true},        {0, 248, "GY0:", waves.chainStep[1], true},
        {72, 240, "GX1:", waves.chainStep[2], true},       {72, 248, "GY1:", waves.chainStep[3], true},
        {152, 240, "IX0:", waves.frameStep[0], false},     {152, 248, "IY0:", waves.frameStep[1], false},
        {208, 240, "IX1:", waves.frameStep[2], false},     {208, 248, "IY1:", waves.frameStep[3], false},
    };
    for (const auto& f : fields) {
        smallFont->x = f.x;
        smallFont->y = f.y;
        FONT_drawLine(smallFont, f.label);
        smallFont->x = f.x + 8 * static_cast<std::int32_t>(std::strlen(f.label));
        smallFont->y = f.y;
        const auto bits = static_cast<std::uint32_t>(f.value);
        if (f.wide) FONT_drawHex16(smallFont, static_cast<std::uint16_t>(bits & 0xFFFFu));
        else FONT_drawHexByte(smallFont, static_cast<std::uint8_t>(bits & 0xFFu));
    }
}

bool circlesWavesFrame(std::int32_t left)
{
    keepFrame = 0;
    drawChains();
    QORN7316_drawRasterBars();   // each overlay tests its own switch
    QORN7316_drawScroller();
    if (backgroundPicture != nullptr) {
        // Swings up to 319 pixels either way, mostly outside the frame.
        backgroundPicture->x = (SINE_at(5 * left) * 320) >> 15;
        backgroundPicture->y = 64 + (SINE_at(3 * left) >> 8);
        IMGFX_drawAverage(backgroundPicture, frame);
    }
    if (waves.textLeft > 0) {
        waves.textLeft -= 1;
        drawWavesText();
    }
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoWave();
    return true;
}

// Chain steps stay remainders of the table size; frame steps run round
// -16..16; alphas wrap in a byte.
void chainStep(std::int32_t k, std::int32_t delta) { waves.chainStep[k] = (waves.chainStep[k] + delta) % SINE_SIZE; }
void frameStep(std::int32_t k) { waves.frameStep[k] = (waves.frameStep[k] + 17) % 33 - 16; }
void alphas(std::int32_t delta)
{
    waves.alphaA = (waves.alphaA + delta) & 255;
    waves.alphaB = (waves.alphaB + delta) & 255;
}

// Runs before the driver's key handler, which then acts on the same key.
void circlesWavesKeys()
{
    if (keyboard == nullptr || keyboard->chars == nullptr) return;
    const char key = static_cast<char>(keyboard->chars[0]);
    if (key == 0) return;
    waves.textLeft = WAVES_TEXT_FRAMES;
    switch (key) {
    case 'C': chainStep(0, 1); break;
    case 'Z': chainStep(0, -1); break;
    case 'S': chainStep(1, 1); break;
    case 'X': chainStep(1, -1); break;
    case 'L': chainStep(2, 1); break;
    case 'J': chainStep(2, -1); break;
    case 'I': chainStep(3, 1); break;
    case 'K': chainStep(3, -1); break;
    case 'A': frameStep(0); break;
    case 'D': frameStep(1); break;
    case 'U': frameStep(2); break;
    case 'O': frameStep(3); break;
    case '+': waves.length = std::min(waves.length + 1, 1024); break;
    case '-': waves.length = std::max(waves.length - 1, 0); break;
    case '>': alphas(1); break;
    case '<': alphas(-1); break;
    default: break;
    }
}

// Its leave does nothing: the title stays until the next scene's enter.

}  // namespace

// The radius reaches the nearest edge pixel: 0 on the outermost rows and
// columns, so no disc reaches past the frame.
void QORN7316_blendedCirclesDraw(IMG* target, std::int32_t count, std::int32_t alpha)
{
    for (std::int32_t n = 0; n < count; ++n) {
        const std::int32_t x = RANDOM_random30() % 256;
        const std::int32_t y = RANDOM_random30() % 256;
        const std::int32_t radius = std::min({x, y, 255 - x, 255 - y});
        blendCircle(target, x, y, radius, wheel(static_cast<std::uint32_t>(RANDOM_random30() % 1536)), alpha);
    }
}

void QORN7316_benchmarkCircles(std::int32_t count)
{
    for (std::int32_t n = 0; n < count; ++n) {
        const std::int32_t x = RANDOM_random30() % 256;
        const std::int32_t y = RANDOM_random30() % 256;
        const std::int32_t radius = RANDOM_random30() % 64;   // up to a quarter of the frame width
        blendCircle(frame, x, y, radius, wheel(static_cast<std::uint32_t>(RANDOM_random30() % 1536)), 64);
    }
}

// The count climbs while frames finish early and falls when the last frame
// had no time to spare, so it settles at what fits in one slot.
std::int32_t QORN7316_adaptCount(std::int32_t count)
{
    const bool spare = pacer != nullptr && pacer->waitMicros >= 1;
    if (spare) return count < INT32_MAX ? count + 1 : count;
    return count > 0 ? count - 1 : 0;
}

void QORN7316_recolourTitleFont(std::uint32_t text, std::uint32_t newText, std::uint32_t paper, std::uint32_t newPaper)
{
    if (titleFont == nullptr) { QORN7316_error(); return; }
    IMG_replaceColour(titleFont->glyphs, text, newText);
    IMG_replaceColour(titleFont->glyphs, paper, newPaper);
}

std::uint32_t QORN7316_benchmarkTextColour(std::uint32_t paper)
{
    const std::uint32_t text = RGB888_darken(wheel(static_cast<std::uint32_t>(RANDOM_random30() % 1536)), 64);
    QORN7316_recolourTitleFont(0x7F7F7Fu, text, 0xFFFFFFu, paper);
    return text;
}

void QORN7316_drawBenchmarkText(const char* line2, const char* line3, std::int32_t count)
{
    if (titleFont == nullptr) { QORN7316_error(); return; }
    const struct { std::int32_t y; const char* text; } lines[] = {
        {16, "BENCHMARK\n"}, {176, line2}, {192, line3}, {208, "PER FRAME:\n"},
    };
    for (const auto& line : lines) {
        titleFont->x = 0;
        titleFont->y = line.y;
        FONT_drawLine(titleFont, line.text);
    }
    titleFont->x = 0;
    titleFont->y = 224;
    FONT_drawDecimal(titleFont, static_cast<std::uint32_t>(count));
}

extern const QORN7316_SCENE QORN7316_blendedCirclesScene{"BLENDED CIRCLES", 900, blendedCirclesEnter, blendedCirclesFrame, nullptr, nullptr, false, true};
extern const QORN7316_SCENE QORN7316_rotatingCirclesScene{"ROTATING\n BLENDED CIRCLES", 7500, rotatingCirclesEnter, rotatingCirclesFrame, nullptr, nullptr, true, true};
extern const QORN7316_SCENE QORN7316_circlesWavesScene{"CIRCLES WAVES", 3000, circlesWavesEnter, circlesWavesFrame, circlesWavesKeys, nullptr, true, true};
extern const QORN7316_SCENE QORN7316_circlesBenchmarkScene{"FILLED+BLENDED\n CIRCLES\n  BENCHMARK", 750, circlesBenchmarkEnter, circlesBenchmarkFrame, nullptr, circlesBenchmarkLeave, true, true};
