#include <gtest/gtest.h>

#include "foundation/DISTX.h"
#include "support/support.h"

TEST(DistxDraw, ZeroAmplitudeDrawsEveryRowUnshiftedAndWrapped)
{
    DISTX* d = DISTX_new();
    ASSERT_NE(d, nullptr);
    support::Picture target(8, 8);
    support::Numbered image(4, 3);
    image.img->pixels[5] = 0;   // (1, 1) transparent
    d->image = image.img;
    d->amplitude = 0;
    d->x = -2;
    d->y = 1;
    DISTX_draw(d, target.img);
    const std::int32_t cols[4] = {6, 7, 0, 1};
    for (std::int32_t r = 0; r < 3; ++r) {
        for (std::int32_t c = 0; c < 4; ++c) EXPECT_EQ(target.at(cols[c], 1 + r), image.at(c, r)) << r << "," << c;
        EXPECT_EQ(target.at(3, 1 + r), 0u);
    }
    EXPECT_EQ(d->cursor.offset, 48);   // the default step of 16 per row
    DISTX_free(&d);
}

TEST(DistxDraw, RowsShiftBySineTimesAmplitude)
{
    DISTX* d = DISTX_new();
    support::Picture target(32, 4);
    support::Numbered image(1, 3);
    d->image = image.img;
    d->amplitude = 64;
    d->x = 10;
    // Rows read entries 16, 32, 48: 3212, 6393, 9512 times 64, >> 16. Half a
    // turn on the entries are negative and the shift rounds down. Rows below
    // the target are skipped; the wave still steps for them.
    struct Case { std::int32_t speed, y, x0, x1, x2; };
    for (const Case& c : {Case{0, 0, 13, 16, 19}, Case{512, 0, 6, 3, 0}, Case{0, 2, 6, 3, 0}}) {
        IMG_clear(target.img, 0);
        d->cursor.speed = c.speed;
        DISTX_advance(d);
        d->y = c.y;
        DISTX_draw(d, target.img);
        const std::int32_t xs[3] = {c.x0, c.x1, c.x2};
        for (std::int32_t r = 0; r < 3 && c.y + r < 4; ++r) EXPECT_EQ(target.at(xs[r], c.y + r), image.at(0, r)) << c.speed << c.y;
        EXPECT_EQ(d->cursor.offset, 48);
    }
    DISTX_draw(nullptr, target.img);
    DISTX_free(&d);
}
