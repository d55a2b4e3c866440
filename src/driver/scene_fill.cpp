// FLOOD FILL AQUARELLA: dark circle outlines on a plain canvas, flooded
// region by region, then a finale. Its frame function ends the scene early
// once the finale has run out.
#include "driver/QORN7316.h"

namespace {

void floodFillEnter()
{
    // TODO: the fill and its canvas, canvas colour, variant, fadeColour, background colour,
    // cycle step and finale counter, in their order of draws.
    blurOn = glowOn = 0;
    trailFade = 0;
    keepFrame = 0;
    titleText = QORN7316_scenes[SCENE_FLOOD_FILL].title;
    QORN7316_musicStep();
}

bool floodFillFrame(std::int32_t)
{
    // TODO: the finale (return false when it has run out), up to 8 fill steps and the canvas copied into frame.
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoWave();
    QORN7316_updateTitle();
    return true;
}

void floodFillLeave()
{
    // TODO: free the fill and its canvas.
    titleText = "";
}

const QORN7316_LOOP floodFill{SCENE_FLOOD_FILL, floodFillEnter, floodFillFrame, nullptr, floodFillLeave, false, true};

}  // namespace

void QORN7316_floodFill() { QORN7316_runLoop(&floodFill); }
