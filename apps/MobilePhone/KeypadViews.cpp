#include "KeypadViews.h"

#include "CallButton.h"
#include "Ink.h"
#include "Received.h"

using phone::recordReceived;

OBJC_IMPLEMENTATION(TPPathView, objc::method("setFillColor:", [](id self, SEL, id colour) {
    recordReceived({Ref<NSObject>(colour)});
    static_cast<TPPathView*>(self)->setFillColor(objc_cast<UIColor>(colour));
}))

OBJC_IMPLEMENTATION(DialerKey)
OBJC_IMPLEMENTATION(DialerDeleteKey)

OBJC_IMPLEMENTATION(PHHandsetDialerView, objc::method("dialerColor", [](id self, SEL) -> id {
    recordReceived({});
    return static_cast<PHHandsetDialerView*>(self)->stockColor.get();
}))

OBJC_IMPLEMENTATION(PHHandsetDialerLCDView, objc::method("lcdColor", [](id self, SEL) -> id {
    recordReceived({});
    return static_cast<PHHandsetDialerLCDView*>(self)->stockColor.get();
}))

namespace {

constexpr CGFloat kRingWidth = 1.5;

Ref<UILabel> centredLabel(const char* font, CGFloat size) {
    auto label = make<UILabel>();
    label->setFont(UIFont::fontWithName(font, size));
    label->setTextAlignment(NSTextAlignmentCenter);
    return label;
}

CGRect around(CGPoint centre, CGSize size) {
    return CGRectMake(centre.x - size.width / 2, centre.y - size.height / 2, size.width, size.height);
}

}  // namespace

void TPPathView::drawRect(CGRect) {
    if (!path_) return;
    if (fillColor_) {
        fillColor_->setFill();
        path_->fill();
    }
    if (strokeColor_) {
        strokeColor_->setStroke();
        path_->stroke();
    }
}

DialerKey::DialerKey(const std::string& digit, const std::string& letters)
    : UIControl(CGRectMake(0, 0, kDiameter, kDiameter)),
      shape_(make<TPPathView>()),
      digit_(centredLabel("HelveticaNeue-Thin", 34)),
      letters_(centredLabel("HelveticaNeue", 9)) {
    digit_->setText(digit);
    letters_->setText(letters);
    addSubview(shape_);
    addSubview(digit_);
    addSubview(letters_);
}

void DialerKey::setInk(UIColor* ink) {
    shape_->setStrokeColor(UIColor::colorWithRed(ink->red(), ink->green(), ink->blue(), 0.6));
    digit_->setTextColor(ink);
    letters_->setTextColor(ink);
}

void DialerKey::layoutSubviews() {
    const CGRect all = bounds();
    const CGFloat r = all.size.width / 2;
    shape_->setFrame(all);
    // The ring lies inside the key, so the key's bounds hold all of it.
    auto disc = UIBezierPath::bezierPathWithOvalInRect(CGRectInset(all, kRingWidth / 2, kRingWidth / 2));
    disc->setLineWidth(kRingWidth);
    shape_->setPath(disc);
    digit_->setFrame(CGRectMake(0, r - 26, all.size.width, 40));
    letters_->setFrame(CGRectMake(0, r + 12, all.size.width, 14));
}

void DialerDeleteKey::drawRect(CGRect rect) {
    const CGFloat x = CGRectGetMidX(rect), y = CGRectGetMidY(rect);
    auto glyph = UIBezierPath::bezierPath();
    glyph->moveToPoint({x - 14, y});
    glyph->addLineToPoint({x - 6, y - 9});
    glyph->addLineToPoint({x + 13, y - 9});
    glyph->addLineToPoint({x + 13, y + 9});
    glyph->addLineToPoint({x - 6, y + 9});
    glyph->closePath();
    glyph->moveToPoint({x - 1, y - 4});
    glyph->addLineToPoint({x + 7, y + 4});
    glyph->moveToPoint({x - 1, y + 4});
    glyph->addLineToPoint({x + 7, y - 4});
    glyph->setLineWidth(1.5);
    glyph->setLineJoinStyle(kCGLineJoinRound);
    glyph->setLineCapStyle(kCGLineCapRound);
    ink_->setStroke();
    glyph->stroke();
}

PHHandsetDialerView::PHHandsetDialerView()
    : callButton_(make<TPSuperBottomBarButton>()), deleteKey_(make<DialerDeleteKey>()) {
    static const char* digits[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "*", "0", "#"};
    static const char* letters[] = {"", "ABC", "DEF", "GHI", "JKL", "MNO", "PQRS", "TUV", "WXYZ", "", "+", ""};
    for (int i = 0; i < 12; ++i) {
        keys_.push_back(make<DialerKey>(digits[i], letters[i]));
        addSubview(keys_.back());
    }
    addSubview(callButton_);
    addSubview(deleteKey_);
}

// Three columns 87 points apart, rows 82 apart; the call button centred under them, clear of the
// tab bar, and the delete key in the third column beside it.
void PHHandsetDialerView::layoutSubviews() {
    const CGSize key{DialerKey::kDiameter, DialerKey::kDiameter};
    for (size_t i = 0; i < keys_.size(); ++i)
        keys_[i]->setFrame(around({73.0 + 87 * (i % 3), 37.0 + 82 * (i / 3)}, key));
    const CGSize call{TPSuperBottomBarButton::kDiameter, TPSuperBottomBarButton::kDiameter};
    callButton_->setFrame(around({160, 359}, call));
    deleteKey_->setFrame(around({247, 359}, call));
    UIColor* ink = phone::inkOver(backgroundColor());
    for (const auto& k : keys_) k->setInk(ink);
    deleteKey_->setInk(ink);
}

PHHandsetDialerLCDView::PHHandsetDialerLCDView() : numberLabel_(centredLabel("HelveticaNeue-Light", 36)) {
    addSubview(numberLabel_);
}

void PHHandsetDialerLCDView::layoutSubviews() {
    numberLabel_->setFrame(CGRectMake(20, 25, bounds().size.width - 40, 50));
    numberLabel_->setTextColor(phone::inkOver(backgroundColor()));
}
