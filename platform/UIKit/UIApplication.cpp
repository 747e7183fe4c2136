#include "UIKit/UIApplication.h"

#include "Foundation/NSURL.h"

OBJC_IMPLEMENTATION(UIApplication,
    objc::method("_setApplicationIsOpaque:",
                 [](id self, SEL, BOOL opaque) { static_cast<UIApplication*>(self)->_setApplicationIsOpaque(opaque); }),
    objc::method("_setBackgroundStyle:",
                 [](id self, SEL, NSInteger style) { static_cast<UIApplication*>(self)->_setBackgroundStyle(style); }),
    objc::method("canOpenURL:",
                 [](id self, SEL, id url) -> BOOL { return static_cast<UIApplication*>(self)->canOpenURL(objc_cast<NSURL>(url)); }),
    objc::method("openURL:",
                 [](id self, SEL, id url) -> BOOL { return static_cast<UIApplication*>(self)->openURL(objc_cast<NSURL>(url)); }))

namespace {
Ref<UIApplication>& sharedSlot() {
    static Ref<UIApplication> app;
    return app;
}
}  // namespace

UIApplication* UIApplication::sharedApplication() {
    Ref<UIApplication>& app = sharedSlot();
    if (!app) app = make<UIApplication>();
    return app;
}

void UIApplication::setSharedApplication(UIApplication* app) { sharedSlot() = app; }
