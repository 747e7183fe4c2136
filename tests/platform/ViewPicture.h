#pragma once
// Pictures of view trees for pixel tests: a tree drawn by its own walk into an image context.

#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "UIKit/UIKit.h"

namespace viewpicture {

using Pixel = std::array<uint8_t, 4>;

// Lays `root` out, then draws it into a transparent context of its size at `scale`.
inline Ref<CGImage> draw(UIView* root, CGFloat scale = 1) {
    root->layoutIfNeeded();
    UIGraphicsBeginImageContextWithOptions(root->bounds().size, false, scale);
    EXPECT_TRUE(root->drawViewHierarchyInRect(root->bounds()));
    Ref<CGImage> image = UIGraphicsGetImageFromCurrentImageContext()->CGImage();
    UIGraphicsEndImageContext();
    return image;
}

// How many pixels of the rectangle (in pixels) satisfy `test`.
inline int count(const CGImage* image, int x, int y, int width, int height, const std::function<bool(Pixel)>& test) {
    int n = 0;
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column) n += test(image->pixel(column, row));
    return n;
}

// Opaque enough to be ink rather than the transparent ground.
inline bool inked(Pixel p) { return p[3] > 128; }

}  // namespace viewpicture
