#include "UIKit/UIApplication.h"

OBJC_IMPLEMENTATION(UIApplication,
    objc::method("_setApplicationIsOpaque:",
                 [](id self, SEL, BOOL opaque) { static_cast<UIApplication*>(self)->_setApplicationIsOpaque(opaque); }),
    objc::method("_setBackgroundStyle:",
                 [](id self, SEL, NSInteger style) { static_cast<UIApplication*>(self)->_setBackgroundStyle(style); }))

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
