#include "UIKit/UIImage.h"

#include "Foundation/NSBundle.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIScreen.h"

OBJC_IMPLEMENTATION(UIImage)

Ref<UIImage> UIImage::imageWithCGImage(::CGImage* bitmap, CGFloat scale) {
    if (!bitmap || scale <= 0) return nullptr;
    return make<UIImage>(Ref<::CGImage>(bitmap), scale);
}

Ref<UIImage> UIImage::imageWithContentsOfFile(const std::string& path) {
    Ref<::CGImage> bitmap = ::CGImage::createFromPNG(path);
    if (!bitmap) return nullptr;
    const auto dot = path.find_last_of('.');
    const std::string stem = path.substr(0, dot == std::string::npos || dot < path.find_last_of('/') + 1 ? path.size() : dot);
    const bool doubled = stem.size() >= 3 && stem.compare(stem.size() - 3, 3, "@2x") == 0;
    return make<UIImage>(bitmap, doubled ? 2.0 : 1.0);
}

Ref<UIImage> UIImage::imageNamed(const std::string& name, const std::string& bundlePath) {
    if (name.empty() || bundlePath.empty() || name.find("..") != std::string::npos) return nullptr;
    std::string stem = name, extension = ".png";
    if (const auto dot = name.find_last_of('.'); dot != std::string::npos) {
        stem = name.substr(0, dot);
        extension = name.substr(dot);
    }
    const std::string base = bundlePath + "/" + stem;
    if (UIScreen::mainScreen()->scale() >= 2)
        if (auto image = imageWithContentsOfFile(base + "@2x" + extension)) return image;
    return imageWithContentsOfFile(base + extension);
}

Ref<UIImage> UIImage::imageNamed(const std::string& name, const NSBundle* bundle) {
    return bundle ? imageNamed(name, bundle->bundlePath()) : nullptr;
}

CGSize UIImage::size() const {
    if (!bitmap_) return {};
    return CGSizeMake(bitmap_->width() / scale_, bitmap_->height() / scale_);
}

void UIImage::drawInRect(CGRect rect) const {
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c || !bitmap_) return;
    CGContextSaveGState(c);
    // CoreGraphics draws images bottom up; the current context is top down, as UIKit's are.
    CGContextTranslateCTM(c, 0, rect.origin.y * 2 + rect.size.height);
    CGContextScaleCTM(c, 1, -1);
    CGContextDrawImage(c, rect, bitmap_);
    CGContextRestoreGState(c);
}
