// MUSIC MIX SHOW: the playing one-second music loop as a waveform across the
// frame with a marker at the play position, a 256-value close-up added on
// top, and the flying logo. The images, records and drawers are made on the
// first run and kept; every frame draws from normalised copies of the mix.
#include "driver/QORN7316_state.h"

#include "audio/SAM.h"
#include "audio/SAMDRAW.h"
#include "audio/SAMPLE.h"
#include "effects/IMGFX.h"
#include "vector/LOGOFLY.h"

namespace {

struct Drawing {
    IMG* image;
    SAM* record;
    SAMDRAW* drawer;
};

Drawing overview{};
Drawing closeUp{};

SAMPLE* mixOf() { return music != nullptr ? music->mix : nullptr; }

void make(Drawing& d)
{
    if (d.image == nullptr) {
        d.image = IMG_new();
        IMG_setSize(d.image, screenWidth, screenHeight);
    }
    if (d.record == nullptr) d.record = SAM_new();
    if (d.drawer == nullptr) d.drawer = SAMDRAW_new();
    if (d.drawer != nullptr) {
        d.drawer->sam = d.record;
        d.drawer->target = d.image;
    }
}

// Dark background, light wave and markers, the whole mix.
void recolour(Drawing& d)
{
    const std::uint32_t background = RANDOM_random30u() & 0x3F3F3Fu;
    const std::uint32_t wave = (RANDOM_random30u() & 0x7F7F7Fu) + 0x808080u;
    const std::uint32_t mark = (RANDOM_random30u() & 0x7F7F7Fu) + 0x808080u;
    if (d.drawer == nullptr) return;
    d.drawer->background = background;
    d.drawer->waveColor = wave;
    d.drawer->markColor = mark;
    d.drawer->first = 0;
    d.drawer->last = mixOf() != nullptr ? mixOf()->count : 0;
}

// The record lends a copy of the mix, normalised so that the picture uses the
// full height while the played loop stays as it is. The record lets go of the
// copy before it is freed, so no record keeps a freed sample.
SAMPLE* lendCopy(Drawing& d)
{
    SAMPLE* copy = SAMPLE_clone(mixOf());
    SAM_setSample(d.record, copy);
    SAMPLE_normalize(copy, 32000);
    return copy;
}

void giveBack(Drawing& d, SAMPLE** copy)
{
    SAM_setSample(d.record, nullptr);
    if (*copy != nullptr) SAMPLE_free(copy);
}

std::int32_t playPosition() { return sound != nullptr ? sound->position : 0; }

void musicMixShowEnter()
{
    IMG_clear(frame, 0);
    QORN7316_enterDarkTrails();
    const std::uint32_t logoColour = (RANDOM_random30u() & 0x7F7F7Fu) + 0x808080u;
    if (flyingLogo != nullptr) {
        flyingLogo->color = logoColour;
        flyingLogo->x = 192;
        flyingLogo->y = 240;
    }
    make(overview);
    make(closeUp);
    SAM_setSample(overview.record, mixOf());
    SAM_setSample(closeUp.record, mixOf());
    recolour(overview);
    recolour(closeUp);
}

bool musicMixShowFrame(std::int32_t)
{
    trailFade = 0;
    keepFrame = 1;
    backgroundColour = 0;

    SAMPLE* copy = lendCopy(overview);
    SAMDRAW_draw(overview.drawer);
    if (overview.record != nullptr) overview.record->position = playPosition();
    SAMDRAW_drawPosition(overview.drawer);
    giveBack(overview, &copy);

    copy = lendCopy(closeUp);
    if (closeUp.drawer != nullptr) {
        closeUp.drawer->first = playPosition();
        closeUp.drawer->last = closeUp.drawer->first + 255;
    }
    SAMDRAW_draw(closeUp.drawer);
    SAMDRAW_drawPeaks(closeUp.drawer);
    giveBack(closeUp, &copy);

    IMG_copy(overview.image, frame);
    // Saturating add: the close-up shows through the overview.
    IMGFX_addRect(closeUp.image, frame, 0, 0, 0, 0, screenWidth, screenHeight);

    QORN7316_updateTitle();
    QORN7316_drawPointer();
    QORN7316_drawFpsInfo();
    QORN7316_drawFlyingLogo();
    return true;
}

}  // namespace

extern const QORN7316_SCENE QORN7316_musicMixShowScene{"MUSIC MIX SHOW", 1500, musicMixShowEnter, musicMixShowFrame, nullptr, nullptr, false, true};
