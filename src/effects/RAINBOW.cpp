// RAINBOW: builds the colour wheel. Every entry has one channel at 255, one
// at 0 and one ramping, so entry 1535 runs smoothly into entry 0.
#include "effects/RAINBOW.h"

#include <cstdio>

const MODID RAINBOW_ID = MODID_CODE("RAINBOW ");
std::uint8_t RAINBOW_debug = 0;

SAMPLE* RAINBOW_new()
{
    SAMPLE* wheel = SAMPLE_new();
    if (wheel == nullptr) { RAINBOW_error(); return nullptr; }
    SAMPLE_setCount(wheel, RAINBOW_SIZE);
    if (wheel->count != RAINBOW_SIZE) {
        SAMPLE_free(&wheel);
        RAINBOW_error();
        return nullptr;
    }
    for (std::int32_t i = 0; i < 256; ++i) {
        wheel->values[i] = 0x00FF00 + i;                 // green to cyan
        wheel->values[256 + i] = 0x00FFFF - (i << 8);    // cyan to blue
        wheel->values[512 + i] = 0x0000FF | (i << 16);   // blue to magenta
        wheel->values[768 + i] = 0xFF00FF - i;           // magenta to red
        wheel->values[1024 + i] = 0xFF0000 + (i << 8);   // red to yellow
        wheel->values[1280 + i] = 0xFFFF00 - (i << 16);  // yellow to green
    }
    return wheel;
}

void RAINBOW_error()
{
    if (RAINBOW_debug != 0) std::fputs("RAINBOW error\n", stdout);
}
