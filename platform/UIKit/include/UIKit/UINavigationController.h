#pragma once
// A stack of controllers under one navigation bar. A push loads the new controller's view, then the
// old top gets viewWillDisappear, the new one viewWillAppear, the old viewDidDisappear, the new
// viewDidAppear; a pop is the mirror image.

#include <vector>

#include "UIKit/UINavigationBar.h"
#include "UIKit/UIViewController.h"

class UINavigationController : public UIViewController {
    OBJC_INTERFACE(UINavigationController, UIViewController)

public:
    UINavigationController() = default;
    static Ref<UINavigationController> initWithRootViewController(UIViewController* root);

    void pushViewController(UIViewController* controller, bool animated);
    // Nil on the root, which is never popped.
    Ref<UIViewController> popViewControllerAnimated(bool animated);
    UIViewController* topViewController() const;
    const std::vector<Ref<UIViewController>>& viewControllers() const { return stack_; }
    UINavigationBar* navigationBar() const { return bar_; }

    // Puts the navigation controller on screen: its top controller gets its appear pair.
    void show();

    void loadView() override;

protected:
    UIViewController* visibleController() override;

private:
    void showTopView();
    std::vector<Ref<UIViewController>> stack_;
    Ref<UINavigationBar> bar_ = make<UINavigationBar>();
};
