#include <gtest/gtest.h>

#include <utility>

#include "audio/SAMDRAW.h"
#include "support/support.h"

TEST(SamdrawWave, StepsThroughTheRange)
{
    support::Picture picture(256, 256);
    IMG* img = picture.img;
    SAM* sam = SAM_new();
    SAMPLE* wave = SAMPLE_new();
    SAMPLE_setCount(wave, 44100);
    for (int i = 0; i < 44100; ++i) wave->values[i] = -32768;
    for (int i = 0; i < 44100; i += 172) wave->values[i] = 32767;
    SAM_setSample(sam, wave);
    SAMDRAW* d = SAMDRAW_new();
    d->sam = sam;
    d->target = img;
    d->first = -5;
    d->last = 99999;
    SAMDRAW_draw(d);
    EXPECT_EQ(std::pair(d->first, d->last), std::pair(0, 44099));

    d->first = 0;
    d->last = 0;
    wave->values[0] = 16384;
    SAMDRAW_draw(d);   // step 0: value 0 in every column
    for (int x = 0; x < 256; ++x) {
        ASSERT_EQ(IMG_getPixel(img, x, 192), 0xffffffu) << x;
        ASSERT_EQ(IMG_getPixel(img, x, 193), 0x808080u) << x;
    }

    d->first = 300;
    d->last = 100;
    d->markColor = 0xF00000;
    SAMDRAW_draw(d);   // exchanged: 100..300, step 200 / 256 in 16.16
    EXPECT_EQ(std::pair(d->first, d->last), std::pair(100, 300));
    wave->values[44099] = -32768;
    wave->values[256] = 32767;
    SAMDRAW_drawPeaks(d);   // the first largest is index 0: column 0
    EXPECT_EQ(IMG_getPixel(img, 0, 255), 0xF00000u);
    sam->position = 22050;
    SAMDRAW_drawPosition(d);
    EXPECT_EQ(std::pair(IMG_getPixel(img, 128, 0), IMG_getPixel(img, 128, 255)), std::pair(0xF00000u, 0xF00000u));

    SAMPLE_setCount(wave, 0);
    SAMDRAW_draw(d);   // empty: background only
    EXPECT_EQ(IMG_getPixel(img, 0, 255), 0x808080u);
    SAMDRAW_free(&d);
    SAM_free(&sam);
}
