#pragma once
// Glyphs UIKit draws for its own controls, outside any public API: they are stroked paths, not images.

#include "CoreGraphics/CGContext.h"
#include "UIKit/UIColor.h"

// A chevron pointing right, filling `rect`: two strokes of `width` with round caps meeting at the
// middle of the right edge. The caps stay inside the rect. A nil colour draws nothing.
void UIDrawChevron(CGContextRef context, CGRect rect, UIColor* colour, CGFloat width);
