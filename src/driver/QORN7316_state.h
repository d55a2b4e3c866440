// The driver's shared state: the objects made at start-up and kept for the
// whole run, the flag bytes of the frame loop and the keys, and the steps the
// scenes share. Only the driver's sources, their tests and benchmarks read it.
//   QORN7316.cpp          start-up, the scene table, the endless sequence, shutdown
//   frameloop.cpp         frame loop, presentation, transitions, key handler, pause
//   overlays.cpp          shared overlays and their objects
//   assets.cpp            start-up pictures, fonts and colour wheel
//   music.cpp             sound output, instrument bank and music step
//   scenes_*.cpp, scene_*.cpp   the scenes, grouped as the scene table shows
#pragma once
#include <cstdint>

#include "audio/MUSIC.h"
#include "audio/WINSND.h"
#include "driver/QORN7316.h"
#include "foundation/RANDOM.h"
#include "platform/FPS.h"
#include "platform/WINDPY.h"
#include "platform/WINKBD.h"
#include "platform/WINPTR.h"
#include "raster/IMG.h"

// Frame size: all scene size arithmetic reads these.
extern std::int32_t screenWidth;           // 256
extern std::int32_t screenHeight;          // 256

// Shared objects of start-up and the frame loop.
extern WINDPY* display;                    // the window surface
extern WINKBD* keyboard;                   // last key; the key handler reads and clears it
extern WINPTR* pointer;                    // pointer position and buttons
extern IMG* frame;                         // 256 x 256: every scene draws into it; it is what is presented
extern IMG* glowImage;                     // 256 x 256 work image of the glow filter
extern IMG* blurImage;                     // 256 x 256 work image of the blur filter
extern RANDOM* sceneRandom;                // seeded generator of FINITE STATE (step word 0x6789ABCD)
extern FPS* pacer;                         // target 50; its frames field drives blinking and waves

// Flag bytes and colour words of the frame loop.
enum : std::uint8_t {
    QORN7316_QUITTING = 1,                 // demoFlags bit 0
    QORN7316_SKIP = 2,                     // demoFlags bit 1: the running scene ends after this frame
};
extern std::uint8_t demoFlags;             // 0
extern const char* titleText;              // "" between scenes; the running scene's title
extern std::uint8_t titleOn;               // the title overlay drew the title this frame
extern std::uint32_t backgroundColour;     // colour the frame is cleared to
extern std::uint32_t fadeColour;           // grey step of the trail fade; 0x010101
extern std::uint8_t trailFade;             // 1: fade a kept frame toward the background
extern std::uint8_t keepFrame;             // 0: clear after presenting; 1: keep (and maybe fade)
extern std::uint8_t glowOn;                // glow post-filter
extern std::uint8_t blurOn;                // blur post-filter
extern std::uint8_t scrollerOn;            // 1: greetings scroller
extern std::uint8_t rasterOn;              // 1: raster-bar colouring of the scroller
extern std::uint8_t statsOn;               // 1: benchmark text
extern std::uint8_t fpsInfoOn;             // bit 0: fps overlay
extern std::uint8_t musicOff;              // music step skipped
extern std::uint8_t paused;                // pause loop active
extern std::int32_t circleCount;           // 8, keys + and -, 0..40: BLENDED CIRCLES
extern std::int32_t rectangleCount;        // 8, keys + and -, 0..50: BLENDED RECTANGLES

// frameloop.cpp: presentation, transitions, keys.
void QORN7316_present();                   // pump, post-filters, show, prepare the next frame
void QORN7316_handleKey(WINKBD* keyboard); // reads and clears chars[0] and code, acts on the key
void QORN7316_pause();                     // while paused: poll, key handler, pump
void QORN7316_fadeOut();                   // 32 presents of the frame darkening to black
void QORN7316_fadeToWhite();               // 128 presents of the frame brightening to white
// Enter steps several scenes share; each draws one RANDOM_random30 value for fadeColour.
std::int32_t QORN7316_enterBleaching();    // white kept frame fading to white, no scroller; the blend alpha, 16 or 32
void QORN7316_enterDarkTrails();           // black background, kept frame without trail fade, no raster bars
void QORN7316_enterFoam();
void QORN7316_enterClearedWhite(std::int32_t mask, std::int32_t base);   // white background, cleared frame; fade grey (r & mask) + base                 // white background, cleared frame, scroller without raster bars
void QORN7316_drawBleachingOverlays();     // raster bars, scroller, title, pointer, fps, corner logo

// overlays.cpp: shared overlays (each draws into frame) and their objects.
struct RASTER;
struct LOGOFLY;
struct MOUSE;
extern RASTER* rasterBars;                 // 1536 colour lines, speed -131072 (16.16)
extern LOGOFLY* flyingLogo;                // "QORN" on the line font
extern MOUSE* pointerSprite;               // the 16 x 16 arrow over pointer and frame
void QORN7316_initRasterBars();
void QORN7316_initScroller();
void QORN7316_makeFlyingLogo();
void QORN7316_makePointerSprite();
void QORN7316_updateTitle();
void QORN7316_drawPointer();
void QORN7316_drawFpsInfo();
void QORN7316_drawLogoWave();
void QORN7316_drawLogoCorner();
void QORN7316_drawLogoWobble();
void QORN7316_drawLogoJumble();
void QORN7316_drawScroller();
void QORN7316_drawRasterBars();
void QORN7316_drawFlyingLogo();            // draw, then advance its phase

// assets.cpp: start-up pictures, fonts and colour wheel.
struct SAMPLE;
struct FONT;
struct LFONT;
extern IMG* introPicture;                  // the inverted intro logo
extern IMG* backgroundPicture;             // 256 x 128, black transparent
extern IMG* bubblePicture;                 // 256 x 128, black transparent
extern SAMPLE* colourWheel;                // 1536 saturated colours, indexed modulo 1536
extern FONT* smallFont;                    // 8 x 8 cells, glyphs 0x7FFF00
extern FONT* titleFont;                    // 16 x 16 cells, bodies 0x7F7F7F, outlines 0xFFFFFF
extern FONT* bigFont;                      // 32 x 64 cells: the scroller's font
extern FONT* tileFont;                     // 8 x 8 colour tiles
extern LFONT* lineFont;                    // the 16 x 16 wire font
IMG* QORN7316_picture(const char* name);   // a new image decoded from an embedded PNM; null if bad
std::uint32_t QORN7316_wheel(std::uint32_t i);   // colourWheel entry i mod 1536; 0 before it exists
void QORN7316_drawIntro();                 // draws the intro into frame and shows it
void QORN7316_loadPictures();
void QORN7316_makeColourWheel();
void QORN7316_makeFonts();                 // the four bitmap fonts
void QORN7316_makeLineFont();

// music.cpp: sound output, instrument bank, music step.
extern WINSND* sound;                      // sound output with its queue of seconds
extern MUSIC* music;                       // the 96-instrument bank and the music loop (period 1)
void QORN7316_makeSound();                 // creates sound output (first start-up step)
void QORN7316_makeInstruments();           // the 96 instruments, shown as built; ends with a music step
void QORN7316_musicStep();                 // a new one-second loop to sound output; skipped while musicOff
void QORN7316_musicVoice();                // one new voice pattern

// The scenes' records, one per scene file as grouped here; the scene table
// lists them.
extern const QORN7316_SCENE QORN7316_sineLinesScene;           // scenes_sines.cpp
extern const QORN7316_SCENE QORN7316_balls3DScene;             // scenes_sines.cpp
extern const QORN7316_SCENE QORN7316_flashingPixelsScene;      // scenes_sines.cpp
extern const QORN7316_SCENE QORN7316_eScene;                   // scenes_sines.cpp
extern const QORN7316_SCENE QORN7316_heightFieldScene;         // scenes_sines.cpp
extern const QORN7316_SCENE QORN7316_blendedCirclesScene;      // scenes_circles.cpp
extern const QORN7316_SCENE QORN7316_circlesBenchmarkScene;    // scenes_circles.cpp
extern const QORN7316_SCENE QORN7316_rotatingCirclesScene;     // scenes_circles.cpp
extern const QORN7316_SCENE QORN7316_circlesWavesScene;        // scenes_circles.cpp
extern const QORN7316_SCENE QORN7316_blendedRectanglesScene;   // scenes_rects.cpp
extern const QORN7316_SCENE QORN7316_rectangleBubblesScene;    // scenes_rects.cpp
extern const QORN7316_SCENE QORN7316_rectanglesMoveScene;      // scenes_rects.cpp
extern const QORN7316_SCENE QORN7316_rectanglesBenchmarkScene; // scenes_rects.cpp
extern const QORN7316_SCENE QORN7316_rectangleBubblesUpScene;  // scenes_rects.cpp
extern const QORN7316_SCENE QORN7316_floodFillScene;           // scene_fill.cpp
extern const QORN7316_SCENE QORN7316_musicMixShowScene;        // scene_music.cpp
extern const QORN7316_SCENE QORN7316_finiteStateScene;         // scenes_state.cpp
extern const QORN7316_SCENE QORN7316_flowersGameScene;         // scenes_state.cpp

// scenes_sines.cpp: the sine-line set-up of start-up and every SINE LINES enter.
void QORN7316_initSineLines();
struct SINELINE* QORN7316_sineLineRecord();         // the shared sine-line record; null before set-up
const std::int32_t* QORN7316_sineLineBandSteps();   // the 24 y steps of the eight bands, three per band

// scenes_circles.cpp, scenes_rects.cpp: state kept for the run, and the steps
// the benchmark report (bench.cpp) and the tests reach.
struct RECT;
struct LIST;
extern std::int32_t circlesBenchmarkCount;     // 0; the circle benchmark draws one more; ROTATING reads it
extern std::int32_t rectanglesBenchmarkCount;  // 0
std::int32_t QORN7316_adaptCount(std::int32_t count);   // +1 when the pacer's last frame had spare time, else -1; never below 0
void QORN7316_benchmarkCircles(std::int32_t count);     // count random blended discs into frame, radius 0..63, alpha 64
void QORN7316_benchmarkRectangles(std::int32_t count);  // count random blended rectangles into frame, alpha 16
// The benchmark text in the title font: "BENCHMARK", the two given lines, "PER FRAME:" and ten digits.
void QORN7316_drawBenchmarkText(const char* line2, const char* line3, std::int32_t count);
// Title font sheet: text pixels become newText, then paper pixels newPaper.
void QORN7316_recolourTitleFont(std::uint32_t text, std::uint32_t newText, std::uint32_t paper, std::uint32_t newPaper);
// A new darkened wheel colour (one random draw) for the text of the grey title font sheet, white paper to paper.
std::uint32_t QORN7316_benchmarkTextColour(std::uint32_t paper);
void QORN7316_blendedCirclesDraw(IMG* target, std::int32_t count, std::int32_t alpha);   // discs inside 256 x 256, each touching its nearest edge
void QORN7316_applyRule(std::int32_t rule, RECT* rect);  // RECTANGLES MOVE rule 0..21; others do nothing
void QORN7316_drawWrapped(const RECT* rect, IMG* image, std::int32_t alpha);   // blended, wrapped round the frame edges
void QORN7316_riseBubbles(LIST* bubbles);               // one rise step of RECTANGLE BUBBLES UP over RECTs

// Scene state that tests reach. scene_fill.cpp: FLOOD FILL AQUARELLA.
struct FILL;
struct MOUSE;
struct QORN7316_FLOODFILL {
    FILL* fill;                   // made at enter, freed at leave
    IMG* canvas;                  // 256 x 256, the scene's for one run; fill->image
    IMG* indexImage;              // rainbow indices of the finale; freed at the next enter
    std::uint32_t canvasColour;   // the colour the regions are flooded over
    std::int32_t cycleStep;       // -8..8 rainbow entries per finale frame
    std::int32_t finale;          // finale frames still to run; 500 at enter
    std::uint8_t rainbow;         // 1: rainbow variant; 0: shade variant
    std::uint8_t circlesDrawn;    // the outlines are on the canvas
    std::uint8_t filling;         // 0 once no pixel of the canvas colour is left
};
extern QORN7316_FLOODFILL floodFillState;
bool QORN7316_floodFillStep();    // one fill step; false when the canvas holds no canvas colour
void QORN7316_floodFillCycle();   // one hue step of the rainbow finale; the first call builds the index image

// scenes_state.cpp: FLOWERS GAME.
inline constexpr std::int32_t QORN7316_FLOWER_COUNT = 32;
inline constexpr std::int32_t QORN7316_TILE_COLUMNS = 32;
inline constexpr std::int32_t QORN7316_TILE_ROWS = 16;
struct QORN7316_FLOWERS {
    IMG* ground;                  // 256 x 256: sky above, grass and tiles below; kept
    LIST* pictures;               // 32 flower pictures of 32 x 32; kept
    IMG* rotated;                 // 48 x 48 work image: the turned flower, placed
    IMG* enlarged;                // 64 x 64 work image: the flower under the pointer, placed
    std::int32_t angle[QORN7316_FLOWER_COUNT];   // 1024ths of a turn
    std::int32_t kind[QORN7316_FLOWER_COUNT];    // picture 0..31
    std::int32_t x[QORN7316_FLOWER_COUNT];       // -64..319
    std::int32_t y[QORN7316_FLOWER_COUNT];       // -64..256
    std::int32_t tiles[QORN7316_TILE_ROWS][QORN7316_TILE_COLUMNS];   // tile-font codes, -1 empty
    std::int32_t tileColumn, tileRow;            // the next tile's cell
    std::uint32_t score;                         // reset at every enter
    std::int32_t selected;        // flower under the pointer, -1 none
    std::int32_t lastCaught;      // -1 none
    std::int32_t wind;            // -2..2 pixels per frame sideways
    std::int32_t fall;            // 1 or 2 pixels per frame down
    std::uint32_t textColour;     // the score's colour from enter to leave
    std::uint8_t held;            // the button went down away from a flower, or caught one
    std::uint8_t made;            // the flowers have their first places
};
extern QORN7316_FLOWERS flowersState;
void QORN7316_flowersMove(MOUSE* p);       // spins, moves, selects and catches the flowers; draws them into frame
void QORN7316_flowersCatch(std::int32_t s);   // flower s caught: respawned, laid as a tile, scored
