#include "DialerPicture.h"

#include "UIKit/UIGraphics.h"
#include "UIKit/UIViewController.h"
#include "Wallpaper.h"

namespace phone {

Ref<UIWindow> dialerWindow(const Dialer& d) {
    auto window = make<UIWindow>();
    if (d.application->isOpaque())
        window->setBackgroundColor(UIColor::colorWithRed(0.11, 0.11, 0.12, 1));
    else
        window->addSubview(make<BlurredWallpaper>());  // behind the app's view, which comes next
    auto controller = make<UIViewController>();
    controller->setView(d.view);
    window->setRootViewController(controller);

    UIStatusBar* bar = window->statusBar();
    bar->setHidden(d.statusBarHidden);
    bar->setBackgroundColor(d.statusBarColours->backgroundColor);
    bar->setForegroundColor(d.statusBarColours->foregroundColor);
    return window;
}

Ref<UIImage> drawDialer(const Dialer& d) {
    Ref<UIWindow> window = dialerWindow(d);
    window->layoutIfNeeded();
    const CGRect all = window->bounds();
    UIGraphicsBeginImageContextWithOptions(all.size, true, 0);
    window->drawViewHierarchyInRect(all);
    Ref<UIImage> picture = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return picture;
}

}  // namespace phone
