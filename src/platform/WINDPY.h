// WINDPY: the display. Owns the one window, keeps its client area at the
// frame's size (times the window's scale), converts each finished frame to
// 24-bit rows for the window and can write every presented frame to a
// numbered PPM or PNG file. A pending screenshot and a running recording get
// each frame as it is shown.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"

struct WINDPY {
    std::int32_t width;    // frame width the display accepts; 256 at creation
    std::int32_t height;   // frame height; 256 at creation
    std::int32_t depth;    // carried at 0
};

extern const MODID WINDPY_ID;
extern std::uint8_t WINDPY_debug;          // 0 at start; nothing sets it
extern std::uint8_t WINDPY_dumpFrames;     // non-zero: every presented frame is also written to a file

WINDPY* WINDPY_new();                      // opens the window at 256 x 256; null after WINDPY_error
void WINDPY_free(WINDPY** display);        // the current display only; frees, stores null
void WINDPY_setSize(WINDPY* display, std::int32_t w, std::int32_t h);   // 0..16384 each; client area w x h, centred
void WINDPY_show(WINDPY* display, const IMG* image);   // presents a frame of the display's size, else error
bool WINDPY_equal(const WINDPY* a, const WINDPY* b);   // both the current display
WINDPY* WINDPY_clone(WINDPY* display);     // the same display: there is only one
WINDPY* WINDPY_current();                  // the current display, or null
bool WINDPY_dumpTo(const char* directory); // the command line's --dump-frames: WINDPY_new then switches the dump on; null: off
bool WINDPY_dumpAs(const char* prefix, bool png);   // file names PREFIX-00001.ppm or .png; null prefix: "frame"
IMG* WINDPY_shownFrame();                  // a new image of the last frame shown, or null (none yet)
std::uint32_t WINDPY_frameNumber();        // number of the last dumped frame; never reset
const std::uint8_t* WINDPY_rows();         // the conversion buffer: width * height * 3 bytes, bottom-up, or null
void WINDPY_error();                       // "WINDPY error\n" while WINDPY_debug != 0
