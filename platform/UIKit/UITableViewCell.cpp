#include "UIKit/UITableViewCell.h"

#include <algorithm>
#include <cmath>

#include "Foundation/NSString.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIImage.h"
#include "UIKit/UIStringDrawing.h"
#include "UIShapes.h"
#include "UISystemColours.h"

OBJC_IMPLEMENTATION(UITableViewCell,
    objc::method("initWithStyle:reuseIdentifier:", [](id self, SEL, NSInteger style, id reuse) -> id {
        auto* identifier = objc_cast<NSString>(reuse);
        return static_cast<UITableViewCell*>(self)->initWithStyle(static_cast<UITableViewCellStyle>(style),
                                                                  identifier ? identifier->str() : "");
    }))

namespace {

constexpr CGFloat kMargin = 15;  // at both ends of the row
constexpr CGFloat kIcon = 29;
constexpr CGFloat kGap = 8;            // between the title, the detail text and the accessory
constexpr CGFloat kChevronGap = 10;    // the chevron keeps a little more room
constexpr CGFloat kMinimumDetailShare = 0.4;  // of the room a long title leaves the detail text
constexpr CGSize kChevron{8, 13}, kCheck{14, 11};
constexpr CGFloat kHairline = 0.5;

UIColor* chevronColour() {
    static UIColor* colour = UIColor::colorWithRed(0.78, 0.78, 0.8, 1).leak();
    return colour;
}

}  // namespace

UITableViewCell::UITableViewCell() : UIView(CGRectMake(0, 0, 320, 44)) { setBackgroundColor(UIColor::whiteColor()); }

UITableViewCell* UITableViewCell::initWithStyle(UITableViewCellStyle style, const std::string& reuseIdentifier) {
    style_ = style;
    reuseIdentifier_ = reuseIdentifier;
    return this;
}

UIView* UITableViewCell::contentView() {
    if (!contentView_) {
        contentView_ = make<UIView>(bounds());
        addSubview(contentView_);
    }
    return contentView_;
}

UILabel* UITableViewCell::textLabel() {
    if (!textLabel_) {
        textLabel_ = make<UILabel>(CGRectMake(kMargin, 0, frame().size.width - 2 * kMargin, frame().size.height));
        contentView()->addSubview(textLabel_);
    }
    return textLabel_;
}

UILabel* UITableViewCell::detailTextLabel() {
    if (!detailTextLabel_) {
        detailTextLabel_ = make<UILabel>(CGRectMake(frame().size.width - kMargin, 0, 0, frame().size.height));
        detailTextLabel_->setTextAlignment(NSTextAlignmentRight);
        detailTextLabel_->setTextColor(UIColor::colorWithRed(0.557, 0.557, 0.576, 1));
        contentView()->addSubview(detailTextLabel_);
    }
    return detailTextLabel_;
}

UIImageView* UITableViewCell::imageView() {
    if (!imageView_) {
        imageView_ = make<UIImageView>();
        contentView()->addSubview(imageView_);
    }
    return imageView_;
}

void UITableViewCell::setAccessoryType(UITableViewCellAccessoryType type) {
    if (type == accessory_) return;
    accessory_ = type;
    setNeedsLayout();  // the texts get or give back the accessory's room
}

CGRect UITableViewCell::accessoryFrame() const {
    CGSize size;
    switch (accessory_) {
        case UITableViewCellAccessoryDisclosureIndicator: size = kChevron; break;
        case UITableViewCellAccessoryCheckmark: size = kCheck; break;
        default: return CGRectZero;
    }
    const CGSize cell = bounds().size;
    return CGRectMake(cell.width - kMargin - size.width, (cell.height - size.height) / 2, size.width, size.height);
}

bool UITableViewCell::hasIcon() const { return imageView_ && imageView_->image(); }

CGFloat UITableViewCell::separatorInset() const { return hasIcon() ? kMargin + kIcon + kMargin : kMargin; }

void UITableViewCell::setGroupEdges(bool first, bool last) {
    firstInGroup_ = first;
    lastInGroup_ = last;
}

CGFloat UITableViewCell::textRightEdge() {
    const CGRect accessory = accessoryFrame();
    if (CGRectIsEmpty(accessory)) return bounds().size.width - kMargin;
    return accessory.origin.x - (accessory_ == UITableViewCellAccessoryDisclosureIndicator ? kChevronGap : kGap);
}

void UITableViewCell::layoutSubviews() {
    if (!contentView_) return;  // nothing of the cell's own to place
    const CGSize size = bounds().size;
    contentView_->setFrame(bounds());
    if (hasIcon()) imageView_->setFrame(CGRectMake(kMargin, (size.height - kIcon) / 2, kIcon, kIcon));
    placeTexts(separatorInset(), textRightEdge());
}

// Both texts keep their natural widths when they fit side by side. Otherwise the detail text keeps
// what the title leaves, but no less than 40% of the room, and the title ends in an ellipsis.
void UITableViewCell::placeTexts(CGFloat left, CGFloat right) {
    const CGFloat height = bounds().size.height;
    const CGFloat room = right - left;
    CGFloat detailWidth = 0;
    if (detailTextLabel_ && !detailTextLabel_->text().empty()) {
        detailWidth = std::ceil(UITextWidth(detailTextLabel_->text(), detailTextLabel_->font()));
        const CGFloat titleWidth = textLabel_ ? UITextWidth(textLabel_->text(), textLabel_->font()) : 0;
        if (titleWidth + kGap + detailWidth > room)
            detailWidth = std::min(detailWidth, std::max(room - titleWidth - kGap, kMinimumDetailShare * room));
    }
    if (detailTextLabel_) detailTextLabel_->setFrame(CGRectMake(right - detailWidth, 0, detailWidth, height));
    const CGFloat titleRoom = detailWidth > 0 ? room - detailWidth - kGap : room;
    if (textLabel_) textLabel_->setFrame(CGRectMake(left, 0, std::max<CGFloat>(0, titleRoom), height));
}

void UITableViewCell::drawRect(CGRect) {
    CGContextRef context = UIGraphicsGetCurrentContext();
    const CGSize size = bounds().size;
    if (firstInGroup_) UIGraphicsFillRect(context, CGRectMake(0, 0, size.width, kHairline), UISeparatorColour());
    const CGFloat inset = lastInGroup_ ? 0 : separatorInset();
    UIGraphicsFillRect(context, CGRectMake(inset, size.height - kHairline, size.width - inset, kHairline), UISeparatorColour());
    switch (accessory_) {
        case UITableViewCellAccessoryDisclosureIndicator: UIDrawChevron(context, accessoryFrame(), chevronColour(), 2); break;
        case UITableViewCellAccessoryCheckmark: UIDrawCheckMark(context, accessoryFrame(), tintColor()); break;
        default: break;
    }
}
