// MUSIC MIX SHOW: the playing music loop as a waveform with a close-up
// added on top, and the flying logo over it.
#include "driver/QORN7316.h"

namespace {

void musicMixShowEnter()
{
    IMG_clear(frame, 0);
    // TODO: fadeColour ((r AND 63) + 32) x 0x010101.
    blurOn = glowOn = 0;
    trailFade = 0;
    rasterOn = 0;
    keepFrame = 1;
    backgroundColour = 0;
    // TODO: flying logo colour and position, the scene's images, records and drawers and their colours.
    titleText = QORN7316_scenes[SCENE_MUSIC_MIX_SHOW].title;
    QORN7316_musicStep();
}

bool musicMixShowFrame(std::int32_t)
{
    trailFade = 0;
    keepFrame = 1;
    backgroundColour = 0;
    // TODO: the overview and the close-up of the mix.
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    QORN7316_drawFlyingLogo();
    return true;
}

void musicMixShowLeave()
{
    titleText = "";
}

const QORN7316_LOOP musicMixShow{SCENE_MUSIC_MIX_SHOW, musicMixShowEnter, musicMixShowFrame, nullptr, musicMixShowLeave, false, true};

}  // namespace

void QORN7316_musicMixShow() { QORN7316_runLoop(&musicMixShow); }
