// The frame loop every scene runs, the presentation with its post-filters
// and next-frame preparation, the blocking fades, the key handler and the
// pause. All on the program's one thread.
#include "driver/QORN7316_state.h"

#include "effects/IMGFX.h"
#include "platform/HOST.h"
#include "platform/WINMAIN.h"

void QORN7316_enterScene(const QORN7316_SCENE* scene)
{
    if (scene == nullptr) { QORN7316_error(); return; }
    if (scene->enter != nullptr) scene->enter();
    titleText = scene->title;
    QORN7316_musicStep();
}

void QORN7316_leaveScene(const QORN7316_SCENE* scene)
{
    if (scene == nullptr) { QORN7316_error(); return; }
    if (scene->leave != nullptr) scene->leave();
    titleText = "";
}

void QORN7316_runLoop(const QORN7316_SCENE* scene)
{
    if (scene == nullptr || scene->frame == nullptr) { QORN7316_error(); return; }
    QORN7316_enterScene(scene);
    if (scene->fadeOutAfterEnter) QORN7316_fadeOut();
    for (std::int32_t left = scene->frames; left >= 1; --left) {
        FPS_start(pacer);
        if (!scene->frame(left)) break;
        QORN7316_present();
        WINKBD_poll(keyboard);
        if (scene->keys != nullptr) scene->keys();
        QORN7316_handleKey(keyboard);
        if ((demoFlags & QORN7316_SKIP) != 0) break;   // a skipped frame is not waited for
        FPS_end(pacer);
        if (scene->paced) FPS_wait(pacer);
    }
    demoFlags = static_cast<std::uint8_t>(demoFlags & ~QORN7316_SKIP);
    QORN7316_leaveScene(scene);
}

std::int32_t QORN7316_enterBleaching()
{
    IMG_clear(frame, 0xFFFFFFu);
    fadeColour = static_cast<std::uint32_t>((RANDOM_random30() & 1) + 1) * 0x010101u;
    backgroundColour = 0xFFFFFFu;
    blurOn = glowOn = 0;
    trailFade = 1;
    keepFrame = 1;
    scrollerOn = 0;
    QORN7316_initScroller();
    return static_cast<std::int32_t>(fadeColour & 255u) * 16;
}

void QORN7316_drawBleachingOverlays()
{
    QORN7316_drawRasterBars();   // each overlay tests its own switch
    QORN7316_drawScroller();
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoCorner();
}

void QORN7316_enterClearedWhite(std::int32_t mask, std::int32_t base)
{
    fadeColour = static_cast<std::uint32_t>((RANDOM_random30() & mask) + base) * 0x010101u;
    blurOn = glowOn = 0;
    trailFade = 0;
    keepFrame = 0;
    backgroundColour = 0xFFFFFFu;
}

void QORN7316_enterDarkTrails()
{
    fadeColour = ((static_cast<std::uint32_t>(RANDOM_random30()) & 63u) + 32u) * 0x010101u;
    blurOn = glowOn = 0;
    trailFade = 0;
    rasterOn = 0;
    keepFrame = 1;
    backgroundColour = 0;
}

void QORN7316_enterFoam()
{
    fadeColour = static_cast<std::uint32_t>((RANDOM_random30() & 31) + 32) * 0x010101u;
    blurOn = glowOn = 0;
    trailFade = 1;
    rasterOn = 0;
    scrollerOn = 1;
    keepFrame = 0;
    backgroundColour = 0xFFFFFFu;
}

// The filters write into the work images, so trails kept in frame are never
// filtered twice.
void QORN7316_present()
{
    WINMAIN_pump();
    if (glowOn != 0) IMGFX_glowH3(frame, glowImage, 3);
    else IMG_copy(frame, glowImage);
    if (blurOn != 0) IMGFX_blurH5(glowImage, blurImage);
    else IMG_copy(glowImage, blurImage);
    WINDPY_show(display, (blurOn != 0 || glowOn != 0) ? blurImage : frame);
    if (keepFrame == 0) {
        IMG_clear(frame, backgroundColour);
    } else if (keepFrame == 1 && trailFade != 0) {
        // Trails fade toward the background: up to white on a white one, else down to black.
        if (backgroundColour == 0xFFFFFFu) IMG_addColour(frame, fadeColour);
        else IMG_subColour(frame, fadeColour);
    }
}

void QORN7316_fadeOut()
{
    for (int i = 0; i < 32; ++i) {
        IMG_subColour(frame, 0x808080u);
        WINDPY_show(display, frame);
    }
}

void QORN7316_fadeToWhite()
{
    for (int i = 0; i < 128; ++i) {
        IMG_addColour(frame, 0x020202u);
        WINDPY_show(display, frame);
    }
}

void QORN7316_handleKey(WINKBD* kb)
{
    if (kb == nullptr || kb->chars == nullptr) { QORN7316_error(); return; }
    const std::int8_t key = static_cast<std::int8_t>(kb->chars[0]);
    kb->chars[0] = 0;
    kb->code = 0;
    switch (key) {
    case 27:
        demoFlags = static_cast<std::uint8_t>(demoFlags | QORN7316_QUITTING);
        QORN7316_fadeOut();
        HOST_exit(0);
    case ' ': demoFlags = static_cast<std::uint8_t>(demoFlags | QORN7316_SKIP); break;
    case '1': scrollerOn = scrollerOn != 0 ? 0 : 1; break;
    case '4': rasterOn = rasterOn != 0 ? 0 : 1; break;
    case '5':
        if (pacer != nullptr && pacer->targetRate > 1) pacer->targetRate -= 1;
        break;
    case '6':
        if (pacer != nullptr && pacer->targetRate < 100) pacer->targetRate += 1;
        break;
    case '8': fpsInfoOn = static_cast<std::uint8_t>(fpsInfoOn ^ 1); break;
    case '0': musicOff = musicOff != 0 ? 0 : 1; break;
    case 'B': blurOn = blurOn != 0 ? 0 : 1; break;
    case 'G': glowOn = glowOn != 0 ? 0 : 1; break;
    case 'F': trailFade = trailFade != 0 ? 0 : 1; break;
    case 'P':
        paused = paused != 0 ? 0 : 1;
        QORN7316_pause();
        break;
    case 'S': statsOn = statsOn != 0 ? 0 : 1; break;
    case 'W': keepFrame = static_cast<std::uint8_t>(keepFrame ^ 1); break;
    case 'Q':
        if (backgroundColour == 0) backgroundColour = 0xFFFFFFu;
        else if (backgroundColour == 0xFFFFFFu) backgroundColour = static_cast<std::uint32_t>(RANDOM_random30()) & 0xFFFFFFu;
        else backgroundColour = 0;
        break;
    case '+':
        if (circleCount < 40) circleCount += 1;
        if (rectangleCount < 50) rectangleCount += 1;
        break;
    case '-':
        if (circleCount > 0) circleCount -= 1;
        if (rectangleCount > 0) rectangleCount -= 1;
        break;
    default:
        break;
    }
}

// The frame is not redrawn while paused; the window stays responsive, P ends
// the pause, Escape still quits and a space is kept for after the pause.
void QORN7316_pause()
{
    while (paused != 0) {
        WINKBD_poll(keyboard);
        QORN7316_handleKey(keyboard);
        WINMAIN_pump();
        if (paused != 0) WINMAIN_wait();
    }
}
