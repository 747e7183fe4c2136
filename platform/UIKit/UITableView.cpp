#include "UIKit/UITableView.h"

OBJC_IMPLEMENTATION(UITableView)

void UITableView::setTableHeaderView(UIView* header) {
    if (header == header_.get()) return;
    if (header_) header_->removeFromSuperview();
    header_ = header;
    if (header_) addSubview(header_);
}
