// QORN7316: the demo driver, as the platform layer, the benchmarks and the
// tests see it: the scene table, start-up, the endless sequence and the
// command line's hooks. What the scenes share among themselves is in
// driver/QORN7316_state.h.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "foundation/MODID.h"

extern const MODID QORN7316_ID;
extern std::uint8_t QORN7316_debug;        // 0 at start; nothing sets it
void QORN7316_error();                     // "QORN7316 Error.\n" while QORN7316_debug != 0

// One scene: its title and length, its steps and how the frame loop runs it.
// The loop installs the title and runs the music step after enter, and
// empties the title after leave, so neither step does either.
struct QORN7316_SCENE {
    const char* title;                     // titleText from enter to leave
    std::int32_t frames;                   // frame count N (FLOOD FILL: at most)
    void (*enter)();                       // flags, colours, objects; or null
    bool (*frame)(std::int32_t left);      // scene drawing and overlays; left runs N..1; false ends the scene unpresented
    void (*keys)();                        // the scene's own key reaction before the key handler, or null
    void (*leave)();                       // frees what the run made, or null
    bool fadeOutAfterEnter;                // QORN7316_fadeOut right after enter
    bool paced;                            // false: FPS_end without FPS_wait (runs as fast as it can)
};

// The scene table: every scene once, in index order.
inline constexpr std::int32_t QORN7316_SCENE_COUNT = 18;
extern const QORN7316_SCENE* const QORN7316_scenes[QORN7316_SCENE_COUNT];
enum QORN7316_SCENE_INDEX : std::int32_t {
    SCENE_SINE_LINES = 0,
    SCENE_3D_BALLS = 1,
    SCENE_BLENDED_CIRCLES = 2,
    SCENE_CIRCLES_BENCHMARK = 3,
    SCENE_BLENDED_RECTANGLES = 4,
    SCENE_RECTANGLE_BUBBLES = 5,
    SCENE_RECTANGLES_MOVE = 6,
    SCENE_FLASHING_PIXELS = 7,
    SCENE_ROTATING_CIRCLES = 8,
    SCENE_FLOOD_FILL = 9,
    SCENE_FINITE_STATE = 10,
    SCENE_FLOWERS_GAME = 11,
    SCENE_MUSIC_MIX_SHOW = 12,
    SCENE_RECTANGLES_BENCHMARK = 13,
    SCENE_E = 14,
    SCENE_RECTANGLE_BUBBLES_UP = 15,
    SCENE_CIRCLES_WAVES = 16,
    SCENE_HEIGHT_FIELD = 17,
};

// QORN7316.cpp: start-up, the endless sequence, shutdown, the command line's hooks.
void QORN7316_main();                      // start-up, then the endless sequence; never returns
void QORN7316_init();                      // creates the shared objects in start-up order
void QORN7316_shutdown();                  // the release sequence
void QORN7316_runScene(std::int32_t index);   // one run of a scene of the table (with --trace's line)
std::int32_t QORN7316_findScene(const char* text);   // index or title (line ends as spaces, any case); -1 if none
void QORN7316_listScenes(std::FILE* out);  // the scene table, one line per scene
void QORN7316_titleLine(const char* title, char* out, std::size_t size);   // title on one line: blanks collapsed
extern std::uint8_t QORN7316_trace;        // 1: a line on stderr at every scene start
extern std::int32_t QORN7316_onlyScene;    // -1: the sequence; else the one scene run over and over

// frameloop.cpp: one run of a scene record (the table's or a test's own).
void QORN7316_runLoop(const QORN7316_SCENE* scene);     // enter, up to N frames, clear skip, leave
void QORN7316_enterScene(const QORN7316_SCENE* scene);  // the scene's enter, its title, the music step
void QORN7316_leaveScene(const QORN7316_SCENE* scene);  // the scene's leave, the empty title

// bench.cpp: --bench, on the real clock after start-up.
int QORN7316_bench(std::FILE* out);        // benchmark counts and each scene's mean ms per frame; exit status

