// GRID: the walks that the word picture (IMG) and the byte map (BYTEMAP)
// share, as templates over the cell type and the plotting step.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "foundation/SINE.h"

// Rectangle blit of the w x h block at (sx, sy) in src to (dx, dy) in dst,
// clipped in a fixed order: reject, source negative corner, source far edge,
// destination negative corner, destination far edge. Rows go top down, cells
// left to right; rule(old, source) gives the new cell.
template <typename Cell, typename Rule>
void GRID_blit(const Cell* src, std::int64_t srcW, std::int64_t srcH, Cell* dst, std::int64_t dstW, std::int64_t dstH,
               std::int64_t sx, std::int64_t sy, std::int64_t dx, std::int64_t dy, std::int64_t w, std::int64_t h, Rule rule)
{
    if (dx >= dstW || dx + w < 0 || dy >= dstH || dy + h < 0) return;
    if (sx >= srcW || sx + w < 0 || sy >= srcH || sy + h < 0) return;
    if (sx < 0) { w = sx + w; dx = dx - sx; sx = 0; }
    if (sy < 0) { h = sy + h; dy = dy - sy; sy = 0; }
    if (sx + w > srcW) w = srcW - sx;
    if (sy + h > srcH) h = srcH - sy;
    if (dx < 0) { w = w + dx; sx = sx - dx; dx = 0; }
    if (dy < 0) { h = h + dy; sy = sy - dy; dy = 0; }
    if (dx + w > dstW) w = dstW - dx;
    if (dy + h > dstH) h = dstH - dy;
    if (w <= 0 || h <= 0) return;
    for (std::int64_t row = 0; row < h; ++row) {
        const Cell* s = src + static_cast<std::size_t>((sy + row) * srcW + sx);
        Cell* d = dst + static_cast<std::size_t>((dy + row) * dstW + dx);
        for (std::int64_t col = 0; col < w; ++col) d[col] = rule(d[col], s[col]);
    }
}

// Line wrap: source cells 0, 1, ... of a line go to destination cells o,
// o + 1, ..., wrapping to 0, min(srcCount, dstCount) cells in all, for o in
// 0..dstCount-1. A line is a row (stride 1) or a
// column (stride = width). rule(old, source) gives the new cell.
template <typename Cell, typename Rule>
void GRID_wrapLine(const Cell* src, std::size_t srcStride, std::int64_t srcCount, Cell* dst, std::size_t dstStride,
                   std::int64_t dstCount, std::int64_t o, Rule rule)
{
    const std::int64_t n = std::min(srcCount, dstCount);
    for (std::int64_t i = 0; i < n; ++i) {
        std::int64_t at = o + i;
        if (at >= dstCount) at -= dstCount;
        Cell& d = dst[static_cast<std::size_t>(at) * dstStride];
        d = rule(d, src[static_cast<std::size_t>(i) * srcStride]);
    }
}

// The sine-table circle: an eighth of the table gives an octant, mirrored
// eight ways; the right half sits one cell to the left, so the outline spans
// 2c columns. plot(dx, dy) gets each point relative to the centre, the eight
// of a step only when the step moved.
template <typename Plot>
void GRID_sineCircle(std::int64_t radius, Plot plot)
{
    std::int64_t lastS = -1;
    std::int64_t lastC = -1;
    std::int32_t j = 0;
    std::int32_t k = SINE_SIZE / 4;
    for (int n = 0; n < SINE_SIZE / 8; ++n) {
        const std::int64_t s = (SINE_table[j] * radius) >> 15;
        const std::int64_t c = (SINE_table[k] * radius) >> 15;
        if (s != lastS || c != lastC) {
            plot(c - 1, s);
            plot(-c, s);
            plot(c - 1, -s);
            plot(-c, -s);
            plot(s - 1, c);
            plot(-s, c);
            plot(s - 1, -c);
            plot(-s, -c);
            lastS = s;
            lastC = c;
        }
        j = (j + 1) & SINE_MASK;
        k = (k + 1) & SINE_MASK;
    }
}
