#pragma once
// The dialer's number display and keypad as the Phone app builds them. The display and the keypad
// take the colours their registered getters answer; each key's disc takes the fill its
// setFillColor: receives. Texts and rings are drawn in the ink that reads on the ground beneath.

#include <string>
#include <vector>

#include "UIKit/UIBezierPath.h"
#include "UIKit/UIControl.h"
#include "UIKit/UILabel.h"

// A shape: its path filled with the fill colour, then outlined in the stroke colour (either may
// be nil), in the path's own line width.
class TPPathView : public UIView {
    OBJC_INTERFACE(TPPathView, UIView)

public:
    TPPathView() = default;

    UIColor* fillColor() const { return fillColor_; }
    // What the registered setFillColor: does.
    void setFillColor(UIColor* colour) { fillColor_ = colour; }
    UIColor* strokeColor() const { return strokeColor_; }
    void setStrokeColor(UIColor* colour) { strokeColor_ = colour; }
    UIBezierPath* path() const { return path_; }
    void setPath(Ref<UIBezierPath> path) { path_ = std::move(path); }

    void drawRect(CGRect rect) override;

private:
    Ref<UIColor> fillColor_, strokeColor_;
    Ref<UIBezierPath> path_;
};

// One key: a round disc with a ring, the digit, and the letters under it.
class DialerKey : public UIControl {
    OBJC_INTERFACE(DialerKey, UIControl)

public:
    static constexpr CGFloat kDiameter = 75;

    DialerKey() : DialerKey("", "") {}
    DialerKey(const std::string& digit, const std::string& letters);

    TPPathView* shape() const { return shape_; }
    UILabel* digitLabel() const { return digit_; }
    UILabel* lettersLabel() const { return letters_; }
    // The ring keeps some of the ground showing through.
    void setInk(UIColor* ink);

    void layoutSubviews() override;

private:
    Ref<TPPathView> shape_;
    Ref<UILabel> digit_, letters_;
};

// The key that takes back the last digit: an outlined arrow with a cross in it.
class DialerDeleteKey : public UIControl {
    OBJC_INTERFACE(DialerDeleteKey, UIControl)

public:
    DialerDeleteKey() = default;
    UIColor* ink() const { return ink_; }
    void setInk(UIColor* ink) { ink_ = ink; }
    void drawRect(CGRect rect) override;

private:
    Ref<UIColor> ink_ = UIColor::whiteColor();
};

class TPSuperBottomBarButton;

// The keypad: twelve keys in four rows, the call button under them and the delete key beside it.
// Its ground is the colour `dialerColor` answers.
class PHHandsetDialerView : public UIView {
    OBJC_INTERFACE(PHHandsetDialerView, UIView)

public:
    PHHandsetDialerView();

    // What the registered dialerColor answers unhooked.
    Ref<UIColor> stockColor = UIColor::whiteColor();

    const std::vector<Ref<DialerKey>>& keys() const { return keys_; }
    TPSuperBottomBarButton* callButton() const { return callButton_; }
    DialerDeleteKey* deleteKey() const { return deleteKey_; }

    void layoutSubviews() override;

private:
    std::vector<Ref<DialerKey>> keys_;
    Ref<TPSuperBottomBarButton> callButton_;
    Ref<DialerDeleteKey> deleteKey_;
};

// The number display above the keypad, in the colour `lcdColor` answers.
class PHHandsetDialerLCDView : public UIView {
    OBJC_INTERFACE(PHHandsetDialerLCDView, UIView)

public:
    PHHandsetDialerLCDView();

    // What the registered lcdColor answers unhooked.
    Ref<UIColor> stockColor = UIColor::whiteColor();

    const std::string& number() const { return numberLabel_->text(); }
    void setNumber(std::string number) { numberLabel_->setText(std::move(number)); }
    UILabel* numberLabel() const { return numberLabel_; }

    void layoutSubviews() override;

private:
    Ref<UILabel> numberLabel_;
};
