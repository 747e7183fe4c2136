#include "UIKit/UIView.h"

#include <algorithm>

OBJC_IMPLEMENTATION(UIView,
    objc::method("tintColor", [](id self, SEL) -> id { return static_cast<UIView*>(self)->tintColor(); }),
    objc::method("setTintColor:", [](id self, SEL, id c) { static_cast<UIView*>(self)->setTintColor(objc_cast<UIColor>(c)); }),
    objc::method("layoutSubviews", [](id self, SEL) { static_cast<UIView*>(self)->layoutSubviews(); }))

UIView::~UIView() {
    for (auto& child : subviews_) child->superview_ = nullptr;
}

bool UIView::isDescendantOfView(const UIView* view) const {
    for (const UIView* v = this; v; v = v->superview_)
        if (v == view) return true;
    return false;
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

UIColor* UIView::tintColor() const {
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
        layoutSubviews();
    }
    // A copy: layout may add or remove subviews.
    const std::vector<Ref<UIView>> children = subviews_;
    for (const auto& child : children) child->layoutIfNeeded();
}
