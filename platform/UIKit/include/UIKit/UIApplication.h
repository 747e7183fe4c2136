#pragma once
// The process's one application object. A host may install an instance of its own subclass as the
// shared application before anything asks for it (the Phone app does).

#include <functional>
#include <string>
#include <vector>

#include "objc/runtime.h"

class NSURL;

class UIApplication : public NSObject {
    OBJC_INTERFACE(UIApplication, NSObject)

public:
    UIApplication() = default;

    static UIApplication* sharedApplication();
    // Makes `app` the shared application; it is kept for the life of the process.
    static void setSharedApplication(UIApplication* app);

    // Private: whether the application's windows are opaque, and the style of its background
    // (0 = default; other values are blur styles).
    virtual void _setApplicationIsOpaque(BOOL opaque) { opaque_ = opaque; }
    virtual void _setBackgroundStyle(NSInteger style) { backgroundStyle_ = style; }
    BOOL isOpaque() const { return opaque_; }
    NSInteger backgroundStyle() const { return backgroundStyle_; }

    // Whether some installed application handles the URL's scheme: one under "/Applications" whose
    // Info.plist lists it in CFBundleURLTypes, or the browser for "http" and "https". NO for nil.
    virtual BOOL canOpenURL(const NSURL* url) const;
    // Hands the URL to the application that handles it. An opened URL is recorded and reported to
    // the observer; NO, and nothing recorded, for nil or a URL nothing handles.
    virtual BOOL openURL(const NSURL* url);

    // Every URL opened in this process, oldest first.
    static const std::vector<std::string>& openedURLs();
    static void clearOpenedURLs();
    // Hosts watch opened URLs through this.
    using OpenURLObserver = std::function<void(const std::string& url)>;
    static void setOpenURLObserver(OpenURLObserver observer);

private:
    BOOL opaque_ = YES;
    NSInteger backgroundStyle_ = 0;
};
