#include "UIKit/UINavigationController.h"

#include "UIKit/UIScreen.h"

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
    auto container = make<UIView>(UIScreen::mainScreen()->bounds());
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
