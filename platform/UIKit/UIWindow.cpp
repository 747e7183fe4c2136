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
    if (!controller) return;
    UIView* view = controller->view();
    view->setFrame(bounds());
    addPresentedView(view);
}

void UIWindow::addPresentedView(UIView* view) {
    if (!view) return;
    addSubview(view);
    addSubview(statusBar_);  // back on top
}

void UIWindow::layoutToFitContent() {
    const CGRect screen = UIScreen::mainScreen()->bounds();
    CGFloat height = screen.size.height;
    if (rootViewController_) {
        UIView* root = rootViewController_->view();
        root->layoutIfNeeded();
        height = std::max(height, root->sizeThatFits(screen.size).height);
    }
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
