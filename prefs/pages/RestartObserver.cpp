#include "pages/RestartObserver.h"

#include <cstdlib>

namespace {

CFStringRef killPhoneName() { return CFSTR(CV_KILL_PHONE_NOTIFICATION); }

}  // namespace

void KillPhoneCallback(CFNotificationCenterRef, void*, CFStringRef, const void*, CFDictionaryRef) {
    [[maybe_unused]] const int status = std::system(kKillPhoneCommand);
}

void registerRestartObserver() {
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), nullptr, KillPhoneCallback,
                                    killPhoneName(), nullptr, 0);
}

void removeRestartObserver() {
    CFNotificationCenterRemoveObserver(CFNotificationCenterGetDarwinNotifyCenter(), nullptr, killPhoneName(), nullptr);
}
