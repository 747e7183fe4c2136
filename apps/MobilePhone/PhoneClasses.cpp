#include "PhoneClasses.h"

#include <utility>

namespace phone {
namespace {
std::optional<std::vector<Value>>& receivedSlot() {
    static std::optional<std::vector<Value>> slot;
    return slot;
}
Ref<NSObject> object(id o) { return Ref<NSObject>(o); }
}  // namespace

void recordReceived(std::vector<Value> arguments) { receivedSlot() = std::move(arguments); }

std::optional<std::vector<Value>> takeReceived() { return std::exchange(receivedSlot(), std::nullopt); }

}  // namespace phone

using phone::recordReceived;

OBJC_IMPLEMENTATION(MobilePhoneApplication,
    objc::method("showsPhoneVoicemail", [](id, SEL) -> BOOL {
        recordReceived({});
        return YES;
    }))

void MobilePhoneApplication::_setApplicationIsOpaque(BOOL opaque) {
    recordReceived({opaque});
    UIApplication::_setApplicationIsOpaque(opaque);
}

void MobilePhoneApplication::_setBackgroundStyle(NSInteger style) {
    recordReceived({static_cast<long long>(style)});
    UIApplication::_setBackgroundStyle(style);
}

OBJC_IMPLEMENTATION(PhoneTabBarButton)

void PhoneTabBarButton::_setContentTintColor(UIColor* colour, UIControlState state) {
    recordReceived({phone::object(colour), static_cast<long long>(state)});
    UITabBarButton::_setContentTintColor(colour, state);
}

OBJC_IMPLEMENTATION(UIStatusBarForegroundStyleAttributes)
OBJC_IMPLEMENTATION(UIStatusBarStyleRequest)

OBJC_IMPLEMENTATION(UIStatusBarStyleAttributes, objc::method("foregroundStyle", [](id self, SEL) -> id {
    recordReceived({});
    return static_cast<UIStatusBarStyleAttributes*>(self)->stockForegroundStyle.get();
}))

OBJC_IMPLEMENTATION(UIStatusBarNewUIStyleAttributes,
    objc::method("initWithRequest:backgroundColor:foregroundColor:", [](id self, SEL, id request, id bg, id fg) -> id {
        recordReceived({phone::object(request), phone::object(bg), phone::object(fg)});
        auto* attributes = static_cast<UIStatusBarNewUIStyleAttributes*>(self);
        attributes->request = request;
        attributes->backgroundColor = objc_cast<UIColor>(bg);
        attributes->foregroundColor = objc_cast<UIColor>(fg);
        return self;
    }))
