#pragma once
// The window: the root of what the screen shows. It holds the root controller's view, the views
// presented over it, and the status bar, which stays on top of both.

#include "UIKit/UIStatusBar.h"
#include "UIKit/UIView.h"

class UIViewController;

class UIWindow : public UIView {
    OBJC_INTERFACE(UIWindow, UIView)

public:
    // The size of the screen, clipping what lies outside it.
    UIWindow();

    UIViewController* rootViewController() const { return rootViewController_; }
    // Puts the controller's view in at the window's bounds, in place of the previous root's.
    void setRootViewController(UIViewController* controller);
    UIStatusBar* statusBar() const { return statusBar_; }

    // A presented view covers the window, under the status bar; removing it uncovers what is below.
    void addPresentedView(UIView* view);

    // The simulated device pictures a whole page at once: the window grows to the height its root
    // view asks for (never shorter than the screen), and the root view with it.
    void layoutToFitContent();

    void layoutSubviews() override;

private:
    Ref<UIViewController> rootViewController_;
    Ref<UIStatusBar> statusBar_;
};
