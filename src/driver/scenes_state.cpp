// FINITE STATE and FLOWERS GAME: pictures that evolve by rules on a kept
// frame. FINITE STATE pours water and sparks into the frame and lets the
// particle rules move them; FLOWERS GAME is a pointer game over a growing
// sky-and-grass mosaic. Both keep their objects for the whole run.
#include "driver/QORN7316_state.h"

#include "effects/IMGFX.h"
#include "effects/PARTIXEL.h"
#include "foundation/LIST.h"
#include "platform/MOUSE.h"
#include "vector/FONT.h"
#include "vector/LOGOFLY.h"

QORN7316_FLOWERS flowersState{};

namespace {

void keepBlackFrame()
{
    trailFade = 0;
    keepFrame = 1;
    backgroundColour = 0;
}

void setFlyingLogoColour()
{
    const std::uint32_t colour = (RANDOM_random30u() & 0x7F7F7Fu) + 0x808080u;
    if (flyingLogo != nullptr) flyingLogo->color = colour;
}

// ---- FINITE STATE

PARTIXEL* water = nullptr;
PARTIXEL* sparks = nullptr;

void finiteStateEnter()
{
    IMG_clear(frame, 0);
    if (water == nullptr) {
        water = PARTIXEL_new();
        if (water != nullptr) {
            water->image = frame;
            water->colour = 0x0000FFu;
            water->name = "WATER";
        }
    }
    if (sparks == nullptr) {
        sparks = PARTIXEL_new();
        if (sparks != nullptr) {
            sparks->image = frame;
            sparks->colour = 0xFF0000u;
            sparks->name = "SPARKS";
            sparks->rule = PARTIXEL_sparks;
        }
    }
    // Obstacles end 32 rows above the bottom, where the sparks come in.
    const auto lowest = static_cast<std::uint32_t>(screenHeight - 32);
    const auto width = static_cast<std::uint32_t>(screenWidth);
    for (int i = 0; i < 6; ++i) {
        const auto y1 = static_cast<std::int32_t>(RANDOM_random30u() % lowest);
        const auto x1 = static_cast<std::int32_t>(RANDOM_random30u() % width);
        const auto y0 = static_cast<std::int32_t>(RANDOM_random30u() % lowest);
        const auto x0 = static_cast<std::int32_t>(RANDOM_random30u() % width);
        IMG_drawLine(frame, x0, y0, x1, y1, 0xFFFFFFu);
    }
    if (backgroundPicture != nullptr) {
        IMG_blit(backgroundPicture, frame, 0, 0, 0, screenHeight / 2, backgroundPicture->width, backgroundPicture->height);
    }
    QORN7316_enterDarkTrails();
    setFlyingLogoColour();
}

bool finiteStateFrame(std::int32_t)
{
    keepBlackFrame();
    const auto width = static_cast<std::uint32_t>(screenWidth);
    if (water != nullptr) {
        for (int i = 0; i < 16; ++i) {
            IMG_putPixel(frame, static_cast<std::int32_t>(RANDOM_nextMul(sceneRandom) % width), 0, water->colour);
        }
        // One step in each scanning direction, so sideways flow has no bias.
        water->rule = PARTIXEL_flowRight;
        water->rule(water);
        water->rule = PARTIXEL_flowLeft;
        water->rule(water);
    }
    if (sparks != nullptr) {
        for (int i = 0; i < 45; ++i) {
            IMG_putPixel(frame, static_cast<std::int32_t>(RANDOM_nextMul(sceneRandom) % width), screenHeight - 1, sparks->colour);
        }
        if (sparks->rule != nullptr) sparks->rule(sparks);
    }
    QORN7316_drawFpsInfo();
    return true;
}

// ---- FLOWERS GAME

constexpr std::int32_t FLOWERS = QORN7316_FLOWER_COUNT;

IMG* newImage(std::int32_t size)
{
    IMG* image = IMG_new();
    IMG_setSize(image, size, size);
    return image;
}

// Flower k is glyph k of the tile font, copied opaquely and enlarged to 32 x 32.
LIST* makeFlowerPictures()
{
    LIST* list = LIST_new();
    if (list == nullptr || tileFont == nullptr) return list;
    IMG* small = newImage(8);
    IMG* const oldTarget = tileFont->target;
    for (std::int32_t k = 0; k < FLOWERS; ++k) {
        IMG_clear(small, 0);
        tileFont->target = small;
        tileFont->x = 0;
        tileFont->y = 0;
        tileFont->code = k;
        FONT_drawCharOpaque(tileFont);
        IMG* picture = newImage(32);
        IMG_scale(small, picture);
        if (picture != nullptr) picture->x = picture->y = 0;
        LIST_push(list, picture);
    }
    tileFont->target = oldTarget;
    IMG_free(&small);
    return list;
}

void respawn(QORN7316_FLOWERS& g, std::int32_t i)
{
    g.angle[i] = static_cast<std::int32_t>(RANDOM_random30u() & 0x3FFu);
    g.kind[i] = static_cast<std::int32_t>(RANDOM_random30u() % 32u);
    g.x[i] = static_cast<std::int32_t>(RANDOM_random30u() % 256u);
    g.y[i] = -48;
}

const IMG* picture(const QORN7316_FLOWERS& g, std::int32_t i)
{
    if (g.pictures == nullptr || g.kind[i] < 0 || g.kind[i] >= g.pictures->count) return nullptr;
    return static_cast<const IMG*>(g.pictures->items[g.kind[i]]);
}

// Turns flower i into the 48 x 48 work image, placed at the flower.
void place(QORN7316_FLOWERS& g, std::int32_t i)
{
    if (g.rotated == nullptr) return;
    const IMG* p = picture(g, i);
    if (p != nullptr) IMG_rotate(p, g.rotated, g.angle[i]);
    else IMG_clear(g.rotated, 0);
    g.rotated->x = g.x[i];
    g.rotated->y = g.y[i];
}

// The pointer sprite where the pointer overlay draws it.
bool touches(const IMG* flower, const MOUSE* p)
{
    if (flower == nullptr || p == nullptr || p->sprite == nullptr) return false;
    p->sprite->x = p->x;
    p->sprite->y = p->y;
    return IMGFX_collide(flower, p->sprite);
}

void drawPlaced(const IMG* image)
{
    if (image != nullptr) IMG_blit(image, frame, 0, 0, image->x, image->y, image->width, image->height);
}

void flowersGameEnter()
{
    QORN7316_FLOWERS& g = flowersState;
    IMG_clear(frame, 0);
    if (g.ground == nullptr) g.ground = newImage(256);
    if (g.pictures == nullptr) g.pictures = makeFlowerPictures();
    if (g.rotated == nullptr) g.rotated = newImage(48);
    if (g.enlarged == nullptr) g.enlarged = newImage(64);
    if (g.made == 0) {
        for (std::int32_t i = 0; i < FLOWERS; ++i) {
            g.angle[i] = static_cast<std::int32_t>(RANDOM_random30u() & 0x3FFu);
            g.kind[i] = static_cast<std::int32_t>(RANDOM_random30u() & 31u);
            g.x[i] = static_cast<std::int32_t>(RANDOM_random30u() % 256u);
            g.y[i] = -48;
        }
        g.selected = -1;
        g.lastCaught = -1;
        g.held = 0;
        g.wind = 1;
        g.fall = 1;
        g.made = 1;
    }
    for (auto& row : g.tiles) {
        for (std::int32_t& cell : row) cell = -1;
    }
    g.tileColumn = 0;
    g.tileRow = 0;
    g.score = 0;

    QORN7316_enterDarkTrails();
    setFlyingLogoColour();

    g.textColour = QORN7316_wheel(RANDOM_random30u() % 1536u);
    QORN7316_recolourTitleFont(0x7F7F7Fu, g.textColour, 0xFFFFFFu, 0x002244u);
}

// A colour word moved by whole green steps and held inside [low, high].
std::uint32_t nudge(std::uint32_t colour, std::int32_t low, std::int32_t high)
{
    const std::int64_t delta = (static_cast<std::int64_t>(RANDOM_random30u() % 5u) - 2) * 256;
    std::int64_t v = static_cast<std::int64_t>(colour) + delta;
    if (v < low) v = low;
    if (v > high) v = high;
    return static_cast<std::uint32_t>(v);
}

void growMosaic(QORN7316_FLOWERS& g)
{
    const std::int32_t half = screenHeight / 2;
    for (int i = 0; i < 256; ++i) {
        std::int32_t c = static_cast<std::int32_t>(RANDOM_random30u() & 31u);
        std::int32_t k = static_cast<std::int32_t>(RANDOM_random30u() & 15u);
        const std::uint32_t grass = nudge(IMG_getPixel(g.ground, 8 * c, 8 * k + half), 0x008000, 0x00C000);
        IMG_fillRect(g.ground, 8 * c, 8 * k + half, 8, 8, grass);

        c = static_cast<std::int32_t>(RANDOM_random30u() & 31u);
        k = static_cast<std::int32_t>(RANDOM_random30u() & 15u);
        const std::uint32_t sky = nudge(IMG_getPixel(g.ground, 8 * c, 8 * k) & 0x00FF00u, 0x00C000, 0x00FF00) + 0xFFu;
        IMG_fillRect(g.ground, 8 * c, 8 * k, 8, 8, sky);
    }
}

void drawTiles(QORN7316_FLOWERS& g)
{
    if (tileFont == nullptr) return;
    IMG* const oldTarget = tileFont->target;
    tileFont->target = g.ground;
    for (std::int32_t row = 0; row < QORN7316_TILE_ROWS; ++row) {
        for (std::int32_t column = 0; column < QORN7316_TILE_COLUMNS; ++column) {
            tileFont->code = g.tiles[row][column];   // -1 draws nothing
            tileFont->x = 8 * column;
            tileFont->y = 8 * row + screenHeight / 2;
            FONT_drawChar(tileFont);
        }
    }
    tileFont->target = oldTarget;
}

bool flowersGameFrame(std::int32_t)
{
    QORN7316_FLOWERS& g = flowersState;
    keepBlackFrame();
    // Black ground cells are transparent: the kept frame shows through them.
    IMG_blit(g.ground, frame, 0, 0, 0, 0, screenWidth, screenHeight);
    growMosaic(g);
    drawTiles(g);
    QORN7316_flowersMove(pointerSprite);
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    if (titleFont != nullptr) {
        titleFont->x = 96;
        titleFont->y = 0;
        FONT_drawDecimal(titleFont, g.score);
    }
    return true;
}

void flowersGameLeave()
{
    const QORN7316_FLOWERS& g = flowersState;
    QORN7316_recolourTitleFont(g.textColour, 0x7F7F7Fu, 0x002244u, 0xFFFFFFu);
}

}  // namespace

void QORN7316_flowersCatch(std::int32_t s)
{
    QORN7316_FLOWERS& g = flowersState;
    if (s < 0 || s >= FLOWERS) { QORN7316_error(); return; }
    respawn(g, s);
    g.tiles[g.tileRow][g.tileColumn] = s;   // the flower's number is its tile's glyph
    g.tileColumn += 1;
    if (g.tileColumn == QORN7316_TILE_COLUMNS) g.tileRow += 1;
    g.tileColumn %= QORN7316_TILE_COLUMNS;
    if (g.tileRow == QORN7316_TILE_ROWS) g.tileColumn = g.tileRow = 0;
    g.score += (s % 32 == g.lastCaught % 32) ? 5u : 1u;
    g.lastCaught = s;
    g.selected = -1;
    g.held = 1;   // a held button catches at most one flower
}

void QORN7316_flowersMove(MOUSE* p)
{
    QORN7316_FLOWERS& g = flowersState;
    const std::int32_t buttons = p != nullptr ? p->buttons : 0;
    if (buttons == 0) g.held = 0;
    else if (g.selected < 0) g.held = 1;

    for (std::int32_t i = FLOWERS - 1; i >= 0; --i) {
        if (i == g.selected) continue;
        place(g, i);
        if (g.selected < 0 && touches(g.rotated, p)) {
            g.selected = i;   // drawn with the selection below
            continue;
        }
        g.angle[i] = (g.angle[i] + i) & 1023;
        g.x[i] += g.wind + static_cast<std::int32_t>(RANDOM_random30u() % 3u) - 1;
        if (g.x[i] > 319) g.x[i] = -64;
        if (g.x[i] < -64) g.x[i] = 319;
        g.y[i] += g.fall + static_cast<std::int32_t>(RANDOM_random30u() & 1u);
        if (g.y[i] > 256 || g.y[i] < -64) respawn(g, i);
        if (g.rotated != nullptr) {
            g.rotated->x = g.x[i];
            g.rotated->y = g.y[i];
        }
        drawPlaced(g.rotated);
    }

    const std::int32_t s = g.selected;
    if (s >= 0 && s < FLOWERS) {
        place(g, s);
        const IMG* shown = g.rotated;
        if (touches(g.rotated, p)) {
            const IMG* pic = picture(g, s);
            if (g.enlarged != nullptr) {
                if (pic != nullptr) IMG_scale(pic, g.enlarged);
                g.enlarged->x = g.x[s] - 8;
                g.enlarged->y = g.y[s] - 8;
                shown = g.enlarged;
            }
            g.angle[s] = 0;   // a held flower stops spinning
            if (buttons != 0 && g.held == 0) QORN7316_flowersCatch(s);
        } else {
            g.selected = -1;
        }
        drawPlaced(shown);
    }

    if ((RANDOM_random30u() & 255u) == 0) g.wind = static_cast<std::int32_t>(RANDOM_random30u() % 5u) - 2;
    if ((RANDOM_random30u() & 255u) == 0) g.fall = static_cast<std::int32_t>(RANDOM_random30u() & 1u) + 1;
}

extern const QORN7316_SCENE QORN7316_finiteStateScene{"FINITE STATE", 1500, finiteStateEnter, finiteStateFrame, nullptr, nullptr, false, true};
extern const QORN7316_SCENE QORN7316_flowersGameScene{"FLOWERS GAME", 1500, flowersGameEnter, flowersGameFrame, nullptr, flowersGameLeave, false, true};
