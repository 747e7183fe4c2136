#pragma once
// Drawing text into a context through Pango and fontconfig: the machine's Roboto family stands in
// for Helvetica with every weight the catalogue names (Thin, Light, Regular, Medium, Bold), so the
// faces a page asks for are the faces drawn. Sizes are in points whatever the context's scale.

#include <string>

#include "CoreGraphics/CGContext.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UILabel.h"

// One line of text in `rect`, vertically centred, aligned as asked. A text wider than the rect
// ends in an ellipsis; nothing is cut mid-letter.
void UIDrawText(CGContextRef context, const std::string& text, CGRect rect, const UIFont* font, const UIColor* colour,
                NSTextAlignment alignment);
// Text wrapped at word boundaries to the rect's width, from its top; returns the height drawn.
CGFloat UIDrawWrappedText(CGContextRef context, const std::string& text, CGRect rect, const UIFont* font,
                          const UIColor* colour, NSTextAlignment alignment);

// The width the text takes on one line in the font, in points.
CGFloat UITextWidth(const std::string& text, const UIFont* font);
// The height the text takes wrapped to `width` points.
CGFloat UIWrappedTextHeight(const std::string& text, const UIFont* font, CGFloat width);
