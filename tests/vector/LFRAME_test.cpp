#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "vector/LFRAME.h"
#include "support/support.h"

namespace {

bool onEdge(const VEC2D* p, std::int32_t w, std::int32_t h)
{
    return (p->x == 0 || p->x == w - 1 || p->y == 0 || p->y == h - 1) && p->x >= 0 && p->x < w && p->y >= 0 && p->y < h;
}

}  // namespace

TEST(LframeLines, EndsRunAlongTheEdges)
{
    LFRAME* f = LFRAME_new();
    EXPECT_GE(f->count, 4);
    EXPECT_LE(f->count, 11);
    for (std::int32_t k = 0; k < 300; ++k) {
        for (const VEC2D* p : {f->first->start, f->first->end, f->second->start, f->second->end})
            ASSERT_TRUE(onEdge(p, 256, 256)) << p->x << "," << p->y;
        LFRAME_step(f);
    }
    f->travel[0] = 0;      // (0, 0)
    f->travel[1] = 300;    // right edge, (255, 44)
    f->travel[2] = 700;    // bottom edge, (67, 255)
    f->travel[3] = 1023;   // left edge, (0, 0)
    f->speed[0] = f->speed[1] = f->speed[2] = f->speed[3] = 1;
    LFRAME_step(f);
    const auto xy = [](const VEC2D* p) { return std::pair(p->x, p->y); };
    EXPECT_EQ(xy(f->first->start), std::pair(1, 0));
    EXPECT_EQ(xy(f->first->end), std::pair(255, 45));
    EXPECT_EQ(xy(f->second->start), std::pair(66, 255));
    EXPECT_EQ(xy(f->second->end), std::pair(0, 0));   // 1024 places around: back to the corner
    support::Picture target(256, 256);
    LFRAME_draw(f, target.img);
    EXPECT_EQ(target.at(1, 0), f->first->start->colour);
    LFRAME_free(&f);
}
