#pragma once
// View controllers: a view loaded once, a title, a navigation item, the appearance callbacks, and
// full-screen modal presentation.

#include <functional>
#include <string>

#include "UIKit/UINavigationItem.h"
#include "UIKit/UIView.h"

class UINavigationController;

class UIViewController : public NSObject {
    OBJC_INTERFACE(UIViewController, NSObject)

public:
    UIViewController() = default;
    ~UIViewController() override;

    // Loads the view (loadView, then viewDidLoad) the first time it is asked for.
    UIView* view();
    bool isViewLoaded() const { return view_ != nullptr; }
    void setView(UIView* view);
    // Creates the view; the default is a plain view the size of the screen.
    virtual void loadView();
    virtual void viewDidLoad() {}
    // Around each layout of the controller's view: a controller places and refreshes the subviews
    // it built there, so what it shows follows what it was last given.
    virtual void viewWillLayoutSubviews() {}
    virtual void viewDidLayoutSubviews() {}

    const std::string& title() const { return title_; }
    virtual void setTitle(std::string title);
    UINavigationItem* navigationItem();

    virtual void viewWillAppear(bool) {}
    virtual void viewDidAppear(bool) {}
    virtual void viewWillDisappear(bool) {}
    virtual void viewDidDisappear(bool) {}

    // The navigation controller whose stack holds this controller (not owned), or nil.
    UINavigationController* navigationController() const { return navigationController_; }
    void setNavigationController(UINavigationController* nav) { navigationController_ = nav; }

    // Presentation is handled by the controller's navigation controller when it has one, as UIKit
    // hands it to the nearest presentation context. The covered controller gets
    // viewWillDisappear, the presented one viewWillAppear and viewDidAppear, then the covered one
    // viewDidDisappear; dismissal gives the covered controller its appear pair.
    void presentViewController(UIViewController* controller, bool animated, std::function<void()> completion);
    // Dismisses what this controller (or its presentation context) presents, or this controller
    // itself when it is the presented one.
    void dismissViewControllerAnimated(bool animated, std::function<void()> completion);
    UIViewController* presentedViewController() const { return presented_; }
    UIViewController* presentingViewController() const { return presenting_; }

    // Hosts watch presentations through this: called with true on presenting, false on dismissing.
    using PresentationObserver = std::function<void(UIViewController* presented, bool presenting)>;
    static void setPresentationObserver(PresentationObserver observer);

protected:
    // The controller whose content is on screen beneath a presentation from this one.
    virtual UIViewController* visibleController() { return this; }

private:
    UIViewController* presentationContext();
    Ref<UIView> view_;
    std::string title_;
    Ref<UINavigationItem> navigationItem_;
    UINavigationController* navigationController_ = nullptr;
    Ref<UIViewController> presented_;
    UIViewController* presenting_ = nullptr;
};
