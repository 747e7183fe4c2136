#pragma once
// The bar above a navigation stack. It shows the top item: its title in the middle, its right-hand
// items' views at the right, and a back button named after the item below it. The bar's background
// reaches up under the status bar.

#include <string>
#include <vector>

#include "Foundation/NSDictionary.h"
#include "UIKit/UIControl.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UIView.h"

class UINavigationController;

// The text-attribute key of a foreground colour.
inline constexpr const char* NSForegroundColorAttributeName = "NSColor";

// The bar's back button: a left chevron and the title of the item it goes back to, both in the tint.
class UINavigationBarBackButton : public UIControl {
    OBJC_INTERFACE(UINavigationBarBackButton, UIControl)

public:
    UINavigationBarBackButton() = default;
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    // The width the title asks for, which stops growing at 100 points of text.
    CGFloat widthForTitle() const;
    void drawRect(CGRect rect) override;

private:
    std::string title_;
};

class UINavigationBar : public UIView {
    OBJC_INTERFACE(UINavigationBar, UIView)

public:
    UINavigationBar();

    NSDictionary* titleTextAttributes() const { return titleTextAttributes_; }
    void setTitleTextAttributes(NSDictionary* attributes);
    // The title's colour from the attributes, or nil for the platform's.
    UIColor* titleColor() const;

    // The stack of items, bottom first; the last one is shown.
    const std::vector<Ref<UINavigationItem>>& items() const { return items_; }
    void setItems(std::vector<Ref<UINavigationItem>> items, bool animated);
    UINavigationItem* topItem() const { return items_.empty() ? nullptr : items_.back().get(); }
    // The item the back button returns to, or nil on the bottom item.
    UINavigationItem* backItem() const { return items_.size() < 2 ? nullptr : items_[items_.size() - 2].get(); }

    // The navigation controller that owns the bar (not owned): its back button pops that controller,
    // and its title gives way while the controller presents a sheet.
    UINavigationController* delegate() const { return delegate_; }
    void setDelegate(UINavigationController* controller);

    // Hidden on the bottom item.
    UINavigationBarBackButton* backButton() const { return backButton_; }
    UILabel* titleLabel() const { return titleLabel_; }

    void layoutSubviews() override;

private:
    void installItemViews(const std::vector<UIView*>& views);
    CGFloat layOutRightItems();
    void layOutTitle(CGFloat left, CGFloat right);

    Ref<NSDictionary> titleTextAttributes_;
    std::vector<Ref<UINavigationItem>> items_;
    UINavigationController* delegate_ = nullptr;
    Ref<UIView> background_;
    Ref<UINavigationBarBackButton> backButton_;
    Ref<UILabel> titleLabel_;
    std::vector<Ref<UIView>> itemViews_;
};
