#pragma once
// The iOS 7 look of the Settings screen: the metrics, fonts and colours its layout measures with
// and its pictures draw with.

#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"

namespace settings::style {

constexpr double kWidth = 320, kScreenHeight = 568;
constexpr double kStatusBar = 20, kBarBottom = 64;
constexpr double kMargin = 15;          // left and right inset of rows and group texts
constexpr double kIcon = 29;            // row icons are 29 x 29
constexpr double kSwitchWidth = 51, kSwitchHeight = 31;
constexpr double kChevronWidth = 8, kChevronHeight = 13;
constexpr double kCheckWidth = 14, kCheckHeight = 11;
constexpr double kGap = 8;              // between a row's label, value and accessory
constexpr double kGroupGap = 35;        // above a group without a title
constexpr double kTitledGroupGap = 55;  // above a group with a title, the title 7 points over it
constexpr double kPageBottom = 35;

inline Ref<UIFont> rowFont() { return UIFont::fontWithName("HelveticaNeue", 17); }
inline Ref<UIFont> barTitleFont() { return UIFont::fontWithName("HelveticaNeue-Medium", 17); }
inline Ref<UIFont> barButtonFont() { return UIFont::fontWithName("HelveticaNeue", 17); }
inline Ref<UIFont> barDoneFont() { return UIFont::fontWithName("HelveticaNeue-Bold", 17); }
inline Ref<UIFont> groupTextFont() { return UIFont::fontWithName("HelveticaNeue", 14); }

inline Ref<UIColor> grey(double level) { return UIColor::colorWithRed(level, level, level, 1); }
inline Ref<UIColor> pageBackground() { return UIColor::colorWithRed(0.937, 0.937, 0.957, 1); }
inline Ref<UIColor> barBackground() { return grey(0.97); }
inline Ref<UIColor> hairline() { return UIColor::colorWithRed(0.784, 0.78, 0.8, 1); }
inline Ref<UIColor> groupText() { return UIColor::colorWithRed(0.427, 0.427, 0.447, 1); }
inline Ref<UIColor> valueText() { return UIColor::colorWithRed(0.557, 0.557, 0.576, 1); }
inline Ref<UIColor> chevron() { return UIColor::colorWithRed(0.78, 0.78, 0.8, 1); }

}  // namespace settings::style
