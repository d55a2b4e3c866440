// The rectangle scenes: BLENDED RECTANGLES, RECTANGLE BUBBLES, RECTANGLES
// MOVE, FILLED+BLENDED RECTANGLES BENCHMARK and RECTANGLE BUBBLES UP, each an
// enter, a frame and a leave function run by the common frame loop. Their
// rectangle lists, the benchmark count and the RECTANGLES MOVE rule and hold
// counter are made once and kept for the whole run.
#include "driver/QORN7316_state.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "effects/IMGFX.h"
#include "foundation/INT.h"
#include "foundation/LIST.h"
#include "foundation/SINE.h"
#include "foundation/VEC2D.h"
#include "raster/RECT.h"
#include "vector/LOGOFLY.h"
#include "vector/SEG2D.h"

std::int32_t rectanglesBenchmarkCount = 0;

namespace {

std::uint32_t wheel(std::uint32_t i) { return QORN7316_wheel(i); }

VEC2D* start(const RECT* r) { return r->corners->start; }
VEC2D* end(const RECT* r) { return r->corners->end; }

void place(RECT* r, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    start(r)->x = x0;
    start(r)->y = y0;
    end(r)->x = x1;
    end(r)->y = y1;
}

void move(RECT* r, std::int32_t dx, std::int32_t dy)
{
    place(r, start(r)->x + dx, start(r)->y + dy, end(r)->x + dx, end(r)->y + dy);
}

// A rectangle record on the stack for one draw.
struct ScratchRect {
    VEC2D s{0, 0, 0};
    VEC2D e{0, 0, 0};
    SEG2D corners{&s, &e};
    RECT rect{&corners, 0};
};

// Makes a list of n new rectangles; null when memory runs out.
LIST* newRectList(std::int32_t n)
{
    LIST* list = LIST_new();
    for (std::int32_t i = 0; i < n && list != nullptr; ++i) {
        RECT* r = RECT_new();
        if (r == nullptr) break;
        LIST_push(list, r);
    }
    return list;
}

RECT* item(const LIST* list, std::int32_t i) { return static_cast<RECT*>(list->items[i]); }

void removeRect(LIST* list, std::int32_t i)
{
    RECT* r = item(list, i);
    LIST_delete(list, i);
    RECT_free(&r);
}

// The boxes of a list of rectangles as flat arrays, kept in step with the
// list while a pass moves, grows and removes its rectangles. The overlap test
// is RECT_overlap's (inclusive boxes, corners in either order) without its
// walk through three records per rectangle; a list holding a rectangle with
// a missing part goes through RECT_overlap itself, which reports it.
struct Boxes {
    struct Box {
        std::int32_t lowX, highX, lowY, highY;
    };
    std::vector<Box> boxes;
    bool flat = true;

    static bool complete(const RECT* r)
    {
        return r != nullptr && r->corners != nullptr && r->corners->start != nullptr && r->corners->end != nullptr;
    }
    static Box of(const RECT* r)
    {
        return {std::min(start(r)->x, end(r)->x), std::max(start(r)->x, end(r)->x),
                std::min(start(r)->y, end(r)->y), std::max(start(r)->y, end(r)->y)};
    }
    explicit Boxes(const LIST* list)
    {
        boxes.reserve(static_cast<std::size_t>(list->count) + 264);
        for (std::int32_t i = 0; i < list->count; ++i) {
            const RECT* r = item(list, i);
            flat = flat && complete(r);
            boxes.push_back(flat ? of(r) : Box{});
        }
    }
    void set(std::int32_t i, const RECT* r)
    {
        if (flat) boxes[static_cast<std::size_t>(i)] = of(r);
    }
    void push(const RECT* r)
    {
        flat = flat && complete(r);
        boxes.push_back(flat ? of(r) : Box{});
    }
    void erase(std::int32_t i) { boxes.erase(boxes.begin() + i); }
    static bool overlap(const Box& a, const Box& b)
    {
        return b.lowX <= a.highX && b.highX >= a.lowX && b.lowY <= a.highY && b.highY >= a.lowY;
    }
    // RECT_overlap(r, item j) for r, which is item `self` or (self < 0) none.
    bool overlap(const LIST* list, const RECT* r, std::int32_t self, std::int32_t j) const
    {
        if (!flat || !complete(r)) return RECT_overlap(r, item(list, j));
        return overlap(self >= 0 ? boxes[static_cast<std::size_t>(self)] : of(r), boxes[static_cast<std::size_t>(j)]);
    }
};

// BLENDED RECTANGLES: the rectangle counterpart of BLENDED CIRCLES.

std::int32_t rectangleAlpha = 16;

void blendedRectanglesEnter()
{
    rectangleAlpha = QORN7316_enterBleaching();
}

bool blendedRectanglesFrame(std::int32_t)
{
    keepFrame = 1;
    for (std::int32_t n = 0; n < rectangleCount; ++n) {
        ScratchRect r;
        r.s.x = RANDOM_random30() % 256;
        r.s.y = RANDOM_random30() % 256;
        r.e.x = RANDOM_random30() % 256;
        r.e.y = RANDOM_random30() % 256;
        r.rect.colour = wheel(static_cast<std::uint32_t>(RANDOM_random30() % 1536));
        RECT_fillBlend(&r.rect, frame, rectangleAlpha);
    }
    QORN7316_drawBleachingOverlays();
    return true;
}

// RECTANGLE BUBBLES: a foam of rectangles that never overlap. They grow one
// pixel per side every other frame and vanish on touching a neighbour or
// reaching 65 pixels.

LIST* bubbles = nullptr;   // RECTs, made on the first run and kept

void rectangleBubblesEnter()
{
    QORN7316_enterFoam();
    if (bubbles == nullptr) bubbles = LIST_new();
    QORN7316_initScroller();
    QORN7316_initRasterBars();
}

// r against every item but `except` (r's own index, or -1 when r is not in the list).
bool overlapsAny(const LIST* list, const Boxes& boxes, const RECT* r, std::int32_t except)
{
    for (std::int32_t j = list->count - 1; j >= 0; --j) {
        if (j != except && boxes.overlap(list, r, except, j)) return true;
    }
    return false;
}

void drawBubbles()
{
    for (std::int32_t i = bubbles->count - 1; i >= 0; --i) {
        const RECT* b = item(bubbles, i);
        RECT_draw(b, frame);
        const std::int32_t w4 = (end(b)->x - start(b)->x) / 4;
        const std::int32_t h4 = (end(b)->y - start(b)->y) / 4;
        ScratchRect light;
        light.s.x = start(b)->x + w4;
        light.s.y = start(b)->y + h4;
        light.e.x = light.s.x + w4;
        light.e.y = light.s.y + h4;
        light.rect.colour = b->colour + 0x808080u;   // the colour has no top bits per channel
        RECT_fill(&light.rect, frame);
    }
}

void spawnAndGrowBubbles()
{
    Boxes boxes(bubbles);
    for (std::int32_t n = 0; n < 264; ++n) {
        RECT* b = RECT_new();
        if (b == nullptr) return;
        const std::int32_t x = RANDOM_random30() % 256 - 1;
        const std::int32_t y = RANDOM_random30() % 256 - 1;
        place(b, x, y, x + 1, y + 1);
        b->colour = static_cast<std::uint32_t>(RANDOM_random30()) & 0x7F7F7Fu;
        if (overlapsAny(bubbles, boxes, b, -1)) {
            RECT_free(&b);
            continue;
        }
        const std::int32_t before = bubbles->count;
        LIST_push(bubbles, b);
        if (bubbles->count > before) boxes.push(b);
    }
    for (std::int32_t i = bubbles->count - 1; i >= 0; --i) {
        RECT* b = item(bubbles, i);
        place(b, start(b)->x - 1, start(b)->y - 1, end(b)->x + 1, end(b)->y + 1);
        boxes.set(i, b);
        const std::int32_t w = end(b)->x - start(b)->x;
        const std::int32_t h = end(b)->y - start(b)->y;
        const bool inSize = w >= 1 && w <= 64 && h >= 1 && h <= 64;
        if (!inSize || overlapsAny(bubbles, boxes, b, i)) {
            removeRect(bubbles, i);
            boxes.erase(i);
        }
    }
}

bool rectangleBubblesFrame(std::int32_t left)
{
    trailFade = 1;
    if (bubbles != nullptr) {
        drawBubbles();
        if (left % 2 == 0) spawnAndGrowBubbles();
    }
    QORN7316_drawRasterBars();
    QORN7316_drawScroller();
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoWave();
    return true;
}

// RECTANGLES MOVE: 16 rectangles under one movement rule at a time, chosen
// at random or by keys. A move is tried on a shadow copy and kept only when
// the rectangle keeps a sensible size; rectangles wrap round the frame.

constexpr std::int32_t MOVERS = 16;
constexpr std::int32_t RULE_COUNT = 22;
constexpr std::int32_t RULE_STILL = 21;
constexpr std::int32_t HOLD_FRAMES = 256;
LIST* movers = nullptr;          // main list
LIST* moverShadows = nullptr;    // trial copies
std::int32_t moveRule = 8;       // top edge up
std::int32_t moveHold = 0;       // frames left before random rule changes resume

void rectanglesMoveEnter()
{
    fadeColour = 0x505050u;
    blurOn = glowOn = 0;
    trailFade = 0;
    rasterOn = 1;
    scrollerOn = 1;
    keepFrame = 0;
    backgroundColour = 0xFFFFFFu;
    QORN7316_initScroller();
    if (movers == nullptr) movers = newRectList(MOVERS);
    if (moverShadows == nullptr) moverShadows = newRectList(MOVERS);
    for (std::int32_t i = 0; movers != nullptr && i < movers->count; ++i) {
        RECT* r = item(movers, i);
        start(r)->x = RANDOM_random30() % 256;
        end(r)->x = start(r)->x + RANDOM_random30() % 64 + 8;
        start(r)->y = RANDOM_random30() % 256;
        end(r)->y = start(r)->y + RANDOM_random30() % 64 + 8;
        r->colour = static_cast<std::uint32_t>(RANDOM_random30()) & 0x7F7F7Fu;
        if (backgroundColour == 0) r->colour += 0x808080u;
    }
}

// Wraps both corners of an axis by the frame size when both left it on one side.
void rebase(std::int32_t* a, std::int32_t* b, std::int32_t size)
{
    if (*a < 0 && *b < 0) { *a += size; *b += size; }
    else if (*a >= size && *b >= size) { *a -= size; *b -= size; }
}

bool acceptable(const RECT* r)
{
    const std::int32_t w = end(r)->x - start(r)->x;
    const std::int32_t h = end(r)->y - start(r)->y;
    return w >= 8 && w < screenWidth / 2 && h >= 8 && h < screenHeight / 2;
}

bool rectanglesMoveFrame(std::int32_t)
{
    keepFrame = 0;
    if (moveHold > 0) moveHold -= 1;
    else if ((RANDOM_random30() & 63) == 0) moveRule = RANDOM_random30() % RULE_COUNT;
    const std::int32_t n = movers == nullptr || moverShadows == nullptr ? 0 : std::min(movers->count, moverShadows->count);
    for (std::int32_t i = n - 1; i >= 0; --i) {
        RECT* shadow = item(moverShadows, i);
        RECT_copy(item(movers, i), shadow);
        QORN7316_applyRule(moveRule, shadow);
        rebase(&start(shadow)->x, &end(shadow)->x, screenWidth);
        rebase(&start(shadow)->y, &end(shadow)->y, screenHeight);
    }
    for (std::int32_t i = 0; i < n; ++i) {
        if (acceptable(item(moverShadows, i))) RECT_copy(item(moverShadows, i), item(movers, i));
    }
    for (std::int32_t i = 0; i < n; ++i) QORN7316_drawWrapped(item(movers, i), frame, 64);
    QORN7316_drawRasterBars();
    QORN7316_drawScroller();
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    QORN7316_drawLogoWobble();
    QORN7316_drawFpsInfo();
    return true;
}

// A key moves the rectangles for one frame (key repetition gives a steady
// motion) and holds off random rule changes for 256 frames.
void rectanglesMoveKeys()
{
    if (moveHold > 0) moveRule = RULE_STILL;
    if (keyboard == nullptr || keyboard->chars == nullptr) return;
    std::int32_t rule = -1;
    switch (static_cast<char>(keyboard->chars[0])) {
    case 'S': rule = 0; break;
    case 'X': rule = 1; break;
    case 'Z': rule = 2; break;
    case 'C': rule = 3; break;
    case 'I': rule = 4; break;
    case 'K': rule = 5; break;
    case 'J': rule = 6; break;
    case 'L': rule = 7; break;
    case 'U': rule = 19; break;
    case 'O': rule = 18; break;
    default: break;
    }
    if (rule >= 0) {
        moveRule = rule;
        moveHold = HOLD_FRAMES;
    }
}

// FILLED+BLENDED RECTANGLES BENCHMARK: the rectangle counterpart of the
// circle benchmark.

std::uint32_t rectanglesTextColour = 0x7F7F7Fu;

void rectanglesBenchmarkEnter()
{
    QORN7316_enterClearedWhite(63, 64);
    QORN7316_initScroller();
    QORN7316_initRasterBars();
    const std::uint32_t logoColour = (static_cast<std::uint32_t>(RANDOM_random30()) & 0x7F7F7Fu) + 0x808080u;
    if (flyingLogo != nullptr) {
        flyingLogo->color = logoColour;
        flyingLogo->x = 176;
        flyingLogo->y = 240;
    }
    rectanglesTextColour = QORN7316_benchmarkTextColour(0x442244u);
}

bool rectanglesBenchmarkFrame(std::int32_t)
{
    QORN7316_benchmarkRectangles(rectanglesBenchmarkCount);
    rectanglesBenchmarkCount = QORN7316_adaptCount(rectanglesBenchmarkCount);
    if (statsOn != 0) QORN7316_drawBenchmarkText("BLENDED, FILLED\n", "RECTANGLES\n", rectanglesBenchmarkCount);
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    QORN7316_drawFlyingLogo();
    return true;
}

void rectanglesBenchmarkLeave()
{
    QORN7316_recolourTitleFont(rectanglesTextColour, 0x7F7F7Fu, 0x442244u, 0xFFFFFFu);
}

// RECTANGLE BUBBLES UP: 400 bubbles rise with a sideways wobble; a bubble
// that touches another is absorbed by it. The bubble picture bobs on two
// sine phases whose settings are redrawn whenever a phase wraps.

constexpr std::int32_t RISERS = 400;
LIST* risers = nullptr;   // made on the first run and kept

struct Wobble {
    std::int32_t phase1 = 0, phase2 = 0;
    std::int32_t amplitude = 512;
    std::int32_t step1 = 10, step2 = 1;
};
Wobble wobble;

void rectangleBubblesUpEnter()
{
    QORN7316_enterFoam();
    if (risers == nullptr) {
        risers = newRectList(RISERS);
        for (std::int32_t i = 0; risers != nullptr && i < risers->count; ++i) {
            RECT* b = item(risers, i);
            const std::int32_t x = RANDOM_random30() % 256;
            const std::int32_t y = RANDOM_random30() % 256;
            place(b, x, y, x + 1, y + 1);
            b->colour = static_cast<std::uint32_t>(RANDOM_random30()) & 0x7F7F7Fu;
        }
    }
    QORN7316_initScroller();
    QORN7316_initRasterBars();
}

void drawRisers()
{
    for (std::int32_t i = risers->count - 1; i >= 0; --i) {
        const RECT* b = item(risers, i);
        const std::uint32_t outline = backgroundColour != 0xFFFFFFu ? b->colour + 0x808080u : b->colour;
        const std::int32_t w = end(b)->x - start(b)->x;
        const std::int32_t h = end(b)->y - start(b)->y;
        IMG_drawRect(frame, start(b)->x, start(b)->y, w + 1, h + 1, outline);   // as RECT_draw, in the outline colour
        IMG_fillRect(frame, start(b)->x + w / 4, start(b)->y + h / 4, w / 4, h / 4, RGB888_add(outline, 0x404040u));
    }
}

void drawBubblePicture()
{
    const std::int32_t a = (SINE_at(wobble.phase1) * wobble.amplitude) >> 16;
    const std::int32_t v = static_cast<std::int16_t>(static_cast<std::uint32_t>((a * SINE_at(wobble.phase2)) >> 16) & 0xFFFFu);
    const std::int32_t old1 = wobble.phase1;
    const std::int32_t old2 = wobble.phase2;
    wobble.phase1 = (wobble.phase1 + wobble.step1) & SINE_MASK;
    wobble.phase2 = (wobble.phase2 + wobble.step2) & SINE_MASK;
    if (std::abs(wobble.phase1 - old1) > 512) {   // phase 1 wrapped round
        wobble.amplitude = (RANDOM_random30() & 511) + 256;
        wobble.step1 = (RANDOM_random30() & 15) + 4;
    }
    if (std::abs(wobble.phase2 - old2) > 512) {
        RANDOM_random30();   // a draw that is not used
        wobble.step2 = (RANDOM_random30() & 3) + 1;
    }
    if (bubblePicture == nullptr) return;
    bubblePicture->x = 0;
    bubblePicture->y = 64 + v;
    IMGFX_drawAverage(bubblePicture, frame);
}

bool rectangleBubblesUpFrame(std::int32_t)
{
    trailFade = 1;
    if (risers != nullptr) {
        QORN7316_riseBubbles(risers);
        drawRisers();
    }
    QORN7316_drawRasterBars();
    QORN7316_drawScroller();
    drawBubblePicture();
    QORN7316_updateTitle();
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    QORN7316_drawLogoWave();
    return true;
}

void respawnAtBottom(RECT* b)
{
    const std::int32_t x = RANDOM_random30() % 256;
    place(b, x, 256, x + 1, 257);
}

}  // namespace

void QORN7316_applyRule(std::int32_t rule, RECT* r)
{
    if (r == nullptr || r->corners == nullptr) { QORN7316_error(); return; }
    VEC2D* s = start(r);
    VEC2D* e = end(r);
    const std::uint32_t f = pacer != nullptr ? pacer->frames : 0;
    // The pulses take a remainder by the mask value 1023, not an AND; s is -4..3.
    const auto pulseV = [&] {
        const std::int32_t p = SINE_at(static_cast<std::int32_t>((63u * f) % 1023u)) >> 13;
        s->y += p;
        e->y -= p;
    };
    const auto pulseH = [&] {
        const std::int32_t p = SINE_at(static_cast<std::int32_t>((53u * f) % 1023u)) >> 13;
        s->x += p;
        e->x -= p;
    };
    switch (rule) {
    case 0: s->y -= 1; e->y -= 1; break;
    case 1: s->y += 1; e->y += 1; break;
    case 2: s->x -= 1; e->x -= 1; break;
    case 3: s->x += 1; e->x += 1; break;
    case 4: s->y -= 1; e->y += 1; break;
    case 5: s->y += 1; e->y -= 1; break;
    case 6: s->x += 1; e->x -= 1; break;
    case 7: s->x -= 1; e->x += 1; break;
    case 8: s->y -= 1; break;
    case 9: e->y += 1; break;
    case 10: s->x -= 1; break;
    case 11: e->x += 1; break;
    case 12: e->y -= 1; break;
    case 13: s->y += 1; break;
    case 14: e->x -= 1; break;
    case 15: s->x += 1; break;
    case 16: pulseV(); break;
    case 17: pulseH(); break;
    case 18: pulseV(); pulseH(); break;
    case 19:
        s->x += RANDOM_random30() % 17 - 8;
        s->y += RANDOM_random30() % 17 - 8;
        e->x += RANDOM_random30() % 17 - 8;
        e->y += RANDOM_random30() % 17 - 8;
        break;
    case 20:
        s->x += (RANDOM_random30() & 1) * 2 - 1;
        s->y += (RANDOM_random30() & 1) * 2 - 1;
        e->x += (RANDOM_random30() & 1) * 2 - 1;
        e->y += (RANDOM_random30() & 1) * 2 - 1;
        break;
    default: break;   // 21 and anything else: no movement
    }
}

void QORN7316_drawWrapped(const RECT* r, IMG* image, std::int32_t alpha)
{
    if (r == nullptr || r->corners == nullptr || image == nullptr) { QORN7316_error(); return; }
    const std::int32_t w = screenWidth, h = screenHeight;
    const auto piece = [&](std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
        IMGFX_blendRect(image, x0, y0, x1 - x0 + 1, y1 - y0 + 1, r->colour, alpha);
    };
    const VEC2D* s = start(r);
    const VEC2D* e = end(r);
    if (s->x >= 0 && s->y >= 0 && e->x < w && e->y < h) {
        RECT_fillBlend(r, image, alpha);
        return;
    }
    const auto wrap = [](std::int32_t v, std::int32_t size) { return ((v % size) + size) % size; };
    const std::int32_t x0 = wrap(s->x, w), y0 = wrap(s->y, h);
    const std::int32_t x1 = wrap(e->x, w), y1 = wrap(e->y, h);
    const bool wrapsX = x0 > x1;
    const bool wrapsY = y0 > y1;
    if (wrapsX && wrapsY) {
        piece(x0, y0, w - 1, h - 1);
        piece(0, y0, x1, h - 1);
        piece(0, 0, x1, y1);
        piece(x0, 0, w - 1, y1);
    } else if (wrapsY) {
        piece(x0, y0, x1, h - 1);
        piece(x0, 0, x1, y1);
    } else if (wrapsX) {
        piece(x0, y0, w - 1, y1);
        piece(0, y0, x1, y1);
    } else {
        piece(x0, y0, x1, y1);   // lay wholly outside: drawn at its wrapped place
    }
}

// Each bubble rises 3 to 5 pixels with a sideways wobble and is recycled at
// the bottom once it leaves the top or grows to 17 wide. The first other
// bubble it touches (searched from the last) absorbs it: that one grows a
// pixel per side and is itself recycled at 25 pixels.
void QORN7316_riseBubbles(LIST* list)
{
    if (list == nullptr) { QORN7316_error(); return; }
    Boxes boxes(list);
    for (std::int32_t i = list->count - 1; i >= 0; --i) {
        RECT* b = item(list, i);
        const std::int32_t dx = RANDOM_random30() % 3 - 1;
        const std::int32_t dy = -3 - RANDOM_random30() % 3;
        move(b, dx, dy);
        if (end(b)->y < 0 || end(b)->x - start(b)->x >= 17) respawnAtBottom(b);
        boxes.set(i, b);
        for (std::int32_t j = list->count - 1; j >= 0; --j) {
            if (j == i || !boxes.overlap(list, b, i, j)) continue;
            RECT* other = item(list, j);
            place(other, start(other)->x - 1, start(other)->y - 1, end(other)->x + 1, end(other)->y + 1);
            if (end(other)->x - start(other)->x >= 25 || end(other)->y - start(other)->y >= 25) respawnAtBottom(other);
            boxes.set(j, other);
            respawnAtBottom(b);
            boxes.set(i, b);
            break;
        }
    }
}

void QORN7316_benchmarkRectangles(std::int32_t count)
{
    for (std::int32_t n = 0; n < count; ++n) {
        const std::int32_t x0 = RANDOM_random30() % 256;
        const std::int32_t y0 = RANDOM_random30() % 256;
        const std::int32_t x1 = RANDOM_random30() % 256;
        const std::int32_t y1 = RANDOM_random30() % 256;
        const std::uint32_t colour = wheel(static_cast<std::uint32_t>(RANDOM_random30() % 1536));
        IMGFX_blendRect(frame, std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0), std::abs(y1 - y0), colour, 16);
    }
}

extern const QORN7316_SCENE QORN7316_blendedRectanglesScene{"BLENDED\n RECTANGLES", 900, blendedRectanglesEnter, blendedRectanglesFrame, nullptr, nullptr, false, true};
extern const QORN7316_SCENE QORN7316_rectangleBubblesScene{"RECTANGLE\n BUBBLES", 750, rectangleBubblesEnter, rectangleBubblesFrame, nullptr, nullptr, true, true};
extern const QORN7316_SCENE QORN7316_rectanglesMoveScene{"RECTANGLES MOVE", 1000, rectanglesMoveEnter, rectanglesMoveFrame, rectanglesMoveKeys, nullptr, true, true};
extern const QORN7316_SCENE QORN7316_rectangleBubblesUpScene{"RECTANGLE\n BUBBLES UP", 750, rectangleBubblesUpEnter, rectangleBubblesUpFrame, nullptr, nullptr, true, true};
extern const QORN7316_SCENE QORN7316_rectanglesBenchmarkScene{"FILLED+BLENDED\n RECTANGLES\n  BENCHMARK", 750, rectanglesBenchmarkEnter, rectanglesBenchmarkFrame, nullptr, rectanglesBenchmarkLeave, true, true};
