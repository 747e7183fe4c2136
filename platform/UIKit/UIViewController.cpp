#include "UIKit/UIViewController.h"

#include "UIKit/UINavigationController.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIWindow.h"

OBJC_IMPLEMENTATION(UIViewController,
    objc::method("loadView", [](id self, SEL) { static_cast<UIViewController*>(self)->loadView(); }),
    objc::method("viewWillAppear:", [](id self, SEL, BOOL a) { static_cast<UIViewController*>(self)->viewWillAppear(a); }),
    objc::method("viewDidAppear:", [](id self, SEL, BOOL a) { static_cast<UIViewController*>(self)->viewDidAppear(a); }),
    objc::method("viewWillDisappear:", [](id self, SEL, BOOL a) { static_cast<UIViewController*>(self)->viewWillDisappear(a); }),
    objc::method("viewDidDisappear:", [](id self, SEL, BOOL a) { static_cast<UIViewController*>(self)->viewDidDisappear(a); }))

namespace {
UIViewController::PresentationObserver& observer() {
    static UIViewController::PresentationObserver o;
    return o;
}
}  // namespace

void UIViewController::setPresentationObserver(PresentationObserver o) { observer() = std::move(o); }

// What observes this controller must not outlive it: its view's owner link, and the presented
// controller's link back.
UIViewController::~UIViewController() {
    if (view_ && view_->viewController() == this) view_->setViewController(nullptr);
    if (presented_ && presented_->presenting_ == this) presented_->presenting_ = nullptr;
}

UIView* UIViewController::view() {
    if (!view_) {
        loadView();
        if (!view_) setView(make<UIView>(UIScreen::mainScreen()->bounds()));
        viewDidLoad();
    }
    return view_;
}

void UIViewController::setView(UIView* view) {
    if (view_ && view_->viewController() == this) view_->setViewController(nullptr);
    view_ = view;
    if (view_) view_->setViewController(this);
}

void UIViewController::loadView() { setView(make<UIView>(UIScreen::mainScreen()->bounds())); }

void UIViewController::setTitle(std::string title) {
    title_ = title;
    navigationItem()->setTitle(std::move(title));
}

UINavigationItem* UIViewController::navigationItem() {
    if (!navigationItem_) navigationItem_ = make<UINavigationItem>();
    return navigationItem_;
}

UIViewController* UIViewController::presentationContext() {
    return navigationController_ ? static_cast<UIViewController*>(navigationController_) : this;
}

void UIViewController::presentViewController(UIViewController* controller, bool animated,
                                             std::function<void()> completion) {
    UIViewController* presenter = presentationContext();
    if (!controller || controller == presenter || presenter->presented_ || controller->presenting_)
        return;  // UIKit refuses these too
    Ref<UIViewController> keep = controller;
    controller->view();
    UIViewController* covered = presenter->visibleController();
    presenter->presented_ = controller;
    controller->presenting_ = presenter;
    covered->viewWillDisappear(animated);
    controller->viewWillAppear(animated);
    // Into the window the presenter is shown in, over its content; a presenter off screen has none.
    if (UIWindow* window = presenter->isViewLoaded() ? presenter->view()->window() : nullptr)
        window->addPresentedView(controller->view());
    controller->viewDidAppear(animated);
    covered->viewDidDisappear(animated);
    if (observer()) observer()(controller, true);
    if (completion) completion();
}

void UIViewController::dismissViewControllerAnimated(bool animated, std::function<void()> completion) {
    UIViewController* presenter = presentationContext();
    if (!presenter->presented_ && presenting_) presenter = presenting_;
    Ref<UIViewController> gone = presenter->presented_;
    if (!gone) return;
    UIViewController* covered = presenter->visibleController();
    gone->viewWillDisappear(animated);
    if (UIWindow* window = gone->view()->window()) window->removePresentedView(gone->view());
    covered->viewWillAppear(animated);
    covered->viewDidAppear(animated);
    gone->viewDidDisappear(animated);
    presenter->presented_ = nullptr;
    gone->presenting_ = nullptr;
    if (observer()) observer()(gone, false);
    if (completion) completion();
}
