// The start-up pictures, fonts and colour wheel, decoded or built once at
// start-up and kept for the whole run.
#include "driver/QORN7316.h"

void QORN7316_drawIntro()
{
    // TODO: the circle intro with the inverted logo, shown once.
}

void QORN7316_loadPictures()
{
    // TODO: the background picture and the bubble picture.
}

void QORN7316_makeColourWheel()
{
    // TODO: the 1536-entry colour wheel.
}

void QORN7316_makeFonts()
{
    // TODO: the small, title, big and tile fonts.
}

void QORN7316_makeLineFont()
{
    // TODO: the line font from the wire font text.
}
