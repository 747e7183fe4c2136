#pragma once
// Views: a frame in the superview's coordinates, subviews (owned), a superview (not owned), colours,
// and the tint colour that a view inherits from its superview unless it has its own. Views draw
// themselves into the current context and answer which of them a point falls on.

#include <vector>

#include "CoreGraphics/CGContext.h"
#include "CoreGraphics/CGGeometry.h"
#include "UIKit/UIColor.h"
#include "objc/runtime.h"

class UIEvent;
class UIViewController;
class UIWindow;

// How a view shows its tint: Automatic takes the superview's mode (Normal at the root); Dimmed
// turns the tint grey, as content covered by a presentation shows it.
enum UIViewTintAdjustmentMode : NSInteger {
    UIViewTintAdjustmentModeAutomatic = 0,
    UIViewTintAdjustmentModeNormal = 1,
    UIViewTintAdjustmentModeDimmed = 2,
};

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
    // The window at the root of this view's tree, or nil when the tree has none.
    UIWindow* window() const;

    // The size the view would like within `size`; by default the size it has.
    virtual CGSize sizeThatFits(CGSize) const { return frame_.size; }
    // Takes the size sizeThatFits gives, keeping the origin.
    void sizeToFit() { setFrame({frame_.origin, sizeThatFits(frame_.size)}); }

    UIColor* backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(UIColor* colour) { backgroundColor_ = colour; }
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { hidden_ = hidden; }
    NSInteger tag() const { return tag_; }
    void setTag(NSInteger tag) { tag_ = tag; }
    // 0...1; below 1 the view and its subviews are composited together at that opacity.
    CGFloat alpha() const { return alpha_; }
    void setAlpha(CGFloat alpha);
    // Whether subviews are cut off at the bounds. A view's own background and drawRect always are.
    bool clipsToBounds() const { return clipsToBounds_; }
    void setClipsToBounds(bool clips) { clipsToBounds_ = clips; }
    // Off: neither the view nor its subviews are found by hitTest. Off from the start for labels and
    // image views.
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }

    // The view's own content, drawn into UIGraphicsGetCurrentContext() in its bounds' coordinates,
    // over the background colour. Draws nothing unless overridden.
    virtual void drawRect(CGRect) {}
    // Draws the view and its visible subviews into the current context, its bounds scaled into
    // `rect`. Each view: background, drawRect, then subviews in order, later ones on top. Hidden
    // views are skipped with their subviews. False when there is no current context.
    bool drawViewHierarchyInRect(CGRect rect);

    // The deepest visible, interactive view under `point` (in this view's coordinates): subviews
    // are tried last to first, so the topmost wins. Nil when this view is hidden, nearly transparent
    // (alpha below 0.01), not interactive, or the point is outside it.
    virtual UIView* hitTest(CGPoint point, UIEvent* event);
    // Whether `point` is within the bounds.
    virtual bool pointInside(CGPoint point, UIEvent* event);
    // From this view's coordinates to `view`'s; nil means those of the root of this view's tree.
    CGPoint convertPoint(CGPoint point, const UIView* view) const;
    CGRect convertRect(CGRect rect, const UIView* view) const;

    // Its own tint if set, else the superview's, else the default tint blue; the dimmed grey
    // instead, whatever the tint, while the view's adjustment mode is Dimmed.
    UIColor* tintColor() const;
    // Nil returns the view to inheriting. Views below that inherit it lay out again, since cells
    // derive their text colours from the tint when they lay out.
    virtual void setTintColor(UIColor* colour);
    UIColor* ownTintColor() const { return tintColor_; }
    static UIColor* defaultTintColor();
    static UIColor* dimmedTintColor();
    // The mode in effect: the view's own unless Automatic, else the nearest superview's that is not,
    // else Normal. A change lays out the views below again, as a tint change does.
    UIViewTintAdjustmentMode tintAdjustmentMode() const;
    void setTintAdjustmentMode(UIViewTintAdjustmentMode mode);

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
    void drawSubtree(CGContextRef context);
    CGPoint originInRoot() const;

    CGRect frame_{};
    std::vector<Ref<UIView>> subviews_;
    UIView* superview_ = nullptr;
    Ref<UIColor> backgroundColor_;
    Ref<UIColor> tintColor_;
    UIViewTintAdjustmentMode tintAdjustmentMode_ = UIViewTintAdjustmentModeAutomatic;
    bool hidden_ = false;
    bool clipsToBounds_ = false;
    bool userInteractionEnabled_ = true;
    CGFloat alpha_ = 1;
    bool needsLayout_ = true;
    NSInteger tag_ = 0;
    UIViewController* viewController_ = nullptr;
};
