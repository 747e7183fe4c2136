#pragma once
// The restart observer shared by the root and settings pages: every stored change posts the
// Darwin notification "com.qelmor.corvane/KillPhone", and the pane answers it by ending the Phone
// app, so that the next Phone process loads the hook library afresh with the new values.

#include "CoreFoundation/CFNotificationCenter.h"

// A literal, as the device's CFSTR takes only a literal.
#define CV_KILL_PHONE_NOTIFICATION "com.qelmor.corvane/KillPhone"
inline constexpr const char* kKillPhoneNotification = CV_KILL_PHONE_NOTIFICATION;
inline constexpr const char* kKillPhoneCommand = "killall -9 MobilePhone";

// The notification callback: runs "killall -9 MobilePhone" through system(), whatever it is
// handed, and ignores the command's status (no Phone process running is no failure).
void KillPhoneCallback(CFNotificationCenterRef center, void* observer, CFStringRef name, const void* object,
                       CFDictionaryRef userInfo);

// Registers KillPhoneCallback for the notification on the Darwin centre, without an observer object.
void registerRestartObserver();
// Removes the registration by name, without an observer object, as it was made.
void removeRestartObserver();
