#pragma once
// The Darwin notification centre: process-wide, name-only notifications.
//
// This device's rules:
// - a registration is one (observer, callback, name); registering it again changes nothing, so a
//   posting runs each callback once. The observer may be NULL. Object and suspension behaviour are
//   ignored, as on the device.
// - removing with a NULL observer ends nothing: a registration made without an observer stays in
//   force for the life of the process.
// - posting runs every registration of the name at once, on the posting thread. A callback may add
//   or remove registrations; one removed during a delivery is not called after its removal, and one
//   added during a delivery is first called by the next posting.

#include "CoreFoundation/CFBase.h"

struct CFNotificationCenterOpaque;
using CFNotificationCenterRef = CFNotificationCenterOpaque*;

using CFNotificationCallback = void (*)(CFNotificationCenterRef center, void* observer, CFStringRef name,
                                        const void* object, CFDictionaryRef userInfo);

// A plain integer, as in C, so callers may pass 0.
using CFNotificationSuspensionBehavior = CFIndex;
inline constexpr CFNotificationSuspensionBehavior CFNotificationSuspensionBehaviorDrop = 1;
inline constexpr CFNotificationSuspensionBehavior CFNotificationSuspensionBehaviorCoalesce = 2;
inline constexpr CFNotificationSuspensionBehavior CFNotificationSuspensionBehaviorHold = 3;
inline constexpr CFNotificationSuspensionBehavior CFNotificationSuspensionBehaviorDeliverImmediately = 4;

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter();

// A NULL centre, callback or name registers nothing.
void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     CFNotificationCallback callback, CFStringRef name, const void* object,
                                     CFNotificationSuspensionBehavior suspensionBehavior);
// Ends the observer's registrations for the name, or for every name when the name is NULL.
void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer, CFStringRef name,
                                        const void* object);
void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer);
// Only the name travels: callbacks receive NULL for the object and the user info, whatever was posted.
void CFNotificationCenterPostNotification(CFNotificationCenterRef center, CFStringRef name, const void* object,
                                          CFDictionaryRef userInfo, Boolean deliverImmediately);
