#pragma once
// A stack of controllers under one navigation bar. A push loads the new controller's view, then the
// old top gets viewWillDisappear, the new one viewWillAppear, the old viewDidDisappear, the new
// viewDidAppear; a pop is the mirror image. While the navigation controller is not on screen the
// stack changes without appearance calls. Its view holds the bar under the status bar and the top
// controller's view below the bar; the bar shows the stack's navigation items.

#include <vector>

#include "UIKit/UINavigationBar.h"
#include "UIKit/UIViewController.h"

class UINavigationController : public UIViewController {
    OBJC_INTERFACE(UINavigationController, UIViewController)

public:
    UINavigationController();
    ~UINavigationController() override;
    static Ref<UINavigationController> initWithRootViewController(UIViewController* root);

    void pushViewController(UIViewController* controller, bool animated);
    // Nil on the root, which is never popped.
    Ref<UIViewController> popViewControllerAnimated(bool animated);
    UIViewController* topViewController() const;
    const std::vector<Ref<UIViewController>>& viewControllers() const { return stack_; }
    UINavigationBar* navigationBar() const { return bar_; }

    // Puts the navigation controller on screen: its top controller gets its appear pair. Taking it
    // off screen gives the top controller its disappear pair. Each does nothing a second time.
    void show();
    void hide();
    bool isShown() const { return shown_; }

    void loadView() override;

protected:
    UIViewController* visibleController() override;

private:
    void showTopView();
    void updateBarItems();
    std::vector<Ref<UIViewController>> stack_;
    bool shown_ = false;
    Ref<UINavigationBar> bar_ = make<UINavigationBar>();
};
