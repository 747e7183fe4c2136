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
    // While anything is presented, the root view's tints are dimmed.
    void addPresentedView(UIView* view);
    void removePresentedView(UIView* view);

    // The simulated device pictures a whole page at once: the window grows to the height its root
    // view asks for (never shorter than the screen), and the root view with it.
    void layoutToFitContent();

    void layoutSubviews() override;

private:
    UIView* rootView() const;
    void dimCoveredContent();

    Ref<UIViewController> rootViewController_;
    Ref<UIStatusBar> statusBar_;
    Ref<UIView> dimmed_;  // the root view as dimmed, to be given back its mode
};
