#include "UIKit/UIWindow.h"

#include <algorithm>

#include "UIKit/UIScreen.h"
#include "UIKit/UIViewController.h"

OBJC_IMPLEMENTATION(UIWindow)

UIWindow::UIWindow() : UIView(UIScreen::mainScreen()->bounds()), statusBar_(make<UIStatusBar>()) {
    setClipsToBounds(true);
    addSubview(statusBar_);
}

void UIWindow::setRootViewController(UIViewController* controller) {
    if (controller == rootViewController_.get()) return;
    if (rootViewController_ && rootViewController_->isViewLoaded()) rootViewController_->view()->removeFromSuperview();
    rootViewController_ = controller;
    if (controller) addPresentedView(controller->view());
    dimCoveredContent();
}

UIView* UIWindow::rootView() const {
    return rootViewController_ && rootViewController_->isViewLoaded() ? rootViewController_->view() : nullptr;
}

void UIWindow::addPresentedView(UIView* view) {
    if (!view) return;
    view->setFrame(bounds());
    addSubview(view);
    addSubview(statusBar_);  // back on top
    dimCoveredContent();
}

void UIWindow::removePresentedView(UIView* view) {
    if (!view || view->superview() != this || view == statusBar_.get()) return;
    view->removeFromSuperview();
    dimCoveredContent();
}

// The root view is dimmed while a view other than the status bar stands above it; one behind it (a
// wallpaper) covers nothing.
void UIWindow::dimCoveredContent() {
    UIView* root = rootView();
    const auto& views = subviews();
    const auto rootAt = std::find_if(views.begin(), views.end(), [&](const Ref<UIView>& v) { return v.get() == root; });
    const bool covered = rootAt != views.end() && std::any_of(rootAt + 1, views.end(), [&](const Ref<UIView>& v) {
        return v.get() != statusBar_.get();
    });
    UIView* target = covered ? root : nullptr;
    if (target == dimmed_.get()) return;
    if (dimmed_) dimmed_->setTintAdjustmentMode(UIViewTintAdjustmentModeAutomatic);
    dimmed_ = target;
    if (dimmed_) dimmed_->setTintAdjustmentMode(UIViewTintAdjustmentModeDimmed);
}

void UIWindow::layoutToFitContent() {
    // Measured at the screen's size, so a page that asks only for the size it is given (a plain
    // view) does not keep the height of a longer page before it.
    const CGRect screen = UIScreen::mainScreen()->bounds();
    setFrame(screen);
    layoutIfNeeded();
    CGFloat height = screen.size.height;
    if (rootViewController_) height = std::max(height, rootViewController_->view()->sizeThatFits(screen.size).height);
    setFrame(CGRectMake(0, 0, screen.size.width, height));
    layoutIfNeeded();
}

// Everything but the status bar covers the whole window.
void UIWindow::layoutSubviews() {
    const CGRect all = bounds();
    for (const auto& view : subviews())
        if (view.get() != statusBar_.get()) view->setFrame(all);
    statusBar_->setFrame(CGRectMake(0, 0, all.size.width, UIStatusBar::kHeight));
}
