#include "CoreFoundation/CFNotificationCenter.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "CoreFoundation/CFNotificationRecording.h"
#include "NotificationTaps.h"

// Only its address matters: it tells the Darwin centre from anything else passed as a centre.
struct CFNotificationCenterOpaque {};

namespace {

struct Registration {
    const void* observer;
    CFNotificationCallback callback;
    std::string name;
    // Cleared on removal, so a delivery already under way skips it from then on.
    std::atomic<bool> live{true};
};

struct DarwinCentre {
    CFNotificationCenterOpaque handle;
    std::mutex lock;
    std::vector<std::shared_ptr<Registration>> registrations;  // in registration order
};

// Never destroyed: callbacks may still be posted while other statics are torn down at exit.
DarwinCentre& darwin() {
    static auto* centre = new DarwinCentre;
    return *centre;
}

bool isDarwin(CFNotificationCenterRef center) { return center && center == &darwin().handle; }

cf::NotificationCallRecord recordOf(cf::NotificationCall call, const void* observer, CFStringRef name) {
    cf::NotificationCallRecord record;
    record.call = call;
    record.observer = observer;
    record.hasName = name != nullptr;
    if (name) record.name = name->str();
    return record;
}

// Ends the observer's registrations that `matches` accepts; returns how many ended.
template <class Match>
size_t endRegistrations(const void* observer, Match matches) {
    if (!observer) return 0;
    DarwinCentre& centre = darwin();
    std::lock_guard guard(centre.lock);
    return std::erase_if(centre.registrations, [&](const std::shared_ptr<Registration>& r) {
        if (r->observer != observer || !matches(*r)) return false;
        r->live.store(false, std::memory_order_release);
        return true;
    });
}

}  // namespace

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter() { return &darwin().handle; }

void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     CFNotificationCallback callback, CFStringRef name, const void* /*object*/,
                                     CFNotificationSuspensionBehavior /*suspensionBehavior*/) {
    auto record = recordOf(cf::NotificationCall::AddObserver, observer, name);
    record.callback = callback;
    if (isDarwin(center) && callback && name) {
        DarwinCentre& centre = darwin();
        std::lock_guard guard(centre.lock);
        const bool known = std::any_of(centre.registrations.begin(), centre.registrations.end(), [&](const auto& r) {
            return r->observer == observer && r->callback == callback && r->name == name->str();
        });
        if (!known) {
            auto registration = std::make_shared<Registration>();
            registration->observer = observer;
            registration->callback = callback;
            registration->name = name->str();
            centre.registrations.push_back(std::move(registration));
            record.registrations = 1;
        }
    }
    cf::reportNotificationCall(record);
}

void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer, CFStringRef name,
                                        const void* /*object*/) {
    auto record = recordOf(cf::NotificationCall::RemoveObserver, observer, name);
    if (isDarwin(center))
        record.registrations = endRegistrations(observer, [&](const Registration& r) {
            return !name || r.name == name->str();
        });
    cf::reportNotificationCall(record);
}

void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer) {
    auto record = recordOf(cf::NotificationCall::RemoveEveryObserver, observer, nullptr);
    if (isDarwin(center)) record.registrations = endRegistrations(observer, [](const Registration&) { return true; });
    cf::reportNotificationCall(record);
}

void CFNotificationCenterPostNotification(CFNotificationCenterRef center, CFStringRef name, const void* /*object*/,
                                          CFDictionaryRef /*userInfo*/, Boolean /*deliverImmediately*/) {
    auto record = recordOf(cf::NotificationCall::Post, nullptr, name);
    std::vector<std::shared_ptr<Registration>> due;
    if (isDarwin(center) && name) {
        DarwinCentre& centre = darwin();
        std::lock_guard guard(centre.lock);
        for (const auto& r : centre.registrations)
            if (r->name == name->str()) due.push_back(r);
    }
    record.registrations = due.size();
    cf::reportNotificationCall(record);
    // Delivered unlocked: a callback may register, remove or post in turn.
    for (const auto& r : due)
        if (r->live.load(std::memory_order_acquire))
            r->callback(center, const_cast<void*>(r->observer), name, nullptr, nullptr);
}

namespace cf {

size_t darwinRegistrationCount(std::string_view name) {
    DarwinCentre& centre = darwin();
    std::lock_guard guard(centre.lock);
    size_t n = 0;
    for (const auto& r : centre.registrations) n += r->name == name;
    return n;
}

}  // namespace cf
