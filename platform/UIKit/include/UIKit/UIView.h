#pragma once
// Views: a frame in the superview's coordinates, subviews (owned), a superview (not owned), colours,
// and the tint colour that a view inherits from its superview unless it has its own.

#include <vector>

#include "CoreGraphics/CGGeometry.h"
#include "UIKit/UIColor.h"
#include "objc/runtime.h"

class UIViewController;

class UIView : public NSObject {
    OBJC_INTERFACE(UIView, NSObject)

public:
    UIView() = default;
    explicit UIView(CGRect frame) : frame_(frame) {}
    ~UIView() override;

    CGRect frame() const { return frame_; }
    // A change of size asks for a new layout.
    virtual void setFrame(CGRect frame);
    CGRect bounds() const { return {{0, 0}, frame_.size}; }

    // Re-parents `view`: it leaves its old superview first. Adding a view to itself or to one of its
    // own subviews would make a cycle and is refused.
    void addSubview(UIView* view);
    void removeFromSuperview();
    const std::vector<Ref<UIView>>& subviews() const { return subviews_; }
    UIView* superview() const { return superview_; }
    bool isDescendantOfView(const UIView* view) const;

    UIColor* backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(UIColor* colour) { backgroundColor_ = colour; }
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { hidden_ = hidden; }
    NSInteger tag() const { return tag_; }
    void setTag(NSInteger tag) { tag_ = tag; }

    // Its own tint if set, else the superview's, else the default tint blue.
    UIColor* tintColor() const;
    // Nil returns the view to inheriting. Views below that inherit it lay out again, since cells
    // derive their text colours from the tint when they lay out.
    virtual void setTintColor(UIColor* colour);
    UIColor* ownTintColor() const { return tintColor_; }
    static UIColor* defaultTintColor();

    virtual void layoutSubviews() {}
    // Marks the view for layout at the next layoutIfNeeded. A new view starts marked, and so does a
    // view that changes size, superview or inherited tint.
    void setNeedsLayout() { needsLayout_ = true; }
    bool needsLayout() const { return needsLayout_; }
    // Lays out every marked view of this subtree, parents before their subviews.
    void layoutIfNeeded();

    // The controller whose root view this is, if any (not owned).
    UIViewController* viewController() const { return viewController_; }
    void setViewController(UIViewController* controller) { viewController_ = controller; }

private:
    void setSubtreeNeedsLayout();

    CGRect frame_{};
    std::vector<Ref<UIView>> subviews_;
    UIView* superview_ = nullptr;
    Ref<UIColor> backgroundColor_;
    Ref<UIColor> tintColor_;
    bool hidden_ = false;
    bool needsLayout_ = true;
    NSInteger tag_ = 0;
    UIViewController* viewController_ = nullptr;
};
