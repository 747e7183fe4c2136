#pragma once
// The centre's side of the recording taps.

#include "CoreFoundation/CFNotificationRecording.h"

namespace cf {

// Runs every tap with the record; a tap added or removed meanwhile takes effect from the next call.
void reportNotificationCall(const NotificationCallRecord& record);

}  // namespace cf
