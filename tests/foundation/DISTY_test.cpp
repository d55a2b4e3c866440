#include <gtest/gtest.h>

#include "foundation/DISTY.h"
#include "support/support.h"

TEST(DistyDraw, ColumnsShiftAndWrapVertically)
{
    DISTY* d = DISTY_new();
    ASSERT_NE(d, nullptr);
    support::Picture target(3, 8);
    support::Numbered image(4, 2);   // column 3 lands outside the target
    d->image = image.img;
    d->amplitude = 64;
    d->y = 6;
    DISTY_draw(d, target.img);
    // Shifts 3, 6, 9 from y = 6: column 0 wraps to rows 1, 2, column 2 to 7, 0.
    const std::int32_t rows[3][2] = {{1, 2}, {4, 5}, {7, 0}};
    for (std::int32_t c = 0; c < 3; ++c)
        for (std::int32_t r = 0; r < 2; ++r) EXPECT_EQ(target.at(c, rows[c][r]), image.at(c, r)) << c << "," << r;
    EXPECT_EQ(d->cursor.offset, 64);
    DISTY_draw(nullptr, target.img);
    DISTY_free(&d);
}
