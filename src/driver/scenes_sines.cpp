// SINE LINES, 3D BALLS, HEIGHT FIELD and the two scenes outside the
// sequence, FLASHING PIXELS and "E"; also the sine-line set-up of start-up.
#include "driver/QORN7316.h"

void QORN7316_initSineLines()
{
    // TODO: the sine-line record and its band step table.
}

namespace {

void sineLinesEnter()
{
    // TODO: fadeColour ((r AND 63) + 64) x 0x010101.
    blurOn = glowOn = 0;
    trailFade = 0;
    QORN7316_initSineLines();
    titleText = QORN7316_scenes[SCENE_SINE_LINES].title;
    QORN7316_musicStep();
}

bool sineLinesFrame(std::int32_t)
{
    // TODO: stripes and sine curtains.
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoWave();
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    return true;
}

// Also after a skip: the scene always ends in white.
void sineLinesLeave()
{
    QORN7316_fadeToWhite();
    titleText = "";
}

void balls3DEnter()
{
    // TODO: clear the frame to a dark random colour; fadeColour ((r AND 15) + 8) x 0x010101.
    blurOn = glowOn = 0;
    trailFade = 0;
    keepFrame = 1;
    // TODO: the ball on the first run.
    titleText = QORN7316_scenes[SCENE_3D_BALLS].title;
    QORN7316_musicStep();
}

bool balls3DFrame(std::int32_t)
{
    // TODO: one ball, the next light, the background picture over them.
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    return true;
}

void heightFieldEnter()
{
    QORN7316_fadeOut();
    fadeColour = 0x080808u;
    blurOn = glowOn = 0;
    trailFade = 0;
    keepFrame = 0;
    // TODO: the grid object on the first run, the wave parameters and the flying logo colour.
    backgroundColour = 0xFFFFFFu;
    titleText = QORN7316_scenes[SCENE_HEIGHT_FIELD].title;
    QORN7316_musicStep();
}

bool heightFieldFrame(std::int32_t)
{
    // TODO: draw the grid, then update its geometry.
    QORN7316_drawFpsInfo();
    QORN7316_drawFlyingLogo();
    QORN7316_updateTitle();
    return true;
}

void flashingPixelsEnter()
{
    // TODO: fadeColour ((r AND 63) + 32) x 0x010101.
    blurOn = 1;
    glowOn = 1;
    trailFade = 1;
    titleText = QORN7316_scenes[SCENE_FLASHING_PIXELS].title;
    QORN7316_musicStep();
}

bool flashingPixelsFrame(std::int32_t)
{
    QORN7316_drawLogoJumble();
    QORN7316_updateTitle();
    return true;
}

void eEnter()
{
    QORN7316_fadeOut();
    fadeColour = 0x080808u;
    blurOn = glowOn = 0;
    trailFade = 0;
    keepFrame = 0;
    // TODO: flying logo colour.
    titleText = QORN7316_scenes[SCENE_E].title;
    QORN7316_musicStep();
}

bool eFrame(std::int32_t)
{
    QORN7316_drawFpsInfo();
    QORN7316_drawFlyingLogo();
    QORN7316_updateTitle();
    return true;
}

void leaveWithoutTitle()
{
    titleText = "";
}

const QORN7316_LOOP sineLines{SCENE_SINE_LINES, sineLinesEnter, sineLinesFrame, nullptr, sineLinesLeave, false, true};
const QORN7316_LOOP balls3D{SCENE_3D_BALLS, balls3DEnter, balls3DFrame, nullptr, leaveWithoutTitle, false, true};
const QORN7316_LOOP heightField{SCENE_HEIGHT_FIELD, heightFieldEnter, heightFieldFrame, nullptr, nullptr, false, true};
const QORN7316_LOOP flashingPixels{SCENE_FLASHING_PIXELS, flashingPixelsEnter, flashingPixelsFrame, nullptr, leaveWithoutTitle, true, false};
const QORN7316_LOOP e{SCENE_E, eEnter, eFrame, nullptr, nullptr, false, true};

}  // namespace

void QORN7316_sineLines() { QORN7316_runLoop(&sineLines); }
void QORN7316_balls3D() { QORN7316_runLoop(&balls3D); }
void QORN7316_heightField() { QORN7316_runLoop(&heightField); }
void QORN7316_flashingPixels() { QORN7316_runLoop(&flashingPixels); }
void QORN7316_e() { QORN7316_runLoop(&e); }
