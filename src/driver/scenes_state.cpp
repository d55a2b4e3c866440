// FINITE STATE and FLOWERS GAME: pictures that evolve by rules on a kept
// frame, one with particle pixels, one a pointer game.
#include "driver/QORN7316.h"

namespace {

void keepBlackFrame()
{
    trailFade = 0;
    keepFrame = 1;
    backgroundColour = 0;
}

void finiteStateEnter()
{
    IMG_clear(frame, 0);
    // TODO: the water and spark records, the obstacle lines, the background picture, fadeColour.
    blurOn = glowOn = 0;
    rasterOn = 0;
    keepBlackFrame();
    // TODO: flying logo colour.
    titleText = QORN7316_scenes[SCENE_FINITE_STATE].title;
    QORN7316_musicStep();
}

bool finiteStateFrame(std::int32_t)
{
    keepBlackFrame();
    // TODO: water from the top row, sparks from the bottom row, and their rules.
    QORN7316_drawFpsInfo();
    return true;
}

void flowersGameEnter()
{
    IMG_clear(frame, 0);
    // TODO: ground, flower pictures, work images and flower samples; tile map and score; fadeColour.
    blurOn = glowOn = 0;
    rasterOn = 0;
    keepBlackFrame();
    // TODO: flying logo colour, text colour and the recoloured title font.
    titleText = QORN7316_scenes[SCENE_FLOWERS_GAME].title;
    QORN7316_musicStep();
}

bool flowersGameFrame(std::int32_t)
{
    keepBlackFrame();
    // TODO: ground mosaic, tiles and flowers.
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    // TODO: the score.
    return true;
}

void flowersGameLeave()
{
    // TODO: undo the title font's recolouring.
    titleText = "";
}

void leaveWithoutTitle()
{
    titleText = "";
}

const QORN7316_LOOP finiteState{SCENE_FINITE_STATE, finiteStateEnter, finiteStateFrame, nullptr, leaveWithoutTitle, false, true};
const QORN7316_LOOP flowersGame{SCENE_FLOWERS_GAME, flowersGameEnter, flowersGameFrame, nullptr, flowersGameLeave, false, true};

}  // namespace

void QORN7316_finiteState() { QORN7316_runLoop(&finiteState); }
void QORN7316_flowersGame() { QORN7316_runLoop(&flowersGame); }
