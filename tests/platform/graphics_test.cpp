#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "CoreGraphics/CGImage.h"
#include "DeviceRoot.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIImage.h"

namespace fs = std::filesystem;
using Pixel = std::array<uint8_t, 4>;

namespace {

// Writes a w x h PNG filled with one colour.
void writePNG(const std::string& path, int w, int h, double r, double g, double b) {
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(w, h), false, 1);
    CGContextSetRGBFillColor(UIGraphicsGetCurrentContext(), r, g, b, 1);
    CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, w, h));
    ASSERT_TRUE(UIGraphicsGetImageFromCurrentImageContext()->CGImage()->writePNG(path));
    UIGraphicsEndImageContext();
}

}  // namespace

TEST(UIImage, PrefersTheDoubleScaleFileAndFallsBackToThePlainOne) {
    testing_support::DeviceRoot dir;
    writePNG(dir.path() + "/icon.png", 29, 29, 1, 0, 0);
    writePNG(dir.path() + "/icon@2x.png", 58, 58, 0, 0, 1);
    writePNG(dir.path() + "/plain.png", 10, 8, 0, 1, 0);
    auto icon = UIImage::imageNamed("icon.png", dir.path());
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->scale(), 2);
    EXPECT_EQ(icon->size().width, 29);
    EXPECT_EQ(icon->CGImage()->pixel(5, 5), (Pixel{0, 0, 255, 255}));
    auto plain = UIImage::imageNamed("plain", dir.path());
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->scale(), 1);
    EXPECT_EQ(plain->size().height, 8);
    EXPECT_EQ(UIImage::imageNamed("missing.png", dir.path()), nullptr);
    EXPECT_EQ(UIImage::imageNamed("../icon.png", dir.path()), nullptr);
    std::ofstream(dir.path() + "/corrupt.png") << "\x89PNG not really";
    EXPECT_EQ(UIImage::imageNamed("corrupt.png", dir.path()), nullptr);
}

TEST(CGContext, DrawsImagesTheCoreGraphicsWayUpsideDownInAFlippedContext) {
    // Top row red, the rest transparent.
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(4, 4), false, 1);
    CGContextSetRGBFillColor(UIGraphicsGetCurrentContext(), 1, 0, 0, 1);
    CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, 4, 1));
    Ref<UIImage> source = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(source->CGImage()->pixel(0, 0), (Pixel{255, 0, 0, 255}));

    UIGraphicsBeginImageContextWithOptions(CGSizeMake(4, 4), false, 1);
    CGContextDrawImage(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, 4, 4), source->CGImage());
    Ref<UIImage> drawn = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(drawn->CGImage()->pixel(0, 3), (Pixel{255, 0, 0, 255})) << "first row lands at the bottom";
    EXPECT_EQ(drawn->CGImage()->pixel(0, 0), (Pixel{0, 0, 0, 0}));
}

TEST(UIFont, KnowsTheHelveticaFamiliesByBothNamesAndNothingElse) {
    auto light = UIFont::fontWithName("HelveticaNeue-Light", 48);
    ASSERT_TRUE(light);
    EXPECT_EQ(light->pointSize(), 48);
    EXPECT_EQ(light->familyName(), "Helvetica Neue");
    auto full = UIFont::fontWithName("Helvetica Light", 30);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->fontName(), "Helvetica-Light");
    EXPECT_EQ(full->weight(), UIFont::Weight::Light);
    EXPECT_TRUE(UIFont::fontWithName("HelveticaNeue", 21));
    EXPECT_TRUE(UIFont::fontWithName("Helvetica", 15));
    EXPECT_TRUE(UIFont::fontWithName("HelveticaNeue-UltraLight", 10));
    EXPECT_EQ(UIFont::fontWithName("Comic Sans", 12), nullptr);
    EXPECT_EQ(UIFont::fontWithName("helveticaneue", 12), nullptr);
}

TEST(CGImage, PNGFilesKeepEveryPixelOpaqueOrTranslucent) {
    testing_support::DeviceRoot dir;
    auto image = CGImage::create(3, 2);
    ASSERT_TRUE(image);
    auto* words = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(image->surface()));
    const int stride = cairo_image_surface_get_stride(image->surface()) / 4;
    // Premultiplied: half-transparent red, clear, opaque blue-green; a quarter-opaque grey below.
    words[0] = 0x80800000, words[1] = 0x00000000, words[2] = 0xff00c080;
    words[stride] = 0x40202020, words[stride + 1] = 0xffffffff, words[stride + 2] = 0xff010203;
    cairo_surface_mark_dirty(image->surface());
    ASSERT_TRUE(image->writePNG(dir.path() + "/mixed.png"));
    const auto back = CGImage::createFromPNG(dir.path() + "/mixed.png");
    ASSERT_TRUE(back);
    ASSERT_EQ(back->width(), 3);
    ASSERT_EQ(back->height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(back->pixel(x, y), image->pixel(x, y)) << x << "," << y;

    // All opaque: written without an alpha channel, read back the same.
    words[0] = 0xff102030, words[1] = 0xff000000, words[stride] = 0xff405060;
    cairo_surface_mark_dirty(image->surface());
    ASSERT_TRUE(image->writePNG(dir.path() + "/opaque.png"));
    std::ifstream file(dir.path() + "/opaque.png", std::ios::binary);
    char header[26] = {};
    file.read(header, sizeof header);
    EXPECT_EQ(header[25], 2) << "colour type RGB";
    const auto opaque = CGImage::createFromPNG(dir.path() + "/opaque.png");
    ASSERT_TRUE(opaque);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(opaque->rawPixel(x, y), image->rawPixel(x, y)) << x << "," << y;
    EXPECT_FALSE(image->writePNG(dir.path() + "/missing/dir/x.png"));
}

TEST(CGImage, AScreenSizedBitmapStartsClearAndHoldsItsOwnPixels) {
    auto first = CGImage::create(640, 1136);
    auto second = CGImage::create(640, 1136);
    ASSERT_TRUE(first && second);
    for (auto [x, y] : {std::pair{0, 0}, {639, 0}, {320, 568}, {0, 1135}, {639, 1135}})
        EXPECT_EQ(first->rawPixel(x, y), 0u) << x << "," << y;
    auto* words = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(first->surface()));
    const int stride = cairo_image_surface_get_stride(first->surface()) / 4;
    words[1135 * stride + 639] = 0xff336699;
    cairo_surface_mark_dirty(first->surface());
    EXPECT_EQ(first->rawPixel(639, 1135), 0xff336699u);
    EXPECT_EQ(second->rawPixel(639, 1135), 0u);
}

namespace {

// A 10x10 context at scale 1 painted white, the backdrop the clip and alpha cases paint over.
void beginWhite() {
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(10, 10), false, 1);
    CGContextSetRGBFillColor(UIGraphicsGetCurrentContext(), 1, 1, 1, 1);
    CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, 10, 10));
}

Pixel at(int x, int y) { return UIGraphicsGetCurrentContext()->image()->pixel(x, y); }

}  // namespace

TEST(CGContext, ClipToRectKeepsPaintInsideAndKeepsThePathBeingBuilt) {
    beginWhite();
    CGContextRef c = UIGraphicsGetCurrentContext();
    CGContextSaveGState(c);
    CGContextAddRect(c, CGRectMake(0, 0, 6, 10));  // started before the clip, filled after it
    CGContextClipToRect(c, CGRectMake(2, 0, 8, 10));
    CGContextSetRGBFillColor(c, 1, 0, 0, 1);
    CGContextDrawPath(c, kCGPathFill);
    EXPECT_EQ(at(1, 5), (Pixel{255, 255, 255, 255})) << "clipped away";
    EXPECT_EQ(at(3, 5), (Pixel{255, 0, 0, 255}));
    CGContextRestoreGState(c);
    CGContextSetRGBFillColor(c, 1, 0, 0, 1);
    CGContextFillRect(c, CGRectMake(0, 0, 2, 2));
    EXPECT_EQ(at(0, 0), (Pixel{255, 0, 0, 255})) << "the clip ends with its state";
    UIGraphicsEndImageContext();
}

TEST(CGContext, AlphaScalesPaintAndALayerCompositesItsDrawingOnce) {
    beginWhite();
    CGContextRef c = UIGraphicsGetCurrentContext();
    CGContextSaveGState(c);
    CGContextSetAlpha(c, 0.5);
    CGContextSetRGBFillColor(c, 1, 0, 0, 1);
    CGContextFillRect(c, CGRectMake(0, 0, 2, 2));
    EXPECT_NEAR(at(0, 0)[1], 128, 1) << "half red over white";

    // Two overlapping fills in a layer: the overlap is no darker than the rest.
    CGContextBeginTransparencyLayer(c, nullptr);
    CGContextFillRect(c, CGRectMake(0, 4, 6, 2));
    CGContextFillRect(c, CGRectMake(3, 4, 6, 2));
    CGContextRestoreGState(c);  // would reach past the layer's start: ignored
    CGContextSaveGState(c);     // left open: undone when the layer ends
    CGContextSetAlpha(c, 0.1);
    CGContextEndTransparencyLayer(c);
    EXPECT_NEAR(at(1, 4)[1], 128, 1);
    EXPECT_EQ(at(4, 4), at(1, 4)) << "the layer is painted at full alpha inside, then halved once";
    CGContextFillRect(c, CGRectMake(0, 8, 2, 2));
    EXPECT_NEAR(at(0, 8)[1], 128, 1) << "back to the alpha set before the layer";

    CGContextRestoreGState(c);
    UIGraphicsEndImageContext();
}
