#include <gtest/gtest.h>

#include "foundation/DISTX.h"
#include "support/support.h"

TEST(DistxDraw, RowsShiftBySineTimesAmplitude)
{
    DISTX* d = DISTX_new();
    ASSERT_NE(d, nullptr);
    support::Picture target(32, 4);
    support::Numbered image(1, 3);
    d->image = image.img;
    d->amplitude = 64;
    d->x = 3;
    // Rows read entries 16, 32, 48 (the default step): 3212, 6393, 9512 times 64, >> 16. Half a turn on, the
    // shifts -4, -7, -10 round down and wrap round the left edge. Rows below the target still step the wave.
    struct Case { std::int32_t speed, y, x0, x1, x2; };
    for (const Case& c : {Case{0, 0, 6, 9, 12}, Case{512, 0, 31, 28, 25}, Case{0, 2, 31, 28, 25}}) {
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
