#include "NotificationTaps.h"

#include "objc/TapList.h"

namespace cf {
namespace {

objc::TapList<NotificationCallRecord>& taps() {
    static auto* t = new objc::TapList<NotificationCallRecord>;  // never destroyed: hosts post at exit too
    return *t;
}

}  // namespace

NotificationTapToken addNotificationTap(NotificationTap tap) { return taps().add(std::move(tap)); }
void removeNotificationTap(NotificationTapToken token) { taps().remove(token); }
void reportNotificationCall(const NotificationCallRecord& record) { taps().report(record); }

}  // namespace cf
