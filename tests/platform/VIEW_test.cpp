#include <gtest/gtest.h>

#include "platform/VIEW.h"

TEST(ViewMake, PlacesTheFrameByModeAndSize)
{
    struct Case {
        std::int32_t windowW, windowH, drawW, drawH;
        VIEW_MODE mode;
        std::int32_t x, y, w, h, scale;
    };
    const Case cases[] = {
        {256, 256, 256, 256, VIEW_MODE::INTEGER, 0, 0, 256, 256, 1},          // the design's window
        {768, 768, 1536, 1536, VIEW_MODE::INTEGER, 0, 0, 1536, 1536, 6},      // --scale 3 on a 2x screen
        {768, 768, 1152, 1152, VIEW_MODE::INTEGER, 64, 64, 1024, 1024, 4},    // a 1.5x screen: letterboxed
        {1280, 1024, 1280, 1024, VIEW_MODE::INTEGER, 128, 0, 1024, 1024, 4},  // fullscreen
        {1920, 1080, 1920, 1080, VIEW_MODE::FIT, 420, 0, 1080, 1080, 0},
        {1000, 2000, 1000, 2000, VIEW_MODE::FIT, 0, 500, 1000, 1000, 0},      // the width binds
        {257, 256, 257, 256, VIEW_MODE::INTEGER, 0, 0, 256, 256, 1},          // the odd pixel goes right
        {200, 100, 200, 100, VIEW_MODE::INTEGER, 50, 0, 100, 100, 0},         // below 1x: shrunk to fit
        {0, -5, 0, -5, VIEW_MODE::INTEGER, 0, 0, 1, 1, 0},                    // empty sizes count as 1
    };
    for (const Case& c : cases) {
        const VIEW v = VIEW_make(256, 256, c.windowW, c.windowH, c.drawW, c.drawH, c.mode);
        SCOPED_TRACE(testing::Message() << c.drawW << "x" << c.drawH << (c.mode == VIEW_MODE::FIT ? " fit" : " integer"));
        EXPECT_EQ(v.x, c.x);
        EXPECT_EQ(v.y, c.y);
        EXPECT_EQ(v.width, c.w);
        EXPECT_EQ(v.height, c.h);
        EXPECT_EQ(v.scale, c.scale);
    }
}

TEST(ViewToFrame, MapsWindowPositionsBackToFramePixels)
{
    struct Case {
        std::int32_t windowW, windowH, drawW, drawH;
        VIEW_MODE mode;
        std::int32_t px, py, fx, fy;
    };
    const Case cases[] = {
        {256, 256, 256, 256, VIEW_MODE::INTEGER, -32, 256, -32, 256},         // 1:1; outside stays outside
        {768, 768, 768, 768, VIEW_MODE::INTEGER, 2, 3, 0, 1},                 // scale 3: 3 units a pixel
        {768, 768, 768, 768, VIEW_MODE::INTEGER, -1, -4, -1, -2},             // rounded down past the edge
        {768, 768, 1536, 1536, VIEW_MODE::INTEGER, 2, 3, 0, 1},               // 2x screen: units stay logical
        {1280, 1024, 1280, 1024, VIEW_MODE::INTEGER, 128, 0, 0, 0},           // fullscreen letterbox
        {1280, 1024, 1280, 1024, VIEW_MODE::INTEGER, 127, 1023, -1, 255},
        {1280, 1024, 1280, 1024, VIEW_MODE::INTEGER, 1152, 0, 256, 0},
        {1920, 1080, 1920, 1080, VIEW_MODE::FIT, 420, 1079, 0, 255},          // 4.21875 device pixels a pixel
        {1920, 1080, 1920, 1080, VIEW_MODE::FIT, 419, 540, -1, 128},
        {1920, 1080, 1920, 1080, VIEW_MODE::FIT, 1499, 0, 255, 0},
        {1920, 1080, 1920, 1080, VIEW_MODE::FIT, 424, 0, 1, 0},               // sampled at the unit's centre
        {1920, 1080, 1920, 1080, VIEW_MODE::FIT, 1500, 0, 256, 0},
        {640, 512, 1280, 1024, VIEW_MODE::INTEGER, 64, 511, 0, 255},          // 2x fullscreen, logical units
    };
    for (const Case& c : cases) {
        const VIEW v = VIEW_make(256, 256, c.windowW, c.windowH, c.drawW, c.drawH, c.mode);
        std::int32_t fx = 0, fy = 0;
        VIEW_toFrame(v, c.px, c.py, &fx, &fy);
        SCOPED_TRACE(testing::Message() << c.drawW << "x" << c.drawH << " at " << c.px << "," << c.py);
        EXPECT_EQ(fx, c.fx);
        EXPECT_EQ(fy, c.fy);
        VIEW_toFrame(v, c.px, c.py, nullptr, nullptr);   // either output may be left out
    }
}
