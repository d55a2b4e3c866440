// The rectangle scenes: BLENDED RECTANGLES, RECTANGLE BUBBLES, RECTANGLES
// MOVE, FILLED+BLENDED RECTANGLES BENCHMARK and RECTANGLE BUBBLES UP, each an
// enter, a frame and a leave function run by the common frame loop.
#include "driver/QORN7316.h"

namespace {

void blendedRectanglesEnter()
{
    IMG_clear(frame, 0xFFFFFFu);
    // TODO: fadeColour ((r AND 1) + 1) x 0x010101 and the blend alpha from it.
    backgroundColour = 0xFFFFFFu;
    blurOn = glowOn = 0;
    trailFade = 1;
    keepFrame = 1;
    scrollerOn = 0;
    QORN7316_initScroller();
    titleText = QORN7316_scenes[SCENE_BLENDED_RECTANGLES].title;
    QORN7316_musicStep();
}

bool blendedRectanglesFrame(std::int32_t)
{
    keepFrame = 1;
    // TODO: rectangleCount blended rectangles.
    QORN7316_drawRasterBars();
    QORN7316_drawScroller();
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoCorner();
    return true;
}

void rectangleBubblesEnter()
{
    // TODO: fadeColour ((r AND 31) + 32) x 0x010101.
    blurOn = glowOn = 0;
    trailFade = 1;
    rasterOn = 0;
    scrollerOn = 1;
    keepFrame = 0;
    backgroundColour = 0xFFFFFFu;
    QORN7316_initScroller();
    QORN7316_initRasterBars();
    titleText = QORN7316_scenes[SCENE_RECTANGLE_BUBBLES].title;
    QORN7316_musicStep();
}

bool rectangleBubblesFrame(std::int32_t)
{
    trailFade = 1;
    // TODO: draw, spawn and grow the bubbles.
    QORN7316_drawRasterBars();
    QORN7316_drawScroller();
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoWave();
    return true;
}

void rectanglesMoveEnter()
{
    fadeColour = 0x505050u;
    blurOn = glowOn = 0;
    trailFade = 0;
    rasterOn = 1;
    scrollerOn = 1;
    keepFrame = 0;
    backgroundColour = 0xFFFFFFu;
    QORN7316_initScroller();
    // TODO: the main and shadow lists and the rectangles' random placement.
    titleText = QORN7316_scenes[SCENE_RECTANGLES_MOVE].title;
    QORN7316_musicStep();
}

bool rectanglesMoveFrame(std::int32_t)
{
    keepFrame = 0;
    // TODO: rule choice, trial move, accept and the wrapped drawing.
    QORN7316_drawRasterBars();
    QORN7316_drawScroller();
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    QORN7316_drawLogoWobble();
    QORN7316_drawFpsInfo();
    return true;
}

void rectanglesBenchmarkEnter()
{
    // TODO: fadeColour ((r AND 63) + 64) x 0x010101.
    blurOn = glowOn = 0;
    trailFade = 0;
    keepFrame = 0;
    backgroundColour = 0xFFFFFFu;
    QORN7316_initScroller();
    QORN7316_initRasterBars();
    // TODO: flying logo colour and position, text colour and the recoloured title font.
    titleText = QORN7316_scenes[SCENE_RECTANGLES_BENCHMARK].title;
    QORN7316_musicStep();
}

bool rectanglesBenchmarkFrame(std::int32_t)
{
    // TODO: benchmark rectangles, the count's adaptation and the benchmark text.
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    QORN7316_drawFlyingLogo();
    return true;
}

void rectanglesBenchmarkLeave()
{
    // TODO: undo the title font's recolouring.
    titleText = "";
}

void rectangleBubblesUpEnter()
{
    // TODO: fadeColour ((r AND 31) + 32) x 0x010101.
    blurOn = glowOn = 0;
    rasterOn = 0;
    scrollerOn = 1;
    trailFade = 1;
    keepFrame = 0;
    backgroundColour = 0xFFFFFFu;
    // TODO: the 400 bubbles on the first run.
    QORN7316_initScroller();
    QORN7316_initRasterBars();
    titleText = QORN7316_scenes[SCENE_RECTANGLE_BUBBLES_UP].title;
    QORN7316_musicStep();
}

bool rectangleBubblesUpFrame(std::int32_t)
{
    trailFade = 1;
    // TODO: rise and draw the bubbles.
    QORN7316_drawRasterBars();
    QORN7316_drawScroller();
    // TODO: the wobbling bubble picture.
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoWave();
    return true;
}

void leaveWithoutTitle()
{
    titleText = "";
}

// TODO: RECTANGLES MOVE's own keys (rule selection) as the loop's keys function.
const QORN7316_LOOP blendedRectangles{SCENE_BLENDED_RECTANGLES, blendedRectanglesEnter, blendedRectanglesFrame, nullptr, leaveWithoutTitle, false, true};
const QORN7316_LOOP rectangleBubbles{SCENE_RECTANGLE_BUBBLES, rectangleBubblesEnter, rectangleBubblesFrame, nullptr, leaveWithoutTitle, true, true};
const QORN7316_LOOP rectanglesMove{SCENE_RECTANGLES_MOVE, rectanglesMoveEnter, rectanglesMoveFrame, nullptr, leaveWithoutTitle, true, true};
const QORN7316_LOOP rectanglesBenchmark{SCENE_RECTANGLES_BENCHMARK, rectanglesBenchmarkEnter, rectanglesBenchmarkFrame, nullptr, rectanglesBenchmarkLeave, true, true};
const QORN7316_LOOP rectangleBubblesUp{SCENE_RECTANGLE_BUBBLES_UP, rectangleBubblesUpEnter, rectangleBubblesUpFrame, nullptr, leaveWithoutTitle, true, true};

}  // namespace

void QORN7316_blendedRectangles() { QORN7316_runLoop(&blendedRectangles); }
void QORN7316_rectangleBubbles() { QORN7316_runLoop(&rectangleBubbles); }
void QORN7316_rectanglesMove() { QORN7316_runLoop(&rectanglesMove); }
void QORN7316_rectanglesBenchmark() { QORN7316_runLoop(&rectanglesBenchmark); }
void QORN7316_rectangleBubblesUp() { QORN7316_runLoop(&rectangleBubblesUp); }
