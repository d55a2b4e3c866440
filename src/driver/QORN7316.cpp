// QORN7316: start-up, the scene table, the endless scene sequence and the
// release sequence. The sequence is fixed; three of its scenes run only on a
// 1-in-256 draw of RANDOM_random30 at their place in the pass.
#include "driver/QORN7316.h"

#include <cctype>
#include <cstring>

#include "driver/QORN7316_state.h"
#include "effects/RASTER.h"
#include "platform/HOST.h"
#include "vector/LOGOFLY.h"

const MODID QORN7316_ID{"QORN7316", "20161206", "VANTOLEK", "C       ", "PROGRAM "};
std::uint8_t QORN7316_debug = 0;

std::int32_t screenWidth = 256;
std::int32_t screenHeight = 256;

WINDPY* display = nullptr;
WINKBD* keyboard = nullptr;
WINPTR* pointer = nullptr;
IMG* frame = nullptr;
IMG* glowImage = nullptr;
IMG* blurImage = nullptr;
RANDOM* sceneRandom = nullptr;
FPS* pacer = nullptr;

std::uint8_t demoFlags = 0;
const char* titleText = "";
std::uint8_t titleOn = 0;
std::uint32_t backgroundColour = 0;
std::uint32_t fadeColour = 0x010101;
std::uint8_t trailFade = 1;
std::uint8_t keepFrame = 0;
std::uint8_t glowOn = 0;
std::uint8_t blurOn = 0;
std::uint8_t scrollerOn = 1;
std::uint8_t rasterOn = 1;
std::uint8_t statsOn = 1;
std::uint8_t fpsInfoOn = 0;
std::uint8_t musicOff = 0;
std::uint8_t paused = 0;
std::int32_t circleCount = 8;
std::int32_t rectangleCount = 8;

std::uint8_t QORN7316_trace = 0;
std::int32_t QORN7316_onlyScene = -1;

const QORN7316_SCENE* const QORN7316_scenes[QORN7316_SCENE_COUNT] = {
    &QORN7316_sineLinesScene,
    &QORN7316_balls3DScene,
    &QORN7316_blendedCirclesScene,
    &QORN7316_circlesBenchmarkScene,
    &QORN7316_blendedRectanglesScene,
    &QORN7316_rectangleBubblesScene,
    &QORN7316_rectanglesMoveScene,
    &QORN7316_flashingPixelsScene,
    &QORN7316_rotatingCirclesScene,
    &QORN7316_floodFillScene,
    &QORN7316_finiteStateScene,
    &QORN7316_flowersGameScene,
    &QORN7316_musicMixShowScene,
    &QORN7316_rectanglesBenchmarkScene,
    &QORN7316_eScene,
    &QORN7316_rectangleBubblesUpScene,
    &QORN7316_circlesWavesScene,
    &QORN7316_heightFieldScene,
};

void QORN7316_error()
{
    if (QORN7316_debug != 0) std::fputs("QORN7316 Error.\n", stdout);
}

// The order of these steps is what the start-up screen shows, and it fixes
// which random values each later step draws.
void QORN7316_init()
{
    display = WINDPY_new();
    keyboard = WINKBD_new();
    QORN7316_makeSound();
    pointer = WINPTR_new();
    WINDPY_setSize(display, 256, 256);

    frame = IMG_new();
    IMG_setSize(frame, screenWidth, screenHeight);
    QORN7316_drawIntro();

    glowImage = IMG_new();
    IMG_setSize(glowImage, screenWidth, screenHeight);
    blurImage = IMG_new();
    IMG_setSize(blurImage, screenWidth, screenHeight);

    RANDOM_srand(0x10531751u);
    QORN7316_loadPictures();
    QORN7316_makeColourWheel();
    QORN7316_initRasterBars();
    QORN7316_initSineLines();
    QORN7316_makeFonts();
    QORN7316_makeLineFont();
    backgroundColour = 0;
    QORN7316_makeFlyingLogo();
    QORN7316_makePointerSprite();
    QORN7316_makeInstruments();

    sceneRandom = RANDOM_new();
    if (sceneRandom != nullptr) sceneRandom->step = 0x6789ABCDu;
    pacer = FPS_new();
    if (pacer != nullptr) pacer->targetRate = 50;
}

void QORN7316_runScene(std::int32_t index)
{
    if (index < 0 || index >= QORN7316_SCENE_COUNT) { QORN7316_error(); return; }
    if (QORN7316_trace != 0) {
        char title[64];
        QORN7316_titleLine(QORN7316_scenes[index]->title, title, sizeof title);
        std::fprintf(stderr, "frame %u: scene %s\n", static_cast<unsigned>(HOST_presentedFrames()), title);
    }
    QORN7316_runLoop(QORN7316_scenes[index]);
}

namespace {

bool oneIn256()
{
    return (RANDOM_random30() & 255) == 0;
}

// One pass of the fixed sequence. FLASHING PIXELS and "E" are in the table
// but not in the sequence.
void pass()
{
    QORN7316_runScene(SCENE_CIRCLES_WAVES);
    QORN7316_runScene(SCENE_BLENDED_RECTANGLES);
    QORN7316_runScene(SCENE_RECTANGLE_BUBBLES);
    QORN7316_runScene(SCENE_FLOOD_FILL);
    QORN7316_runScene(SCENE_SINE_LINES);
    QORN7316_runScene(SCENE_RECTANGLES_MOVE);
    QORN7316_runScene(SCENE_BLENDED_CIRCLES);
    QORN7316_runScene(SCENE_RECTANGLE_BUBBLES_UP);
    QORN7316_runScene(SCENE_FLOOD_FILL);
    if (oneIn256()) QORN7316_runScene(SCENE_FINITE_STATE);
    QORN7316_runScene(SCENE_RECTANGLES_BENCHMARK);
    QORN7316_runScene(SCENE_CIRCLES_BENCHMARK);
    QORN7316_runScene(SCENE_MUSIC_MIX_SHOW);
    QORN7316_runScene(SCENE_FLOOD_FILL);
    QORN7316_runScene(SCENE_ROTATING_CIRCLES);
    if (oneIn256()) QORN7316_runScene(SCENE_HEIGHT_FIELD);
    if (oneIn256()) QORN7316_runScene(SCENE_3D_BALLS);
    QORN7316_runScene(SCENE_FLOWERS_GAME);
}

}  // namespace

void QORN7316_main()
{
    QORN7316_init();
    if (QORN7316_onlyScene >= 0) {
        for (;;) QORN7316_runScene(QORN7316_onlyScene);
    }
    for (;;) pass();
}

void QORN7316_shutdown()
{
    QORN7316_fadeOut();
    if (music != nullptr) MUSIC_free(&music);
    if (rasterBars != nullptr) RASTER_free(&rasterBars);
    IMG_free(&frame);
    if (flyingLogo != nullptr) LOGOFLY_free(&flyingLogo);
    WINKBD_free(&keyboard);
    if (sound != nullptr) WINSND_free(&sound);
    WINDPY_free(&display);
    FPS_free(&pacer);
}

void QORN7316_titleLine(const char* title, char* out, std::size_t size)
{
    if (out == nullptr || size == 0) return;
    std::size_t n = 0;
    bool blank = false;
    for (const char* c = title != nullptr ? title : ""; *c != 0 && n + 1 < size; ++c) {
        if (*c == '\n' || *c == ' ') {
            blank = n > 0;
            continue;
        }
        if (blank && n + 2 < size) out[n++] = ' ';
        blank = false;
        out[n++] = *c;
    }
    out[n] = 0;
}

std::int32_t QORN7316_findScene(const char* text)
{
    if (text == nullptr || *text == 0) return -1;
    const std::size_t length = std::strlen(text);
    if (length <= 2 && std::isdigit(static_cast<unsigned char>(text[0])) &&
        (length == 1 || std::isdigit(static_cast<unsigned char>(text[1])))) {
        const std::int32_t index = length == 1 ? text[0] - '0' : (text[0] - '0') * 10 + (text[1] - '0');
        return index < QORN7316_SCENE_COUNT ? index : -1;
    }
    char wanted[64];
    QORN7316_titleLine(text, wanted, sizeof wanted);
    for (std::int32_t i = 0; i < QORN7316_SCENE_COUNT; ++i) {
        char title[64];
        QORN7316_titleLine(QORN7316_scenes[i]->title, title, sizeof title);
        bool same = std::strlen(title) == std::strlen(wanted);
        for (std::size_t k = 0; same && title[k] != 0; ++k)
            same = std::toupper(static_cast<unsigned char>(title[k])) == std::toupper(static_cast<unsigned char>(wanted[k]));
        if (same) return i;
    }
    return -1;
}

void QORN7316_listScenes(std::FILE* out)
{
    if (out == nullptr) { QORN7316_error(); return; }
    std::fputs("index  frames  title\n", out);
    for (std::int32_t i = 0; i < QORN7316_SCENE_COUNT; ++i) {
        char title[64];
        QORN7316_titleLine(QORN7316_scenes[i]->title, title, sizeof title);
        std::fprintf(out, "%5d  %6d  %s\n", static_cast<int>(i), static_cast<int>(QORN7316_scenes[i]->frames), title);
    }
}
