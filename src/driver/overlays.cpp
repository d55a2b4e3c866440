// The shared overlays drawn over the scenes, and the objects only they use:
// raster bars, greetings scroller, flying logo and pointer sprite. Each
// overlay tests its own switch (scrollerOn, rasterOn, fpsInfoOn).
#include "driver/QORN7316.h"

void QORN7316_initRasterBars()
{
    // TODO: the raster bars from the colour wheel, speed -131072.
}

void QORN7316_initScroller()
{
    // TODO: text and colour images, scroller and the two distorters with their random settings.
}

void QORN7316_makeFlyingLogo()
{
    // TODO: the flying logo.
}

void QORN7316_makePointerSprite()
{
    // TODO: the pointer sprite over pointer and frame.
}

void QORN7316_updateTitle()
{
    // TODO: titleOn from bit 9 of the pacer's frames, and the title.
}

void QORN7316_drawPointer()
{
    // TODO: poll the pointer, update and draw the pointer sprite.
}

void QORN7316_drawFpsInfo()
{
    // TODO: the achieved rate and the frame counter while fpsInfoOn bit 0 is set.
}

void QORN7316_drawLogoWave()
{
    // TODO: the hopping four-letter logo.
}

void QORN7316_drawLogoCorner()
{
    // TODO: the four-letter logo in the corner.
}

void QORN7316_drawLogoWobble()
{
    // TODO: the wobbling four-letter logo.
}

void QORN7316_drawLogoJumble()
{
    // TODO: the logo at a random place and scale, 1 in 64 frames.
}

void QORN7316_drawScroller()
{
    // TODO: the greetings scroller while scrollerOn.
}

void QORN7316_drawRasterBars()
{
    // TODO: move and draw the raster bars while rasterOn.
}

void QORN7316_drawFlyingLogo()
{
    // TODO: draw the flying logo, then advance it.
}
