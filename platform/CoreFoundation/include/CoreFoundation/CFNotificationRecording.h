#pragma once
// Watching the Darwin centre from outside: every add, remove and post call is reported to the taps,
// whether or not it changed anything, so tests can count registration calls and hosts can print
// what was posted.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "CoreFoundation/CFNotificationCenter.h"

namespace cf {

enum class NotificationCall { AddObserver, RemoveObserver, RemoveEveryObserver, Post };

struct NotificationCallRecord {
    NotificationCall call = NotificationCall::Post;
    const void* observer = nullptr;
    CFNotificationCallback callback = nullptr;  // AddObserver only
    bool hasName = false;
    std::string name;
    // AddObserver: 1 when a new registration was made, 0 for a repeat or a refused call.
    // Removals: registrations ended. Post: registrations about to be called.
    size_t registrations = 0;
};

using NotificationTap = std::function<void(const NotificationCallRecord&)>;
using NotificationTapToken = size_t;

// Taps run on the calling thread, after the registry changed and before a posting delivers.
NotificationTapToken addNotificationTap(NotificationTap tap);
void removeNotificationTap(NotificationTapToken token);

// Registrations in force for a name.
size_t darwinRegistrationCount(std::string_view name);

}  // namespace cf
