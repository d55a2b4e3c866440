// CAPTURE: the screenshot key. F12 asks for one; the display serves it with
// the next frame it shows (the pause serves it with the frame on show), as
// qorn7316-YYYYMMDD-HHMMSS-mmm.png in the capture folder, and the path is
// printed on standard output. A failed screenshot is reported and the demo
// goes on. Owns the folder name and the pending request.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "raster/IMG.h"

struct CAPTURE_TIME {
    std::int32_t year, month, day, hour, minute, second, millisecond;   // local time
};

void CAPTURE_setFolder(const char* folder);   // null: CAPTURE_defaultFolder() at the first screenshot
void CAPTURE_setScale(std::int32_t scale);    // 1..VIEW_MAX_SCALE pixels a frame pixel; 1 at start
void CAPTURE_request();                       // the key: one screenshot wanted
bool CAPTURE_pending();
// Writes the pending screenshot of image and clears the request; true when
// none was pending or it was written. Prints the path or the failure.
bool CAPTURE_serve(const IMG* image);
void CAPTURE_reset();                         // tests: no request, default folder and scale

// Parts on their own, for the tests.
std::string CAPTURE_fileName(const CAPTURE_TIME& t);   // "qorn7316-20261206-214501-042.png"
// dir/name, or the first of dir/name-2.png, -3, ... that no file has taken.
std::string CAPTURE_freePath(const std::string& dir, const std::string& name);
// The pictures folder: XDG_PICTURES_DIR from the environment, else from the
// user-dirs file (XDG_CONFIG_HOME or HOME/.config, user-dirs.dirs), if it
// names an existing folder other than HOME itself; else ".". getEnv is
// std::getenv in the program.
std::string CAPTURE_defaultFolder(const char* (*getEnv)(const char* name));
std::string CAPTURE_readUserDirs(const std::string& text, const char* home);   // XDG_PICTURES_DIR's value, "" if none
