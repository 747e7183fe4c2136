#pragma once
// Offscreen image contexts: a stack per process; the top one is the current context.

#include "CoreGraphics/CGContext.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIImage.h"

// Opens a context of `size` points at `scale` (0: the main screen's), origin top left, y down. A zero
// size opens no context: drawing then does nothing and the image taken is nil.
void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale);
CGContextRef UIGraphicsGetCurrentContext();
Ref<UIImage> UIGraphicsGetImageFromCurrentImageContext();
void UIGraphicsEndImageContext();
// Fills `rect` of the current context with its fill colour. UIRectFill replaces what was there
// (the copy blend mode), as UIKit's does; the other composites in the mode given.
void UIRectFill(CGRect rect);
void UIRectFillUsingBlendMode(CGRect rect, CGBlendMode mode);
// Fills `rect` of `context` with `colour`; a nil colour paints nothing.
void UIGraphicsFillRect(CGContextRef context, CGRect rect, const UIColor* colour);
