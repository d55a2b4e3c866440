// The circle scenes: BLENDED CIRCLES, FILLED+BLENDED CIRCLES BENCHMARK,
// ROTATING BLENDED CIRCLES and CIRCLES WAVES, each an enter, a frame and a
// leave function run by the common frame loop.
#include "driver/QORN7316.h"

namespace {

void blendedCirclesEnter()
{
    IMG_clear(frame, 0xFFFFFFu);
    // TODO: fadeColour ((r AND 1) + 1) x 0x010101 and the circle alpha from it.
    backgroundColour = 0xFFFFFFu;
    blurOn = glowOn = 0;
    trailFade = 1;
    keepFrame = 1;
    scrollerOn = 0;
    QORN7316_initScroller();
    titleText = QORN7316_scenes[SCENE_BLENDED_CIRCLES].title;
    QORN7316_musicStep();
}

bool blendedCirclesFrame(std::int32_t)
{
    keepFrame = 1;
    // TODO: circleCount blended circles touching the nearest frame edge.
    QORN7316_drawRasterBars();
    QORN7316_drawScroller();
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoCorner();
    return true;
}

void circlesBenchmarkEnter()
{
    // TODO: fadeColour ((r AND 63) + 64) x 0x010101.
    blurOn = glowOn = 0;
    trailFade = 0;
    keepFrame = 0;
    backgroundColour = 0xFFFFFFu;
    // TODO: text colour and the recoloured title font.
    titleText = QORN7316_scenes[SCENE_CIRCLES_BENCHMARK].title;
    QORN7316_musicStep();
}

bool circlesBenchmarkFrame(std::int32_t)
{
    // TODO: benchmark circles, the count's adaptation and the benchmark text.
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoWave();
    return true;
}

void circlesBenchmarkLeave()
{
    // TODO: undo the title font's recolouring.
    titleText = "";
}

void rotatingCirclesEnter()
{
    // TODO: fadeColour ((r AND 15) + 4) x 0x010101.
    blurOn = glowOn = 0;
    trailFade = 0;
    keepFrame = 0;
    backgroundColour = 0xFFFFFFu;
    // TODO: the 64 rings on the first run and the ring count.
    titleText = QORN7316_scenes[SCENE_ROTATING_CIRCLES].title;
    QORN7316_musicStep();
}

bool rotatingCirclesFrame(std::int32_t)
{
    // TODO: the rings of circles.
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoWave();
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    return true;
}

void circlesWavesEnter()
{
    // TODO: fadeColour (r AND 31) x 0x010101.
    blurOn = glowOn = 0;
    trailFade = 0;
    rasterOn = 1;
    scrollerOn = 1;
    keepFrame = 0;
    backgroundColour = 0xFFFFFFu;
    // TODO: the chain parameters P, S, D, N, A and B.
    QORN7316_initScroller();
    titleText = QORN7316_scenes[SCENE_CIRCLES_WAVES].title;
    QORN7316_musicStep();
}

bool circlesWavesFrame(std::int32_t)
{
    keepFrame = 0;
    // TODO: the two circle chains.
    QORN7316_drawRasterBars();
    QORN7316_drawScroller();
    // TODO: the moving background picture and the parameter text.
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

// TODO: CIRCLES WAVES's own keys (parameter changes) as the loop's keys function.
const QORN7316_LOOP blendedCircles{SCENE_BLENDED_CIRCLES, blendedCirclesEnter, blendedCirclesFrame, nullptr, leaveWithoutTitle, false, true};
const QORN7316_LOOP circlesBenchmark{SCENE_CIRCLES_BENCHMARK, circlesBenchmarkEnter, circlesBenchmarkFrame, nullptr, circlesBenchmarkLeave, true, true};
const QORN7316_LOOP rotatingCircles{SCENE_ROTATING_CIRCLES, rotatingCirclesEnter, rotatingCirclesFrame, nullptr, leaveWithoutTitle, true, true};
const QORN7316_LOOP circlesWaves{SCENE_CIRCLES_WAVES, circlesWavesEnter, circlesWavesFrame, nullptr, nullptr, true, true};

}  // namespace

void QORN7316_blendedCircles() { QORN7316_runLoop(&blendedCircles); }
void QORN7316_circlesBenchmark() { QORN7316_runLoop(&circlesBenchmark); }
void QORN7316_rotatingCircles() { QORN7316_runLoop(&rotatingCircles); }
void QORN7316_circlesWaves() { QORN7316_runLoop(&circlesWaves); }
