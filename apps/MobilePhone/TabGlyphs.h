#pragma once
// The pictures on the Phone app's tabs, drawn as lines in the view's tint colour, centred in its
// bounds (a tab bar button's glyph square).

#include "UIKit/UIView.h"

class TabGlyph : public UIView {
    OBJC_INTERFACE(TabGlyph, UIView)

public:
    enum class Kind { Star, Clock, Person, Keypad, Voicemail };

    TabGlyph() = default;
    explicit TabGlyph(Kind kind) : kind_(kind) {}
    Kind kind() const { return kind_; }

    void drawRect(CGRect rect) override;

private:
    Kind kind_ = Kind::Star;
};
