#include "UIKit/UITableView.h"

#include "Foundation/NSString.h"

OBJC_IMPLEMENTATION(UITableView)
OBJC_IMPLEMENTATION(UITableViewCell,
    objc::method("initWithStyle:reuseIdentifier:", [](id self, SEL, NSInteger style, id reuse) -> id {
        auto* identifier = objc_cast<NSString>(reuse);
        return static_cast<UITableViewCell*>(self)->initWithStyle(static_cast<UITableViewCellStyle>(style),
                                                                  identifier ? identifier->str() : "");
    }))

void UITableView::setTableHeaderView(UIView* header) {
    if (header_) header_->removeFromSuperview();
    header_ = header;
    if (header_) addSubview(header_);
}

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
        textLabel_ = make<UILabel>(CGRectMake(15, 0, frame().size.width - 30, frame().size.height));
        contentView()->addSubview(textLabel_);
    }
    return textLabel_;
}

UILabel* UITableViewCell::detailTextLabel() {
    if (!detailTextLabel_) {
        detailTextLabel_ = make<UILabel>(CGRectMake(15, 0, frame().size.width - 45, frame().size.height));
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
