// LRADIAL: a rotating star of rays around a centre whose radius pulses, and
// the shared 1536-entry colour wheel of the text effects. Phases and steps
// marked 16.16 hold a sine-table index in their upper half-word.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"

struct SAMPLE;

struct LRADIAL {
    std::int32_t centerX, centerY;   // centre of the star; (128, 128)
    std::int32_t width, height;      // area; 256 x 256; each draw with an image copies its size
    std::uint32_t color;             // ray colour
    std::int32_t rays;               // number of rays; 16
    std::int32_t phase;              // rotation, 16.16
    std::int32_t speed;              // rotation per step, 16.16
    std::int32_t step;               // angle between neighbouring rays, 16.16
    std::int32_t radius;             // ray length in pixels; negative points the other way
    IMG* target;                     // for the draws without an image argument; not owned
    std::int32_t pulsePhase;         // radius pulse phase, 16.16
    std::int32_t pulseSpeed;         // pulse phase per update, 16.16
    std::int32_t pulseAmplitude;     // largest pulsed radius
};

inline constexpr std::int32_t LRADIAL_MASK = (1023 << 16) | 0xffff;   // wrap of 16.16 phases
inline constexpr std::int32_t LRADIAL_WHEEL_SIZE = 1536;

extern const MODID LRADIAL_ID;
extern std::uint8_t LRADIAL_debug;   // 0 at start; nothing sets it
// Green, cyan, blue, magenta, red, yellow and back, 256 steps each. Built by
// the first LRADIAL_new and kept for the rest of the run; null before.
extern SAMPLE* LRADIAL_wheel;

LRADIAL* LRADIAL_new();                 // 256 x 256 area, then LRADIAL_reset; null after LRADIAL_error
void LRADIAL_free(LRADIAL** star);      // frees the record, stores null
// RANDOM_rand15 draws in this order: speed, radius, color; 16 rays; pulseSpeed, pulseAmplitude.
void LRADIAL_reset(LRADIAL* star);
void LRADIAL_setRays(LRADIAL* star, std::int32_t n);   // n > 0, else error and no change
void LRADIAL_rotate(LRADIAL* star);     // phase += speed
void LRADIAL_update(LRADIAL* star);     // rotates; radius from the pulse phase before it moves

void LRADIAL_plot(LRADIAL* star, IMG* image);         // a pixel at every ray end
void LRADIAL_drawSpokes(LRADIAL* star, IMG* image);   // centre to every ray end
void LRADIAL_drawThick(LRADIAL* star, IMG* image, std::int32_t lineWidth);   // IMGFX_thickLine
void LRADIAL_drawRainbow(LRADIAL* star, IMG* image);  // wheel colours, an eighth of the wheel along each ray
void LRADIAL_drawFade(LRADIAL* star);                 // on target: color at the centre to black at the end
void LRADIAL_drawCircles(LRADIAL* star, std::int32_t size);   // on target: blended circles, weight 64; nothing for size < 1

void LRADIAL_error();                   // "LRADIAL error\n" while LRADIAL_debug != 0
