// Helpers of the line-font tests: a font of dots and a picture row read back
// as the characters drawn there.
#pragma once
#include <cstdint>
#include <string>

#include "foundation/LIST.h"
#include "raster/IMG.h"
#include "vector/LFONT.h"
#include "vector/OBJ2D.h"

namespace support {

// Glyph n is a dot at its origin in colour n + 1; cells 4 x 4.
inline LFONT* dotFont()
{
    LFONT* f = LFONT_new();
    f->size->x = 4;
    f->size->y = 4;
    f->glyphs = LIST_new();
    for (std::int32_t n = 0; n < 128; ++n) {
        OBJ2D* o = OBJ2D_new();
        SEG2D* s = SEG2D_new();
        s->end->x = s->end->y = 0;
        OBJ2D_addSegment(o, s);
        OBJ2D_setColor(o, static_cast<std::uint32_t>(n + 1));
        LIST_push(f->glyphs, o);
    }
    return f;
}

inline std::string row(const IMG* img, std::int32_t y, std::int32_t step)
{
    std::string s;
    for (std::int32_t x = 0; x < img->width; x += step) {
        const std::uint32_t p = IMG_getPixel(img, x, y);
        s += p == 0 ? '.' : static_cast<char>(p - 1);
    }
    return s;
}

}  // namespace support
