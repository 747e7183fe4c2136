#pragma once
// The process's one application object. A host may install an instance of its own subclass as the
// shared application before anything asks for it (the Phone app does).

#include "objc/runtime.h"

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

private:
    BOOL opaque_ = YES;
    NSInteger backgroundStyle_ = 0;
};
