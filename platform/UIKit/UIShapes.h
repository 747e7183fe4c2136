#pragma once
// Stroked marks that UIKit's own views draw: the disclosure chevron and the check mark. Not API;
// the views that show them call these from drawRect.

#include "CoreGraphics/CGContext.h"
#include "UIKit/UIColor.h"

// A chevron pointing right, filling `rect` with round caps; the line stays inside the rect. A view
// that needs one pointing left mirrors the context first. A nil colour draws nothing.
void UIDrawChevron(CGContextRef context, CGRect rect, UIColor* colour, CGFloat width);
// A check mark in `rect`, stroked 2 points wide with round caps. A nil colour draws nothing.
void UIDrawCheckMark(CGContextRef context, CGRect rect, UIColor* colour);
