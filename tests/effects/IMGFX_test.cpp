#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "effects/IMGFX.h"

namespace {

// A picture on the test's own storage; an empty one still has a pixel array.
struct Img {
    std::vector<std::uint32_t> data;
    IMG img{};
    Img(int w, int h, std::uint32_t colour) : data(static_cast<std::size_t>(std::max(1, w * h)), colour)
    {
        img.width = w;
        img.height = h;
        img.pixels = data.data();
    }
    Img(const Img&) = delete;
    Img& operator=(const Img&) = delete;
    IMG* get() { return &img; }
    IMG* operator->() { return &img; }
    const IMG* operator->() const { return &img; }
};

Img make(int w, int h, std::uint32_t colour = 0)
{
    return Img(w, h, colour);
}

void clear(Img& img, std::uint32_t colour) { std::fill(img.data.begin(), img.data.end(), colour); }

std::uint32_t& px(Img& img, int x, int y) { return img->pixels[y * img->width + x]; }
std::uint32_t px(const Img& img, int x, int y) { return img->pixels[y * img->width + x]; }

using Points = std::set<std::pair<int, int>>;

Points lit(const Img& img)
{
    Points p;
    for (int y = 0; y < img->height; ++y)
        for (int x = 0; x < img->width; ++x)
            if (px(img, x, y) != 0) p.insert({x, y});
    return p;
}

std::vector<std::uint32_t> row(const Img& img, int y)
{
    return {img->pixels + y * img->width, img->pixels + (y + 1) * img->width};
}

}  // namespace

TEST(ImgfxPostFilters, WhitePixelOnBlack)
{
    Img src = make(9, 2), dst = make(9, 2);
    px(src, 4, 1) = 0xFFFFFF;
    IMGFX_blurH5(src.get(), dst.get());
    const std::uint32_t q = 0x1F1F1F;
    EXPECT_EQ(row(dst, 1), (std::vector<std::uint32_t>{0, 0, q, q, 0x7F7F7F, q, q, 0, 0}));
    EXPECT_TRUE(lit(src) == (Points{{4, 1}}));
    IMGFX_glowH3(src.get(), dst.get(), 3);
    EXPECT_EQ(row(dst, 1), (std::vector<std::uint32_t>{0, 0, 0, q, 0xFFFFFF, q, 0, 0, 0}));
    EXPECT_TRUE(lit(dst) == (Points{{3, 1}, {4, 1}, {5, 1}}));
}

TEST(ImgfxPostFilters, EdgesDarkenAndGlowSaturates)
{
    Img src = make(6, 1, 0xFFFFFF), dst = make(6, 1);
    IMGFX_blurH5(src.get(), dst.get());
    EXPECT_EQ(row(dst, 0), (std::vector<std::uint32_t>{0xBFBFBF, 0xDFDFDF, 0xFFFFFF, 0xFFFFFF, 0xDFDFDF, 0xBFBFBF}));
    clear(src, 0x80F080);
    IMGFX_glowH3(src.get(), dst.get(), 3);
    EXPECT_EQ(row(dst, 0), (std::vector<std::uint32_t>{0x90FF90, 0xA0FFA0, 0xA0FFA0, 0xA0FFA0, 0xA0FFA0, 0x90FF90}));
    IMGFX_glowH3(src.get(), dst.get(), -4);   // counts as shift 0
    EXPECT_EQ(px(dst, 0, 0), 0xFFFFFFu);
    // Smaller destination: only the shared part is written.
    Img small = make(3, 1);
    IMGFX_blurH5(src.get(), small.get());
    EXPECT_EQ(px(small, 2, 0), 0x80F080u);
}

TEST(ImgfxPostFilters, InPlaceBlurSeesItsOwnResultsOnTheRight)
{
    Img img = make(9, 1);
    px(img, 4, 0) = 0xFF;
    IMGFX_blurH5(img.get(), img.get());
    EXPECT_EQ(row(img, 0), (std::vector<std::uint32_t>{3, 5, 0x13, 0x15, 0x87, 0x23, 0x1F, 0, 0}));
}

TEST(ImgfxErrors, NullArgumentsReportAndWriteNothing)
{
    IMGFX_debug = 1;
    Img img = make(2, 2, 5);
    testing::internal::CaptureStdout();
    IMGFX_glowH3(img.get(), nullptr, 3);
    IMGFX_blurH5(nullptr, img.get());
    const std::string out = testing::internal::GetCapturedStdout();
    IMGFX_debug = 0;
    EXPECT_EQ(out, "IMGFX error\nIMGFX error\n");
    EXPECT_EQ(img.data, std::vector<std::uint32_t>(4, 5));
}
