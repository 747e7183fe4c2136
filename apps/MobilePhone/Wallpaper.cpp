#include "Wallpaper.h"

#include <algorithm>

#include "UIKit/UIGraphics.h"
#include "UIKit/UIScreen.h"

OBJC_IMPLEMENTATION(BlurredWallpaper)

namespace {
constexpr double kGlow[4] = {0.45, 0.36, 0.58, 0.35};
}

Ref<UIColor> BlurredWallpaper::backdropColor() { return UIColor::colorWithRed(0.33, 0.38, 0.62, 1); }

CGFloat BlurredWallpaper::glowAt(CGFloat y, CGFloat height) {
    const CGFloat t = std::clamp(y / (height / 2), 0.0, 1.0);
    return 1 - t * t * (3 - 2 * t);
}

void BlurredWallpaper::drawRect(CGRect rect) {
    const Ref<UIColor> backdrop = backdropColor();
    const CGFloat row = 1 / UIScreen::mainScreen()->scale(), height = rect.size.height;
    for (CGFloat y = 0; y < height; y += row) {
        const double glow = kGlow[3] * glowAt(y + row / 2, height);
        const auto mix = [&](int i) { return backdrop->rgba()[i] + (kGlow[i] - backdrop->rgba()[i]) * glow; };
        UIColor::colorWithRed(mix(0), mix(1), mix(2), 1)->setFill();
        UIRectFill(CGRectMake(0, y, rect.size.width, row));
    }
}
