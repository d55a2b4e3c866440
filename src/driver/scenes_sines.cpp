// SINE LINES, 3D BALLS, HEIGHT FIELD and the two scenes outside the
// sequence, FLASHING PIXELS and "E"; also the sine-line set-up of start-up.
// The sine-line record, the ball and the height-field grid are made once and
// kept for the whole run. r below is a new RANDOM_random30 value at each use.
#include <array>
#include <cstdint>

#include "driver/QORN7316_state.h"
#include "effects/BALL3D.h"
#include "effects/SINELINE.h"
#include "foundation/INT.h"
#include "foundation/LIST.h"
#include "foundation/SINE.h"
#include "vector/LOGOFLY.h"
#include "vector/OBJ2D.h"
#include "vector/SEG2D.h"

namespace {

std::uint32_t lightColour() { return (INT_u(RANDOM_random30()) & 0x7F7F7Fu) + 0x808080u; }

// HEIGHT FIELD and "E": the last picture fades out, no filters, no trails.
void enterOverBlack()
{
    QORN7316_fadeOut();
    fadeColour = 0x080808u;
    blurOn = glowOn = 0;
    trailFade = 0;
    keepFrame = 0;
}

// The flying logo's new colour; the draw is made even without a logo.
void colourFlyingLogo()
{
    const std::uint32_t colour = lightColour();
    if (flyingLogo != nullptr) flyingLogo->color = colour;
}

// SINE LINES: eight stacked bands; their heights add up to 264, so the last
// band lies below the frame.
constexpr std::array<std::int32_t, 8> bandHeights = {12, 20, 28, 36, 44, 52, 64, 8};

SINELINE* sineLine = nullptr;
// Seven triples of y steps, then an eighth for the band below the frame: the
// table's progression (7 - k) x (c, b, a) continued to k = 7, that is zeros.
std::array<std::int32_t, 24> bandSteps{};

}  // namespace

void QORN7316_initSineLines()
{
    if (sineLine == nullptr) {
        sineLine = SINELINE_new();
        SINELINE_setCount(sineLine, 256);
    }
    if (sineLine == nullptr) { QORN7316_error(); return; }
    sineLine->width = 256;
    sineLine->height = 64;
    constexpr std::array<std::int32_t, 3> steps = {24, 32, 40};
    for (std::int32_t k = 0; k < 3; ++k) {
        sineLine->amplitude[k].y = 21;
        sineLine->step[k].y = steps[k];
    }
    sineLine->colour = 0xFFFFFFu;
    sineLine->speed[0].y = (RANDOM_random30() & 15) + 16;
    sineLine->speed[1].y = (RANDOM_random30() % 24) + 24;
    sineLine->speed[2].y = (RANDOM_random30() & 31) + 32;
    for (std::int32_t k = 0; k < 3; ++k)
        if ((RANDOM_random30() & 1) == 1) sineLine->speed[k].y = -sineLine->speed[k].y;
    // Entries 3k, 3k + 1, 3k + 2 are (k + 1) x (a, b, c); reversed, triple k
    // is (7 - k) x (c, b, a).
    for (std::int32_t i = 0; i < 3; ++i) bandSteps[i] = (RANDOM_random30() & 7) + 1;
    for (std::int32_t i = 3; i < 21; ++i) bandSteps[i] = bandSteps[i - 3] + bandSteps[i % 3];
    for (std::int32_t i = 0; i < 10; ++i) std::swap(bandSteps[i], bandSteps[20 - i]);
    bandSteps[21] = bandSteps[22] = bandSteps[23] = 0;
}

SINELINE* QORN7316_sineLineRecord() { return sineLine; }
const std::int32_t* QORN7316_sineLineBandSteps() { return bandSteps.data(); }

namespace {

void sineLinesEnter()
{
    fadeColour = INT_u((RANDOM_random30() & 63) + 64) * 0x010101u;
    blurOn = glowOn = 0;
    trailFade = 0;
    QORN7316_initSineLines();
}

// The stripes and the eight curtains; the phases move first when advance is set.
void drawSineLines(bool advance)
{
    SINELINE* s = sineLine;
    if (advance) SINELINE_advance(s);
    IMG_clear(frame, 0xFFFFFFu);
    // Stripes: red and green fall with y, a ramp from white to blue.
    std::int32_t y = 0;
    for (std::int32_t h : bandHeights) {
        IMG_fillRect(frame, 0, y, screenWidth, h, 0xFFFFFFu - INT_u(y + 63) * 0x010100u);
        y += h;
    }
    y = 0;
    for (std::size_t k = 0; k < bandHeights.size(); ++k) {
        const std::int32_t h = bandHeights[k];
        if (s != nullptr) {
            for (std::size_t c = 0; c < 3; ++c) {
                s->step[c].y = bandSteps[3 * k + c];
                s->amplitude[c].y = h / 3;
            }
            SINELINE_compute(s);
            s->width = 256;
            s->height = h;
            s->y = y;
            // Green 0x80 and blue y + 60 for the visible bands.
            const std::uint32_t b = INT_u(y + 60);
            s->colour = (b & ~0xFF00u) | ((((b >> 8) | 0x80u) & 0xFFu) << 8);
            SINELINE_compute(s);
        }
        SINELINE_drawCurtain(s, frame, 1);
        y += h;
    }
}

bool sineLinesFrame(std::int32_t)
{
    drawSineLines(true);
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoWave();
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    return true;
}

// Also after a skip: the scene always ends in white. When the last present
// cleared the frame (keepFrame 0), the last picture is drawn again first, so
// the curtains fade to white instead of cutting to the background colour.
void sineLinesLeave()
{
    if (keepFrame == 0) drawSineLines(false);
    QORN7316_fadeToWhite();
}

// 3D BALLS: one lit ball per frame piles up behind the background picture.
BALL3D* ball = nullptr;

void balls3DEnter()
{
    IMG_clear(frame, INT_u(RANDOM_random30()) & 0x1F1F1Fu);
    fadeColour = INT_u((RANDOM_random30() & 15) + 8) * 0x010101u;
    blurOn = glowOn = 0;
    trailFade = 0;
    keepFrame = 1;
    if (ball == nullptr) {
        ball = BALL3D_new();
        if (ball != nullptr) {
            ball->image = frame;
            ball->light = {10, 10, 10};
        }
    }
}

std::int32_t lightComponent(std::int32_t i) { return (SINE_at(i) * 10) >> 15; }

bool balls3DFrame(std::int32_t left)
{
    if (ball != nullptr) {
        ball->colour = INT_u(RANDOM_random30()) & 0x7F7F7Fu;
        ball->x = RANDOM_random30() % screenWidth;
        ball->y = RANDOM_random30() % screenHeight;
        ball->radius = (RANDOM_random30() % screenWidth) / 6 + 8;
        BALL3D_draw(ball);
        // The light for the next ball circles with the frames left.
        ball->light = {lightComponent(5 * left), lightComponent(3 * left), lightComponent(7 * left)};
    }
    if (backgroundPicture != nullptr)
        IMG_blit(backgroundPicture, frame, 0, 0, 0, 64, backgroundPicture->width, backgroundPicture->height);
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    return true;
}

// HEIGHT FIELD: a 64 x 64 wire grid whose heights follow two travelling sine
// waves, drawn from the previous frame's geometry, mirrored left to right.
constexpr std::int32_t gridSide = 64;
constexpr std::int32_t cell = 6;
constexpr std::int32_t gridSegments = 2 * gridSide * gridSide;

OBJ2D* grid = nullptr;       // the geometry
OBJ2D* gridCopy = nullptr;   // coloured and placed for drawing

struct Waves {
    std::int32_t phase1, speed1, amplitude1, rowStep;
    std::int32_t phase2, speed2, amplitude2, columnStep;
};
Waves waves{};
std::array<std::array<std::int32_t, gridSide>, gridSide> gridX{};
std::array<std::array<std::int32_t, gridSide>, gridSide> gridY{};

SEG2D* segment(const OBJ2D* object, std::int32_t index)
{
    return static_cast<SEG2D*>(LIST_get(object->segments, index));
}

void makeGrid()
{
    grid = OBJ2D_new();
    if (grid == nullptr) return;
    for (std::int32_t i = 0; i < gridSegments; ++i) {
        SEG2D* s = SEG2D_new();
        if (s != nullptr) OBJ2D_addSegment(grid, s);
    }
    gridCopy = OBJ2D_clone(grid);
}

void heightFieldEnter()
{
    enterOverBlack();
    if (grid == nullptr) makeGrid();
    waves.phase1 = RANDOM_random30() & SINE_MASK;
    waves.speed1 = (RANDOM_random30() & 15) + 3;
    waves.amplitude1 = (RANDOM_random30() & 15) + 12;
    waves.rowStep = (RANDOM_random30() & 31) + 24;
    waves.phase2 = RANDOM_random30() & SINE_MASK;
    waves.speed2 = (RANDOM_random30() & 31) + 3;
    waves.amplitude2 = (RANDOM_random30() & 15) + 12;
    waves.columnStep = (RANDOM_random30() & 31) + 24;
    for (std::int32_t i = 0; i < 4; ++i) RANDOM_random30();   // four draws that configure nothing visible
    colourFlyingLogo();
    backgroundColour = 0xFFFFFFu;
}

void setSegment(std::int32_t index, std::int32_t j0, std::int32_t i0, std::int32_t j1, std::int32_t i1)
{
    SEG2D* s = segment(grid, index);
    if (s == nullptr) return;
    s->start->x = gridX[j0][i0];
    s->start->y = gridY[j0][i0];
    s->end->x = gridX[j1][i1];
    s->end->y = gridY[j1][i1];
}

void drawGrid()
{
    if (grid == nullptr || gridCopy == nullptr) return;
    OBJ2D_copy(grid, gridCopy);
    // Segment (block b, column c) takes the colour wheel at 16 c + 10 f + 16 (b div 2).
    const std::uint32_t f = pacer != nullptr ? pacer->frames : 0u;
    for (std::int32_t index = 0; index < gridCopy->segments->count; ++index) {
        SEG2D* s = segment(gridCopy, index);
        const std::uint32_t b = INT_u(index / gridSide);
        const std::uint32_t c = INT_u(index % gridSide);
        if (s != nullptr) s->start->colour = QORN7316_wheel(16u * c + 10u * f + 16u * (b / 2u));
    }
    gridCopy->angle = 0;
    gridCopy->scale->x = -1;
    gridCopy->scale->y = 1;
    // Half the frame plus half of (64 + 64) x 6 across, half the frame minus half of 64 x 6 down.
    gridCopy->position->x = screenWidth / 2 + (gridSide + gridSide) * cell / 2;
    gridCopy->position->y = screenHeight / 2 - gridSide * cell / 2;
    OBJ2D_draw(gridCopy, frame);
}

void updateGrid()
{
    for (std::int32_t j = 0; j < gridSide; ++j)
        for (std::int32_t i = 0; i < gridSide; ++i) {
            gridX[j][i] = cell * i + cell * j;
            gridY[j][i] = cell * j + ((SINE_at(waves.phase1 + waves.rowStep * j) * waves.amplitude1 +
                                       SINE_at(waves.phase2 + waves.columnStep * i) * waves.amplitude2) >> 15);
        }
    waves.phase1 = (waves.phase1 + waves.speed1) & SINE_MASK;
    waves.phase2 = (waves.phase2 + waves.speed2) & SINE_MASK;
    if (grid == nullptr) return;
    const std::int32_t last = gridSide - 1;
    for (std::int32_t j = 0; j < gridSide; ++j)
        for (std::int32_t i = 0; i < gridSide; ++i) {
            // Rows, then columns; the last of each is a single point.
            setSegment(j * gridSide + i, j, i, j, i < last ? i + 1 : last);
            setSegment(gridSide * gridSide + j * gridSide + i, j, i, j < last ? j + 1 : last, i);
        }
}

bool heightFieldFrame(std::int32_t)
{
    drawGrid();
    updateGrid();
    QORN7316_drawFpsInfo();
    QORN7316_drawFlyingLogo();
    QORN7316_updateTitle();
    return true;
}

void flashingPixelsEnter()
{
    fadeColour = INT_u((RANDOM_random30() & 63) + 32) * 0x010101u;
    blurOn = 1;
    glowOn = 1;
    trailFade = 1;
}

bool flashingPixelsFrame(std::int32_t)
{
    QORN7316_drawLogoJumble();
    QORN7316_updateTitle();
    return true;
}

void eEnter()
{
    enterOverBlack();
    colourFlyingLogo();
}

bool eFrame(std::int32_t)
{
    QORN7316_drawFpsInfo();
    QORN7316_drawFlyingLogo();
    QORN7316_updateTitle();
    return true;
}

}  // namespace

extern const QORN7316_SCENE QORN7316_sineLinesScene{"SINE LINES", 750, sineLinesEnter, sineLinesFrame, nullptr, sineLinesLeave, false, true};
extern const QORN7316_SCENE QORN7316_balls3DScene{"3D BALLS", 750, balls3DEnter, balls3DFrame, nullptr, nullptr, false, true};
extern const QORN7316_SCENE QORN7316_heightFieldScene{"HEIGHT FIELD", 501, heightFieldEnter, heightFieldFrame, nullptr, nullptr, false, true};
extern const QORN7316_SCENE QORN7316_flashingPixelsScene{"FLASHING PIXELS", 1000, flashingPixelsEnter, flashingPixelsFrame, nullptr, nullptr, true, false};
extern const QORN7316_SCENE QORN7316_eScene{"E", 501, eEnter, eFrame, nullptr, nullptr, false, true};
