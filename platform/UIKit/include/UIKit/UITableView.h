#pragma once
// Tables: a header view above the rows. The rows' cells are subviews placed by whoever owns the
// table's data (the settings page), so that they inherit the table's tint. A table clips what it
// holds to its bounds and is as tall as its content would like to be.

#include "UIKit/UITableViewCell.h"
#include "UIKit/UIView.h"

enum UITableViewStyle : NSInteger {
    UITableViewStylePlain = 0,
    UITableViewStyleGrouped = 1,  // rows in groups on a grey ground
};

class UITableView : public UIView {
    OBJC_INTERFACE(UITableView, UIView)

public:
    UITableView() : UITableView(CGRectZero) {}
    explicit UITableView(CGRect frame, UITableViewStyle style = UITableViewStylePlain);
    UITableViewStyle style() const { return style_; }
    UIView* tableHeaderView() const { return header_; }
    // Replaces the header; nil removes it.
    void setTableHeaderView(UIView* header);

    // The size of everything the table holds, header to bottom padding, as its owner laid it out.
    CGSize contentSize() const { return contentSize_; }
    void setContentSize(CGSize size) { contentSize_ = size; }
    // The table's width and its content's height.
    CGSize sizeThatFits(CGSize size) const override;

private:
    UITableViewStyle style_ = UITableViewStylePlain;
    Ref<UIView> header_;
    CGSize contentSize_{};
};
