#pragma once
// The pieces the Settings pictures are drawn from: plain fills, upright images, the controls and
// marks iOS 7 draws in its own shapes (switch, chevron, check mark), and views as they stand.

#include "CoreGraphics/CGContext.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIImage.h"
#include "UIKit/UISwitch.h"
#include "UIKit/UIView.h"

namespace settings {

void fillRounded(CGContextRef c, CGRect rect, double radius, const UIColor* colour);
void drawImage(CGContextRef c, const UIImage* image, CGRect rect);
// A chevron in `rect`, pointing right (a disclosure) or left (a back button).
void drawChevron(CGContextRef c, CGRect rect, bool pointingRight, const UIColor* colour, double lineWidth);
void drawCheck(CGContextRef c, CGRect rect, const UIColor* colour);
void drawSwitch(CGContextRef c, const UISwitch* control, CGRect rect);
// A view and its subviews as they stand: backgrounds, labels and pictures, `origin` its superview's.
void drawView(CGContextRef c, const UIView* view, CGPoint origin);

}  // namespace settings
