#pragma once
// The runtime's side of the recording taps.

#include "objc/RuntimeRecording.h"

namespace objc {

// Whether any tap is in place: the one check class lookups and pools pay while nobody watches.
bool runtimeTapped();
// Runs every tap with the record; a tap added or removed meanwhile takes effect from the next call.
void reportRuntimeCall(const RuntimeCallRecord& record);

}  // namespace objc
