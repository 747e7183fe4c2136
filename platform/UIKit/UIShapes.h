#pragma once
// Strokes UIKit draws in several places but does not publish: the chevrons of disclosure and back
// buttons, and the check mark of a chosen row. Round caps, in the colour given; nil draws nothing.

#include "CoreGraphics/CGContext.h"
#include "UIKit/UIColor.h"

// Pointing right, as a row's disclosure indicator.
void UIDrawChevron(CGContextRef context, CGRect rect, const UIColor* colour, CGFloat lineWidth);
// Pointing left, as a back button's.
void UIDrawBackChevron(CGContextRef context, CGRect rect, const UIColor* colour, CGFloat lineWidth);
void UIDrawCheckMark(CGContextRef context, CGRect rect, const UIColor* colour);
