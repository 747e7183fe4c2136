#include "UIKit/UIView.h"

#include <algorithm>

#include "UIKit/UIEvent.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIViewController.h"
#include "UIKit/UIWindow.h"

OBJC_IMPLEMENTATION(UIView,
    objc::method("tintColor", [](id self, SEL) -> id { return static_cast<UIView*>(self)->tintColor(); }),
    objc::method("setTintColor:", [](id self, SEL, id c) { static_cast<UIView*>(self)->setTintColor(objc_cast<UIColor>(c)); }),
    objc::method("layoutSubviews", [](id self, SEL) { static_cast<UIView*>(self)->layoutSubviews(); }),
    objc::method("drawRect:", [](id self, SEL, CGRect rect) { static_cast<UIView*>(self)->drawRect(rect); }),
    objc::method("hitTest:withEvent:",
                 [](id self, SEL, CGPoint p, id e) -> id { return static_cast<UIView*>(self)->hitTest(p, objc_cast<UIEvent>(e)); }),
    objc::method("pointInside:withEvent:", [](id self, SEL, CGPoint p, id e) -> BOOL {
        return static_cast<UIView*>(self)->pointInside(p, objc_cast<UIEvent>(e));
    }))

UIView::~UIView() {
    for (auto& child : subviews_) child->superview_ = nullptr;
}

bool UIView::isDescendantOfView(const UIView* view) const {
    for (const UIView* v = this; v; v = v->superview_)
        if (v == view) return true;
    return false;
}

UIWindow* UIView::window() const {
    const UIView* root = this;
    while (root->superview_) root = root->superview_;
    return objc_cast<UIWindow>(root);
}

void UIView::setFrame(CGRect frame) {
    if (frame.size.width != frame_.size.width || frame.size.height != frame_.size.height) setNeedsLayout();
    frame_ = frame;
}

void UIView::addSubview(UIView* view) {
    if (!view || isDescendantOfView(view)) return;
    Ref<UIView> keep = view;
    view->removeFromSuperview();
    view->superview_ = this;
    subviews_.push_back(keep);
    view->setSubtreeNeedsLayout();  // it may inherit another tint here
    setNeedsLayout();
}

void UIView::removeFromSuperview() {
    UIView* parent = superview_;
    if (!parent) return;
    superview_ = nullptr;
    parent->setNeedsLayout();
    setSubtreeNeedsLayout();
    // Last: the superview's reference may be the only one left.
    auto& siblings = parent->subviews_;
    siblings.erase(std::remove_if(siblings.begin(), siblings.end(), [this](const Ref<UIView>& v) { return v.get() == this; }),
                   siblings.end());
}

UIColor* UIView::defaultTintColor() {
    static UIColor* blue = UIColor::colorWithRed(0, 0.478431, 1, 1).leak();
    return blue;
}

// The grey iOS 7 gives every tint under a presentation.
UIColor* UIView::dimmedTintColor() {
    static UIColor* grey = UIColor::colorWithRed(0.557, 0.557, 0.576, 1).leak();
    return grey;
}

UIViewTintAdjustmentMode UIView::tintAdjustmentMode() const {
    for (const UIView* v = this; v; v = v->superview_)
        if (v->tintAdjustmentMode_ != UIViewTintAdjustmentModeAutomatic) return v->tintAdjustmentMode_;
    return UIViewTintAdjustmentModeNormal;
}

void UIView::setTintAdjustmentMode(UIViewTintAdjustmentMode mode) {
    if (mode == tintAdjustmentMode_) return;
    tintAdjustmentMode_ = mode;
    setSubtreeNeedsLayout();
}

UIColor* UIView::tintColor() const {
    if (tintAdjustmentMode() == UIViewTintAdjustmentModeDimmed) return dimmedTintColor();
    for (const UIView* v = this; v; v = v->superview_)
        if (v->tintColor_) return v->tintColor_;
    return defaultTintColor();
}

void UIView::setTintColor(UIColor* colour) {
    if (colour == tintColor_.get()) return;
    tintColor_ = colour;
    setSubtreeNeedsLayout();
}

void UIView::setSubtreeNeedsLayout() {
    needsLayout_ = true;
    for (const auto& child : subviews_) child->setSubtreeNeedsLayout();
}

void UIView::layoutIfNeeded() {
    if (needsLayout_) {
        needsLayout_ = false;
        if (viewController_) viewController_->viewWillLayoutSubviews();
        layoutSubviews();
        if (viewController_) viewController_->viewDidLayoutSubviews();
    }
    // A copy: layout may add or remove subviews.
    const std::vector<Ref<UIView>> children = subviews_;
    for (const auto& child : children) child->layoutIfNeeded();
}

void UIView::setAlpha(CGFloat alpha) { alpha_ = std::clamp(alpha, 0.0, 1.0); }

bool UIView::drawViewHierarchyInRect(CGRect rect) {
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context) return false;
    if (hidden_ || CGRectIsEmpty(bounds()) || CGRectIsEmpty(rect)) return true;
    CGContextSaveGState(context);
    CGContextTranslateCTM(context, rect.origin.x, rect.origin.y);
    CGContextScaleCTM(context, rect.size.width / frame_.size.width, rect.size.height / frame_.size.height);
    drawSubtree(context);
    CGContextRestoreGState(context);
    return true;
}

void UIView::drawSubtree(CGContextRef context) {
    if (alpha_ <= 0) return;
    CGContextSaveGState(context);
    // One layer for the whole subtree, so overlapping subviews do not show through each other.
    const bool layered = alpha_ < 1;
    if (layered) {
        CGContextSetAlpha(context, alpha_);
        CGContextBeginTransparencyLayer(context, nullptr);
    }
    const CGRect own = bounds();
    CGContextSaveGState(context);
    CGContextClipToRect(context, own);
    UIGraphicsFillRect(context, own, backgroundColor_);
    drawRect(own);
    CGContextRestoreGState(context);
    if (clipsToBounds_) CGContextClipToRect(context, own);
    // A copy: drawing may change the subviews.
    const std::vector<Ref<UIView>> children = subviews_;
    for (const auto& child : children) {
        if (child->hidden_) continue;
        CGContextSaveGState(context);
        CGContextTranslateCTM(context, child->frame_.origin.x, child->frame_.origin.y);
        child->drawSubtree(context);
        CGContextRestoreGState(context);
    }
    if (layered) CGContextEndTransparencyLayer(context);
    CGContextRestoreGState(context);
}

bool UIView::pointInside(CGPoint point, UIEvent*) { return CGRectContainsPoint(bounds(), point); }

UIView* UIView::hitTest(CGPoint point, UIEvent* event) {
    if (hidden_ || alpha_ < 0.01 || !userInteractionEnabled_ || !pointInside(point, event)) return nullptr;
    for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
        UIView* child = it->get();
        const CGPoint inChild{point.x - child->frame_.origin.x, point.y - child->frame_.origin.y};
        if (UIView* hit = child->hitTest(inChild, event)) return hit;
    }
    return this;
}

// The root's own frame origin is left out: the root's coordinates are the window's.
CGPoint UIView::originInRoot() const {
    CGPoint origin;
    for (const UIView* v = this; v->superview_; v = v->superview_) {
        origin.x += v->frame_.origin.x;
        origin.y += v->frame_.origin.y;
    }
    return origin;
}

CGPoint UIView::convertPoint(CGPoint point, const UIView* view) const {
    const CGPoint from = originInRoot(), to = view ? view->originInRoot() : CGPoint{};
    return {point.x + from.x - to.x, point.y + from.y - to.y};
}

CGRect UIView::convertRect(CGRect rect, const UIView* view) const { return {convertPoint(rect.origin, view), rect.size}; }
