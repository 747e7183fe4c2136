#include "UIKit/UITableView.h"

OBJC_IMPLEMENTATION(UITableView)

UITableView::UITableView(CGRect frame, UITableViewStyle style) : UIView(frame), style_(style) {
    setClipsToBounds(true);
    if (style == UITableViewStyleGrouped) setBackgroundColor(UIColor::colorWithRed(0.937, 0.937, 0.957, 1));
}

void UITableView::setTableHeaderView(UIView* header) {
    if (header == header_.get()) return;
    if (header_) header_->removeFromSuperview();
    header_ = header;
    if (header_) addSubview(header_);
}

CGSize UITableView::sizeThatFits(CGSize) const { return {frame().size.width, contentSize_.height}; }
