// OBJ2D: a vector object made of segments, with a position, per-axis scale
// and rotation applied when drawing, and the parser of the object text.
// Owns its segments (and so their points), its three vectors and its texts.
#pragma once
#include <cstdint>
#include <span>

#include "foundation/LIST.h"
#include "foundation/MODID.h"
#include "foundation/VEC2D.h"
#include "raster/IMG.h"
#include "vector/SEG2D.h"

struct SAMPLE;

struct OBJ2D {
    char* name;              // std::malloc'ed text or null; owned
    char* version;           // as name
    char* author;            // as name
    char* type;              // as name
    VEC2D* position;         // owned; (0, 0); added when drawing
    VEC2D* size;             // owned; (16, 16); carried and copied only
    VEC2D* scale;            // owned; (1, 1); per-axis factors applied when drawing
    std::int32_t angle;      // 1024ths of a turn, applied when drawing
    std::uint32_t color;     // last colour given by OBJ2D_setColor
    std::int32_t farthest;   // index into points of the farthest point; -1 = none yet
    LIST* points;            // VEC2D*: entry 2k is segment k's start, 2k + 1 its end
    LIST* segments;          // SEG2D*, owned, in the order added
};

extern const MODID OBJ2D_ID;
extern std::uint8_t OBJ2D_debug;    // 0 at start; nothing sets it

OBJ2D* OBJ2D_new();                                  // empty lists; null after OBJ2D_error
void OBJ2D_free(OBJ2D** object);                     // frees segments, points, texts; stores null
void OBJ2D_addSegment(OBJ2D* object, SEG2D* seg);    // the object takes the segment over
void OBJ2D_copy(const OBJ2D* src, OBJ2D* dst);       // equal point counts only, else error; texts duplicated
OBJ2D* OBJ2D_clone(const OBJ2D* src);                // null after OBJ2D_error

// One object per block, in text order; a lone "}" gives a null entry. The
// C string is read up to its zero; the bytes up to their end or a zero byte.
// Null text: null after OBJ2D_error. The list's owner frees the objects.
LIST* OBJ2D_parse(const char* text);
LIST* OBJ2D_parse(std::span<const std::uint8_t> text);

// Transformed: scale, rotate about the object's origin, then add position.
void OBJ2D_draw(const OBJ2D* object, IMG* image);    // each segment in its start colour, clipped
void OBJ2D_plot(const OBJ2D* object, IMG* image);    // each point in its own colour, clipped
void OBJ2D_toSample(const OBJ2D* object, SAMPLE* sample);   // appends sx, sy, ex, ey per segment, last first

void OBJ2D_setColor(OBJ2D* object, std::uint32_t colour);   // color and every point's colour
void OBJ2D_moveSegments(OBJ2D* object);              // adds position to every point; position stays
void OBJ2D_applyTransform(OBJ2D* object);            // bakes scale, angle and position into the points
void OBJ2D_multiply(OBJ2D* object, std::int32_t k);  // wraps in 32 bits
void OBJ2D_divide(OBJ2D* object, std::int32_t k);    // truncates toward zero; k = 0 is an error

// Untransformed.
void OBJ2D_plotPoints(const OBJ2D* object, IMG* image);
void OBJ2D_drawSegments(const OBJ2D* object, IMG* image);
void OBJ2D_drawAverage(const OBJ2D* object, IMG* image);
void OBJ2D_drawAdd(const OBJ2D* object, IMG* image);

void OBJ2D_findFarthest(OBJ2D* object);              // unchanged when every point is at the origin
std::int32_t OBJ2D_isFarther(const OBJ2D* object, std::int32_t index);   // 1 or 0; bad index: 0 after error
std::int32_t OBJ2D_collide(const OBJ2D* a, const OBJ2D* b);               // 1 or 0; empty object: 0 after error

void OBJ2D_error();                                  // "OBJ2D error\n" while OBJ2D_debug != 0
