#include "UIKit/UITableViewCell.h"

#include "Foundation/NSString.h"
#include "UIKit/UIImage.h"

OBJC_IMPLEMENTATION(UITableViewCell,
    objc::method("initWithStyle:reuseIdentifier:", [](id self, SEL, NSInteger style, id reuse) -> id {
        auto* identifier = objc_cast<NSString>(reuse);
        return static_cast<UITableViewCell*>(self)->initWithStyle(static_cast<UITableViewCellStyle>(style),
                                                                  identifier ? identifier->str() : "");
    }))

namespace {
constexpr CGFloat kMargin = 15;
constexpr CGFloat kIconGap = 15;
}  // namespace

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
        detailTextLabel_ = make<UILabel>(CGRectMake(kMargin, 0, frame().size.width - 3 * kMargin, frame().size.height));
        detailTextLabel_->setTextAlignment(NSTextAlignmentRight);
        detailTextLabel_->setTextColor(UIColor::colorWithRed(142 / 255.0, 142 / 255.0, 147 / 255.0, 1));
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

void UITableViewCell::layoutSubviews() {
    if (!contentView_) return;  // nothing of the cell's own to place
    const CGSize size = frame().size;
    contentView_->setFrame(bounds());
    CGFloat textX = kMargin;
    if (imageView_ && imageView_->image()) {
        const CGSize icon = imageView_->image()->size();
        imageView_->setFrame(CGRectMake(kMargin, (size.height - icon.height) / 2, icon.width, icon.height));
        textX = kMargin + icon.width + kIconGap;
    }
    const CGFloat textWidth = size.width - textX - kMargin;
    if (textLabel_) textLabel_->setFrame(CGRectMake(textX, 0, textWidth, size.height));
    if (detailTextLabel_) detailTextLabel_->setFrame(CGRectMake(textX, 0, textWidth - kMargin, size.height));
}
