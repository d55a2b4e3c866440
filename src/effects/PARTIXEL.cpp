// PARTIXEL: particle steps on the pixels of an image. Reads outside the image
// give 0 (empty) and writes outside are dropped, so particles that step over
// an edge are lost. The spark rule draws from one generator kept for the
// whole module.
#include "effects/PARTIXEL.h"

#include <cstddef>
#include <cstdio>
#include <new>

#include "effects/IMGFX.h"
#include "foundation/RANDOM.h"

const MODID PARTIXEL_ID = MODID_CODE("PARTIXEL");
std::uint8_t PARTIXEL_debug = 0;

namespace {

RANDOM* generator = nullptr;   // created by the first PARTIXEL_new, kept

bool usable(const PARTIXEL* p)
{
    if (p == nullptr || p->image == nullptr || p->image->pixels == nullptr) { PARTIXEL_error(); return false; }
    return true;
}

// One water step; dir is +1 (left to right, right neighbour first) or -1.
void flow(PARTIXEL* p, std::int32_t dir)
{
    if (!usable(p)) return;
    IMG* img = p->image;
    const std::uint32_t c = p->colour;
    const std::int32_t w = img->width;
    p->count = 0;
    for (std::int32_t y = img->height - 1; y >= 0; --y) {
        const std::uint32_t* row = img->pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
        for (std::int32_t i = 0; i < w; ++i) {
            const std::int32_t x = dir > 0 ? i : w - 1 - i;
            if (row[x] != c) continue;
            p->count += 1;
            std::int32_t tx = x, ty = y;
            if (IMG_getPixel(img, x, y + 1) == 0) ty = y + 1;
            else if (IMG_getPixel(img, x + dir, y) == 0) tx = x + dir;
            else if (IMG_getPixel(img, x - dir, y) == 0) tx = x - dir;
            else continue;
            IMG_putPixel(img, tx, ty, c);
            IMG_putPixel(img, x, y, 0);
        }
    }
}

bool isSpark(std::uint32_t p) { return (p & 0xFFFFu) == 0 && (p & 0xFF0000u) != 0; }

}  // namespace

PARTIXEL* PARTIXEL_new()
{
    PARTIXEL* p = new (std::nothrow) PARTIXEL{};
    if (p == nullptr) { PARTIXEL_error(); return nullptr; }
    if (generator == nullptr) generator = RANDOM_new();
    p->rule = PARTIXEL_flowRight;
    p->colour = 0x0040E0u;
    p->name = "WATER";
    return p;
}

void PARTIXEL_free(PARTIXEL** particles)
{
    if (particles == nullptr || *particles == nullptr) { PARTIXEL_error(); return; }
    delete *particles;
    *particles = nullptr;
}

void PARTIXEL_flowRight(PARTIXEL* particles) { flow(particles, 1); }

void PARTIXEL_flowLeft(PARTIXEL* particles) { flow(particles, -1); }

void PARTIXEL_sparks(PARTIXEL* particles)
{
    if (!usable(particles)) return;
    IMG* img = particles->image;
    particles->count = 0;
    if (generator == nullptr) generator = RANDOM_new();
    for (std::int32_t y = 0; y < img->height; ++y) {
        const std::uint32_t* row = img->pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(img->width);
        for (std::int32_t x = 0; x < img->width; ++x) {
            const std::uint32_t p = row[x];
            if (!isSpark(p)) continue;
            particles->count += 1;
            const std::int32_t dy = static_cast<std::int32_t>(RANDOM_nextMul(generator) % 5u);
            const std::int32_t dx = static_cast<std::int32_t>(RANDOM_nextMul(generator) % 3u) - 1;
            const std::int32_t tx = x + dx;
            const std::int32_t ty = y - dy;
            const std::uint32_t t = IMG_getPixel(img, tx, ty);
            if (t == 0) {
                IMG_putPixel(img, tx, ty, RGB888_sub(p, 0x070000u));   // loses 7 of red on the way
                IMG_putPixel(img, x, y, 0);
            } else if (isSpark(t)) {
                IMGFX_addPixel(img, tx, ty, 0xF00000u);   // two sparks merge into a brighter one
                IMG_putPixel(img, x, y, 0);
            } else if ((t & 0xFFFF00u) != 0 || (t & 0xFFu) == 0) {
                IMG_putPixel(img, x, y, 0);               // dies on an obstacle
            } else {
                IMG_putPixel(img, tx, ty, 0x808080u);     // water turns to steam; the spark stays
            }
        }
    }
}

char* PARTIXEL_print(const PARTIXEL* particles)
{
    if (particles == nullptr) PARTIXEL_error();
    return nullptr;
}

void PARTIXEL_copy(const PARTIXEL* src, PARTIXEL* dst)
{
    if (src == nullptr || dst == nullptr) PARTIXEL_error();
}

void PARTIXEL_error()
{
    if (PARTIXEL_debug != 0) std::fputs("PARTIXEL error\n", stdout);
}
