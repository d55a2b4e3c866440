// IMG: rectangles, circles and ellipses. Points are dropped and spans
// clipped as IMG_putPixel and IMG_drawHLine do it, in 64 bits so that
// extreme centres and radii cannot overflow.
#include "raster/IMG.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

#include "raster/GRID.h"

namespace {

// A point or a span given in 64 bits, dropped or clipped like IMG_putPixel
// and IMG_drawHLine would do it in 32.
void plot(IMG* image, std::int64_t x, std::int64_t y, std::uint32_t colour)
{
    if (x >= 0 && y >= 0 && x < image->width && y < image->height) image->pixels[static_cast<std::size_t>(y) * image->width + x] = colour;
}

void span(IMG* image, std::int64_t y, std::int64_t x0, std::int64_t x1, std::uint32_t colour)
{
    if (y < 0 || y >= image->height) return;
    IMG_drawHLine(image, static_cast<std::int32_t>(y), static_cast<std::int32_t>(std::clamp<std::int64_t>(x0, -1, image->width)),
                  static_cast<std::int32_t>(std::clamp<std::int64_t>(x1, -1, image->width)), colour);
}

// A rectangle after flipping negative sizes and clipping, with the sides
// that were cut away.
struct ClippedRect {
    std::int32_t x, y, w, h;
    bool left, top, right, bottom;
};

bool clipRect(const IMG* image, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h, ClippedRect& out)
{
    // A zero size has no pixels; a negative one lies on the other side of
    // the corner: x = 10, w = -3 covers columns 7, 8, 9.
    if (w == 0 || h == 0) return false;
    if (w < 0) { x += w; w = -w; }
    if (h < 0) { y += h; h = -h; }
    if (x + w < 1 || y + h < 1 || x >= image->width || y >= image->height) return false;
    out.left = x < 0;
    out.top = y < 0;
    if (x < 0) { w += x; x = 0; }
    if (y < 0) { h += y; y = 0; }
    out.right = x + w > image->width;
    out.bottom = y + h > image->height;
    if (out.right) w = image->width - x;
    if (out.bottom) h = image->height - y;
    out.x = static_cast<std::int32_t>(x);
    out.y = static_cast<std::int32_t>(y);
    out.w = static_cast<std::int32_t>(w);
    out.h = static_cast<std::int32_t>(h);
    return true;
}

// Walks one octant of a circle by the integer distance rule: from (0, r),
// i grows by one each step and r shrinks when r - 1 is strictly closer to
// the true radius. Errors are kept as differences to r0 * r0 so that they
// fit in 64 bits for every 32-bit radius.
template <typename Step>
void walkCircle(std::int64_t r, Step step)
{
    const std::int64_t r2 = r * r;
    std::int64_t a = r2;
    std::int64_t b = (r - 1) * (r - 1);
    std::int64_t i = 0;
    while (r >= i) {
        step(i, r);
        i += 1;
        const std::int64_t e1 = std::abs((a - r2) + i * i);
        const std::int64_t e2 = std::abs((b - r2) + i * i);
        if (e2 < e1) {
            r -= 1;
            a = b;
            b = (r - 1) * (r - 1);
        }
    }
}

__extension__ typedef __int128 Wide;   // ellipse errors reach rx^2 * ry^2

Wide wabs(Wide v) { return v < 0 ? -v : v; }

// Walks one quadrant of an axis-aligned ellipse from (0, ry), choosing the
// right, diagonal or vertical step with the smallest error.
template <typename Step>
void walkEllipse(std::int64_t rx, std::int64_t ry, Step step)
{
    const Wide A = static_cast<Wide>(rx) * rx;
    const Wide B = static_cast<Wide>(ry) * ry;
    const Wide AB = A * B;
    std::int64_t x = 0;
    std::int64_t y = ry;
    while (y >= 0 && x <= rx) {
        step(x, y);
        const Wide x1 = static_cast<Wide>(x + 1) * (x + 1) * B;
        const Wide x0 = static_cast<Wide>(x) * x * B;
        const Wide y0 = static_cast<Wide>(y) * y * A;
        const Wide y1 = static_cast<Wide>(y - 1) * (y - 1) * A;
        const Wide eR = wabs(x1 + y0 - AB);
        const Wide eD = wabs(x1 + y1 - AB);
        const Wide eV = wabs(x0 + y1 - AB);
        if (eV <= eR && eV <= eD) {
            y -= 1;
        } else if (eD <= eR && eD <= eV) {
            x += 1;
            y -= 1;
        } else {
            x += 1;
        }
    }
}

// Every point of an ellipse lies in its bounding box; one wholly outside the
// image would only cost time.
bool ellipseOutside(const IMG* image, std::int64_t cx, std::int64_t cy, std::int64_t rx, std::int64_t ry)
{
    return cx + rx < 0 || cy + ry < 0 || cx - rx >= image->width || cy - ry >= image->height;
}

std::int64_t magnitude(std::int32_t v) { return v < 0 ? -static_cast<std::int64_t>(v) : v; }

// Runs draw(x, y, |rx|, |ry|) for a shape centred on (cx, cy) that can touch
// the image; reports a null image.
template <typename Draw>
void centredWith(IMG* image, std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, Draw draw)
{
    if (image == nullptr || image->pixels == nullptr) { IMG_error(); return; }
    const std::int64_t x = cx;
    const std::int64_t y = cy;
    if (!ellipseOutside(image, x, y, magnitude(rx), magnitude(ry))) draw(x, y, magnitude(rx), magnitude(ry));
}

// Runs draw(clipped) for a rectangle that keeps some pixels; reports a null image.
template <typename Draw>
void rectWith(IMG* image, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, Draw draw)
{
    if (image == nullptr || image->pixels == nullptr) { IMG_error(); return; }
    ClippedRect r{};
    if (clipRect(image, x, y, w, h, r)) draw(r);
}

}  // namespace

void IMG_fillRect(IMG* image, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour)
{
    rectWith(image, x, y, w, h, [&](const ClippedRect& r) {
        for (std::int32_t row = r.y; row < r.y + r.h; ++row) {
            std::uint32_t* p = image->pixels + static_cast<std::size_t>(row) * image->width + r.x;
            std::fill(p, p + r.w, colour);
        }
    });
}

void IMG_drawRect(IMG* image, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour)
{
    rectWith(image, x, y, w, h, [&](const ClippedRect& r) {
        // A side that was clipped away is not drawn along the image edge.
        const std::int32_t x1 = r.x + r.w - 1;
        const std::int32_t y1 = r.y + r.h - 1;
        if (!r.top) IMG_drawHLine(image, r.y, r.x, x1, colour);
        if (!r.bottom) IMG_drawHLine(image, y1, r.x, x1, colour);
        if (!r.left) IMG_drawVLine(image, r.x, r.y, y1, colour);
        if (!r.right) IMG_drawVLine(image, x1, r.y, y1, colour);
    });
}

void IMG_drawCircleSine(IMG* image, std::int32_t cx, std::int32_t cy, std::int32_t r, std::uint32_t colour)
{
    centredWith(image, cx, cy, r, r, [&](std::int64_t x, std::int64_t y, std::int64_t radius, std::int64_t) {
        GRID_sineCircle(radius, [&](std::int64_t dx, std::int64_t dy) { plot(image, x + dx, y + dy, colour); });
    });
}

void IMG_drawCircle(IMG* image, std::int32_t cx, std::int32_t cy, std::int32_t r, std::uint32_t colour)
{
    centredWith(image, cx, cy, r, r, [&](std::int64_t x, std::int64_t y, std::int64_t radius, std::int64_t) {
        walkCircle(radius, [&](std::int64_t i, std::int64_t rr) {
            plot(image, x + i, y + rr, colour);
            plot(image, x - i, y + rr, colour);
            plot(image, x + i, y - rr, colour);
            plot(image, x - i, y - rr, colour);
            plot(image, x + rr, y + i, colour);
            plot(image, x + rr, y - i, colour);
            plot(image, x - rr, y + i, colour);
            plot(image, x - rr, y - i, colour);
        });
    });
}

void IMG_fillCircle(IMG* image, std::int32_t cx, std::int32_t cy, std::int32_t r, std::uint32_t colour)
{
    centredWith(image, cx, cy, r, r, [&](std::int64_t x, std::int64_t y, std::int64_t radius, std::int64_t) {
        walkCircle(radius, [&](std::int64_t i, std::int64_t rr) {
            span(image, y + rr, x - i, x + i, colour);
            span(image, y - rr, x - i, x + i, colour);
            span(image, y + i, x - rr, x + rr, colour);
            span(image, y - i, x - rr, x + rr, colour);
        });
    });
}

void IMG_drawEllipse(IMG* image, std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, std::uint32_t colour)
{
    centredWith(image, cx, cy, rx, ry, [&](std::int64_t x, std::int64_t y, std::int64_t ax, std::int64_t ay) {
        walkEllipse(ax, ay, [&](std::int64_t px, std::int64_t py) {
            plot(image, x + px, y + py, colour);
            plot(image, x - px, y + py, colour);
            plot(image, x + px, y - py, colour);
            plot(image, x - px, y - py, colour);
        });
    });
}

void IMG_fillEllipse(IMG* image, std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, std::uint32_t colour)
{
    centredWith(image, cx, cy, rx, ry, [&](std::int64_t x, std::int64_t y, std::int64_t ax, std::int64_t ay) {
        walkEllipse(ax, ay, [&](std::int64_t px, std::int64_t py) {
            span(image, y + py, x - px, x + px, colour);
            span(image, y - py, x - px, x + px, colour);
        });
    });
}
