#pragma once
// The dialer as a picture: the screen at its scale, drawn from the objects the report describes.

#include <string>
#include <vector>

#include "CoreGraphics/CGGeometry.h"
#include "Dialer.h"
#include "UIKit/UIImage.h"

namespace phone {

// Where things sit on the 320 x 568 point screen.
struct DialerLayout {
    static constexpr CGRect kStatusBar{{0, 0}, {320, 20}};
    static constexpr CGRect kNumberDisplay{{0, 20}, {320, 95}};
    static constexpr CGRect kKeypad{{0, 115}, {320, 404}};
    static constexpr CGRect kTabBar{{0, 519}, {320, 49}};
    static constexpr CGPoint kCallButtonCentre{160, 474};  // clear of the keys and the tab bar
    static constexpr CGFloat kCallButtonDiameter = 66;
    static constexpr CGFloat kKeyDiameter = 75;
    // The centres of the twelve keys, row by row.
    static std::vector<CGPoint> keyCentres();
    // The centre of each tab's glyph, for a tab bar of `count` tabs.
    static std::vector<CGPoint> tabGlyphCentres(size_t count);
    static constexpr CGFloat kTabGlyphRadius = 11;
};

// The backdrop behind clear views: the blurred wallpaper, or a plain dark window when opaque.
Ref<UIColor> backdropColour(bool opaque);

Ref<UIImage> drawDialer(const Dialer& dialer);

}  // namespace phone
