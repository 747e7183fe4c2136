#pragma once
// The home screen's wallpaper as a translucent app sees it through its window: blurred to a soft
// glow at the top fading into the backdrop colour, without edges.

#include "UIKit/UIView.h"

class BlurredWallpaper : public UIView {
    OBJC_INTERFACE(BlurredWallpaper, UIView)

public:
    BlurredWallpaper() = default;
    // One band per device pixel row, each the backdrop with as much glow as that height keeps.
    void drawRect(CGRect rect) override;

    static Ref<UIColor> backdropColor();
    // How much of the glow shows `y` points down a wallpaper `height` points tall: all at the top,
    // none from halfway down, easing in and out between.
    static CGFloat glowAt(CGFloat y, CGFloat height);
};
