// PARTIXEL: the pixels of an image as particles. One call of a rule moves
// every particle pixel one step by looking at its neighbours: water falls and
// flows sideways, sparks rise, fade, merge and turn water into steam. The
// image is not owned; all records share one RANDOM generator.
#pragma once
#include <cstdint>

#include "foundation/MODID.h"
#include "raster/IMG.h"

struct PARTIXEL {
    std::int32_t spare[6];                // not read
    void (*rule)(PARTIXEL* particles);    // the step to run; PARTIXEL_flowRight at creation
    std::uint32_t colour;                 // particle colour; 0x0040E0 at creation
    IMG* image;                           // the particles, not owned; null at creation
    const char* name;                     // "WATER" at creation
    std::int32_t count;                   // particle pixels met by the last step
    std::int32_t reserved[2];             // not read
};

extern const MODID PARTIXEL_ID;
extern std::uint8_t PARTIXEL_debug;       // 0 at start; nothing sets it

PARTIXEL* PARTIXEL_new();                 // the first call creates the shared generator; null after PARTIXEL_error
void PARTIXEL_free(PARTIXEL** particles); // frees the record (not the image), stores null
void PARTIXEL_flowRight(PARTIXEL* particles);   // water step, rows bottom-up, pixels left to right
void PARTIXEL_flowLeft(PARTIXEL* particles);    // water step, rows bottom-up, pixels right to left
void PARTIXEL_sparks(PARTIXEL* particles);      // spark step, rows top-down, draws from the shared generator
char* PARTIXEL_print(const PARTIXEL* particles);              // null
void PARTIXEL_copy(const PARTIXEL* src, PARTIXEL* dst);       // changes nothing
void PARTIXEL_error();                    // "PARTIXEL error\n" while PARTIXEL_debug != 0
