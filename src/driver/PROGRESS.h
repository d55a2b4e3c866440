// PROGRESS: the one-line progress bar of long headless runs, redrawn in
// place on standard error when that is a terminal. Owns its start time and
// the last line drawn.
#pragma once
#include <cstdint>
#include <string>

#include "driver/OPTIONS.h"

bool PROGRESS_wanted(const OPTIONS* options, bool terminal);   // headless, --frames and a file written, on a terminal
void PROGRESS_start(std::uint32_t total);    // from now on each present redraws (at most 10 times a second)
void PROGRESS_frame(std::uint32_t done);     // done of total frames presented; the last one always draws
void PROGRESS_finish();                      // ends the line if one was drawn; nothing otherwise
std::string PROGRESS_line(std::uint32_t done, std::uint32_t total, double seconds);   // at most 79 columns, no line end
