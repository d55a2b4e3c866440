// BALL3D: a lit sphere drawn point by point over a latitude-longitude grid of
// the visible hemisphere (512 x 512 plots), each point a base colour
// brightened or darkened by its dot product with a light vector.
// The target image is not owned.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"

struct BALL3D_XYZ {
    std::int32_t x, y, z;
};

struct BALL3D {
    std::int32_t x, y, z;                 // centre in the image; z is not read
    std::int32_t width, height, depth;    // 256 each; not read by the draw
    std::int32_t radius;                  // pixels
    std::uint32_t colour;                 // base colour
    std::int32_t spare;                   // a second random word; not read
    IMG* image;                           // target, not owned; null at creation
    std::int32_t reserved;                // not read
    BALL3D_XYZ light;                     // light direction, small integers; (0, 0, 0) at creation
};

extern const MODID BALL3D_ID;
extern std::uint8_t BALL3D_debug;         // 0 at start; nothing sets it

BALL3D* BALL3D_new();                     // random centre, radius and colour from RANDOM_random30; null after BALL3D_error
void BALL3D_free(BALL3D** ball);          // frees, stores null
void BALL3D_draw(BALL3D* ball);           // 262144 IMG_putPixel plots into image, clipped; prints "min=%d max=%d"
                                          // when the last brightness is beyond +-255
char* BALL3D_print(const BALL3D* ball);   // null
bool BALL3D_equal(const BALL3D* a, const BALL3D* b);   // false
void BALL3D_copy(const BALL3D* src, BALL3D* dst);      // changes nothing
void BALL3D_error();                      // "BALL3D error\n" while BALL3D_debug != 0
