#pragma once
// Tables: a header view above the rows. The rows' cells are subviews placed by whoever owns the
// table's data (the settings page), so that they inherit the table's tint.

#include "UIKit/UITableViewCell.h"
#include "UIKit/UIView.h"

class UITableView : public UIView {
    OBJC_INTERFACE(UITableView, UIView)

public:
    UITableView() = default;
    explicit UITableView(CGRect frame) : UIView(frame) {}
    UIView* tableHeaderView() const { return header_; }
    // Replaces the header; nil removes it.
    void setTableHeaderView(UIView* header);

private:
    Ref<UIView> header_;
};
