#pragma once
// An image: a bitmap with a scale, so its size in points is its pixel size over the scale.

#include <string>

#include "CoreGraphics/CGGeometry.h"
#include "CoreGraphics/CGImage.h"
#include "objc/runtime.h"

class NSBundle;

class UIImage : public NSObject {
    OBJC_INTERFACE(UIImage, NSObject)

public:
    UIImage() = default;
    UIImage(Ref<::CGImage> bitmap, CGFloat scale) : bitmap_(std::move(bitmap)), scale_(scale) {}

    static Ref<UIImage> imageWithCGImage(CGImageRef bitmap, CGFloat scale);
    // A PNG file; a name ending in "@2x" before its extension has scale 2. Nil when unreadable.
    static Ref<UIImage> imageWithContentsOfFile(const std::string& path);
    // The named PNG of a bundle directory; at the screen's scale 2 "name@2x.png" is preferred,
    // falling back to "name.png". A name without extension gets ".png". Nil when neither loads.
    static Ref<UIImage> imageNamed(const std::string& name, const std::string& bundlePath);
    static Ref<UIImage> imageNamed(const std::string& name, const NSBundle* bundle);

    CGSize size() const;
    CGFloat scale() const { return scale_; }
    // The bitmap, as UIImage's CGImage property hands it out.
    CGImageRef CGImage() const { return bitmap_; }
    // Draws the image scaled into `rect` of the current context, upright.
    void drawInRect(CGRect rect) const;

private:
    Ref<::CGImage> bitmap_;
    CGFloat scale_ = 1;
};
