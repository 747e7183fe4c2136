#include <gtest/gtest.h>

#include <cairo.h>

#include "UIKit/UIGraphics.h"
#include "toolkit/UIImage+Colored.h"

namespace {

using Pixel = std::array<uint8_t, 4>;

// A bitmap built pixel by pixel: premultiplied words, row 0 at the top.
Ref<UIImage> bitmap(int w, int h, CGFloat scale, uint32_t (*at)(int x, int y)) {
    Ref<CGImage> image = CGImage::create(w, h);
    cairo_surface_t* s = image->surface();
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) *reinterpret_cast<uint32_t*>(data + y * stride + x * 4) = at(x, y);
    cairo_surface_mark_dirty(s);
    return UIImage::imageWithCGImage(image, scale);
}

}  // namespace

TEST(ChangeImageColor, PaintsCoveredPixelsAndKeepsTransparentOnes) {
    // At scale 2 a 4 x 4 pixel image is 2 x 2 points, and the result keeps exactly that grid.
    auto icon = bitmap(4, 4, 2, [](int x, int) -> uint32_t { return x < 2 ? 0xFFFFFFFF : 0x00000000; });
    auto tinted = changeImageColor(icon, UIColor::redColor());
    ASSERT_TRUE(tinted);
    EXPECT_EQ(tinted->size().width, 2);
    EXPECT_EQ(tinted->size().height, 2);
    EXPECT_EQ(tinted->scale(), 2);
    EXPECT_EQ(tinted->CGImage()->pixel(0, 0), (Pixel{255, 0, 0, 255}));
    EXPECT_EQ(tinted->CGImage()->pixel(1, 3), (Pixel{255, 0, 0, 255}));
    EXPECT_EQ(tinted->CGImage()->pixel(3, 0), (Pixel{0, 0, 0, 0}));
}

TEST(ChangeImageColor, APartlyCoveredPixelIsTheColourOverTheImagesOwnPixel) {
    auto icon = bitmap(2, 2, 2, [](int, int) -> uint32_t { return 0x80808080; });  // 50% white
    auto tinted = changeImageColor(icon, UIColor::redColor());
    ASSERT_TRUE(tinted);
    EXPECT_EQ(tinted->CGImage()->rawPixel(1, 1), 0xC0C04040u);
}

TEST(ChangeImageColor, ComesOutUprightNotMirrored) {
    // Only the top row is covered: it must stay the top row.
    auto icon = bitmap(4, 4, 2, [](int, int y) -> uint32_t { return y == 0 ? 0xFFFFFFFF : 0; });
    auto tinted = changeImageColor(icon, UIColor::blueColor());
    EXPECT_EQ(tinted->CGImage()->pixel(2, 0), (Pixel{0, 0, 255, 255}));
    EXPECT_EQ(tinted->CGImage()->pixel(2, 3), (Pixel{0, 0, 0, 0}));
}

TEST(ChangeImageColor, AnImageOfAnotherScaleComesBackAtTheScreensScale) {
    auto icon = bitmap(3, 2, 1, [](int, int) -> uint32_t { return 0xFFFFFFFF; });
    auto tinted = changeImageColor(icon, UIColor::greenColor());
    ASSERT_TRUE(tinted);
    EXPECT_EQ(tinted->size().width, 3);
    EXPECT_EQ(tinted->size().height, 2);
    EXPECT_EQ(tinted->scale(), 2);
    EXPECT_EQ(tinted->CGImage()->width(), 6);
    EXPECT_EQ(tinted->CGImage()->height(), 4);
    EXPECT_EQ(tinted->CGImage()->pixel(3, 2), (Pixel{0, 255, 0, 255}));
}

TEST(ChangeImageColor, NoColourPaintsOpaqueBlackAndNoSizeGivesNoImage) {
    auto icon = bitmap(2, 2, 2, [](int, int) -> uint32_t { return 0xFFFFFFFF; });
    EXPECT_EQ(changeImageColor(icon, nullptr)->CGImage()->pixel(0, 0), (Pixel{0, 0, 0, 255}));
    EXPECT_EQ(changeImageColor(make<UIImage>(), UIColor::redColor()), nullptr);
    EXPECT_EQ(changeImageColor(nullptr, UIColor::redColor()), nullptr);
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr) << "every context opened was closed";
}
