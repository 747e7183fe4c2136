#pragma once
// Drawing text into a context, with the machine's fonts standing in for the device's (DejaVu Sans
// for Helvetica), weight and slant kept.

#include <string>

#include "CoreGraphics/CGContext.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UILabel.h"

// Draws one line of text in `rect`, vertically centred, aligned as asked; clipped to the rect.
void UIDrawText(CGContextRef context, const std::string& text, CGRect rect, const UIFont* font, const UIColor* colour,
                NSTextAlignment alignment);
// The width the text takes in the font.
CGFloat UITextWidth(CGContextRef context, const std::string& text, const UIFont* font);
