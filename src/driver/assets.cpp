// The start-up pictures, fonts and colour wheel, decoded or built once at
// start-up from the embedded data and kept for the whole run.
#include <cstddef>

#include "assets/ASSETS.h"
#include "audio/SAMPLE.h"
#include "driver/QORN7316_state.h"
#include "effects/IMGFX.h"
#include "vector/FONT.h"
#include "vector/LFONT.h"
#include "vector/OBJ2D.h"

IMG* introPicture = nullptr;
IMG* backgroundPicture = nullptr;
IMG* bubblePicture = nullptr;
SAMPLE* colourWheel = nullptr;
FONT* smallFont = nullptr;
FONT* titleFont = nullptr;
FONT* bigFont = nullptr;
FONT* tileFont = nullptr;
LFONT* lineFont = nullptr;

IMG* QORN7316_picture(const char* name)
{
    return IMG_fromPNM(ASSETS_find(name));
}

namespace {

FONT* makeFont(const char* sheet, std::int32_t cellWidth, std::int32_t cellHeight)
{
    FONT* font = FONT_new();
    if (font == nullptr) return nullptr;
    font->glyphWidth = cellWidth;
    font->glyphHeight = cellHeight;
    font->glyphs = QORN7316_picture(sheet);
    font->target = frame;
    return font;
}

}  // namespace

void QORN7316_drawIntro()
{
    if (frame == nullptr) { QORN7316_error(); return; }
    // The colour runs through blues, greens and reds as i grows; the product
    // overflows into the top byte from i = 32 on, which colour words keep 0.
    for (std::uint32_t i = 0; i < 192; ++i)
        IMG_fillCircle(frame, frame->width / 2, frame->height / 2, 256 - static_cast<std::int32_t>(i),
                       (i * 0x080204u) & 0xFFFFFFu);
    introPicture = QORN7316_picture("intro.pbm");
    if (introPicture != nullptr) {
        // Inverted, the logo's letters become the holes the circles show through.
        IMGFX_invert(introPicture);
        std::int32_t w = introPicture->width, h = introPicture->height;
        IMGFX_addRect(introPicture, frame, 0, 0, (frame->width - w) / 2, (frame->height - h) / 2, w, h);
    }
    WINDPY_show(display, frame);
}

void QORN7316_loadPictures()
{
    backgroundPicture = QORN7316_picture("background.ppm");
    bubblePicture = QORN7316_picture("bubbles.ppm");
}

void QORN7316_makeColourWheel()
{
    colourWheel = SAMPLE_new();
    if (colourWheel == nullptr) return;
    SAMPLE_setCount(colourWheel, 1536);
    if (colourWheel->count != 1536) return;
    // Six runs of 256 fully saturated steps: green, cyan, blue, magenta, red,
    // yellow and back; each run ends on the colour the next one starts from.
    for (std::int32_t j = 0; j < 256; ++j) {
        std::int32_t* v = colourWheel->values;
        v[j] = 0x00FF00 + j;
        v[256 + j] = 0x00FFFF - 256 * j;
        v[512 + j] = 0x0000FF + 65536 * j;
        v[768 + j] = 0xFF00FF - j;
        v[1024 + j] = 0xFF0000 + 256 * j;
        v[1280 + j] = 0xFFFF00 - 65536 * j;
    }
}

std::uint32_t QORN7316_wheel(std::uint32_t i)
{
    if (colourWheel == nullptr || colourWheel->count <= 0) return 0;
    return static_cast<std::uint32_t>(colourWheel->values[i % static_cast<std::uint32_t>(colourWheel->count)]);
}

void QORN7316_makeFonts()
{
    smallFont = makeFont("small.pbm", 8, 8);
    if (smallFont != nullptr) IMG_replaceColour(smallFont->glyphs, 0xFFFFFF, 0x7FFF00);
    titleFont = makeFont("title.pgm", 16, 16);
    bigFont = makeFont("big.pgm", 32, 64);
    tileFont = makeFont("tiles.ppm", 8, 8);
}

void QORN7316_makeLineFont()
{
    lineFont = LFONT_new();
    if (lineFont == nullptr) return;
    auto text = ASSETS_find("wire16.txt");
    lineFont->glyphs = text.empty() ? nullptr : OBJ2D_parse(text);
    lineFont->target = frame;
}
