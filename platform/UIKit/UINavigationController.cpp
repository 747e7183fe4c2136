#include "UIKit/UINavigationController.h"

#include <algorithm>

#include "UIKit/UIScreen.h"
#include "UIKit/UIStatusBar.h"

namespace {

// The navigation controller's view: the bar under the status bar, the top page's view below the bar.
class UILayoutContainerView : public UIView {
    OBJC_INTERFACE(UILayoutContainerView, UIView)

public:
    UILayoutContainerView() = default;
    explicit UILayoutContainerView(CGRect frame) : UIView(frame) {}

    void layoutSubviews() override {
        UINavigationBar* bar = this->bar();
        const CGRect all = bounds();
        const CGFloat top = contentTop();
        for (const auto& view : subviews())
            if (view.get() == bar)
                view->setFrame(CGRectMake(0, UIStatusBar::kHeight, all.size.width, top - UIStatusBar::kHeight));
            else
                view->setFrame(CGRectMake(0, top, all.size.width, std::max<CGFloat>(0, all.size.height - top)));
    }

    // As tall as the bar's bottom plus what the top page's view asks for.
    CGSize sizeThatFits(CGSize size) const override {
        UIView* content = this->content();
        if (!content) return UIView::sizeThatFits(size);
        const CGFloat top = contentTop();
        const CGSize wanted = content->sizeThatFits(CGSizeMake(size.width, std::max<CGFloat>(0, size.height - top)));
        return CGSizeMake(size.width, top + wanted.height);
    }

private:
    UINavigationController* controller() const { return objc_cast<UINavigationController>(viewController()); }
    UINavigationBar* bar() const { return controller() ? controller()->navigationBar() : nullptr; }
    UIView* content() const {
        UIViewController* top = controller() ? controller()->topViewController() : nullptr;
        return top && top->isViewLoaded() && top->view()->superview() == this ? top->view() : nullptr;
    }
    CGFloat contentTop() const {
        UINavigationBar* bar = this->bar();
        return UIStatusBar::kHeight + (bar ? bar->frame().size.height : 0);
    }
};

}  // namespace

OBJC_IMPLEMENTATION(UILayoutContainerView)
OBJC_IMPLEMENTATION(UINavigationController)

UINavigationController::UINavigationController() { bar_->setDelegate(this); }

Ref<UINavigationController> UINavigationController::initWithRootViewController(UIViewController* root) {
    auto nav = make<UINavigationController>();
    if (root && !root->navigationController()) {
        root->setNavigationController(nav);
        nav->stack_.emplace_back(root);
        nav->updateBarItems();
    }
    return nav;
}

// The controllers may outlive the stack; their link back must not dangle.
UINavigationController::~UINavigationController() {
    if (bar_->delegate() == this) bar_->setDelegate(nullptr);
    for (const auto& controller : stack_)
        if (controller->navigationController() == this) controller->setNavigationController(nullptr);
}

void UINavigationController::loadView() {
    auto container = make<UILayoutContainerView>(UIScreen::mainScreen()->bounds());
    container->addSubview(bar_);
    setView(container);
}

UIViewController* UINavigationController::topViewController() const {
    return stack_.empty() ? nullptr : stack_.back().get();
}

UIViewController* UINavigationController::visibleController() {
    UIViewController* top = topViewController();
    return top ? top : this;
}

// The top controller's view sits in the container, so views inside it inherit the container's tint.
// The bar stays above it.
void UINavigationController::showTopView() {
    UIView* container = view();
    for (const auto& child : std::vector<Ref<UIView>>(container->subviews()))
        if (child.get() != bar_.get()) child->removeFromSuperview();
    if (UIViewController* top = topViewController()) container->addSubview(top->view());
    container->addSubview(bar_);
}

void UINavigationController::updateBarItems() {
    std::vector<Ref<UINavigationItem>> items;
    for (const auto& controller : stack_) items.emplace_back(controller->navigationItem());
    bar_->setItems(std::move(items), false);
}

void UINavigationController::show() {
    if (shown_) return;
    shown_ = true;
    UIViewController* top = topViewController();
    if (!top) return;
    top->view();
    showTopView();
    top->viewWillAppear(false);
    top->viewDidAppear(false);
}

void UINavigationController::hide() {
    if (!shown_) return;
    shown_ = false;
    if (UIViewController* top = topViewController()) {
        top->viewWillDisappear(false);
        top->viewDidDisappear(false);
    }
}

void UINavigationController::pushViewController(UIViewController* controller, bool animated) {
    if (!controller || controller == this || controller->navigationController()) return;
    Ref<UIViewController> keep = controller;
    UIViewController* old = shown_ ? topViewController() : nullptr;
    controller->setNavigationController(this);
    stack_.push_back(keep);
    updateBarItems();
    if (!shown_) return;  // the view loads when the stack is shown
    controller->view();
    if (old) old->viewWillDisappear(animated);
    controller->viewWillAppear(animated);
    showTopView();
    if (old) old->viewDidDisappear(animated);
    controller->viewDidAppear(animated);
}

Ref<UIViewController> UINavigationController::popViewControllerAnimated(bool animated) {
    if (stack_.size() < 2) return nullptr;
    Ref<UIViewController> gone = stack_.back();
    stack_.pop_back();
    updateBarItems();
    UIViewController* top = topViewController();
    if (shown_) {
        gone->viewWillDisappear(animated);
        top->viewWillAppear(animated);
        showTopView();
        gone->viewDidDisappear(animated);
        top->viewDidAppear(animated);
    }
    gone->setNavigationController(nullptr);
    return gone;
}
