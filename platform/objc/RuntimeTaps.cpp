#include "RuntimeTaps.h"

#include "objc/TapList.h"

namespace objc {
namespace {

TapList<RuntimeCallRecord>& taps() {
    static auto* t = new TapList<RuntimeCallRecord>;  // never destroyed: pools are popped at exit too
    return *t;
}

}  // namespace

RuntimeTapToken addRuntimeTap(RuntimeTap tap) { return taps().add(std::move(tap)); }
void removeRuntimeTap(RuntimeTapToken token) { taps().remove(token); }
bool runtimeTapped() { return taps().any(); }
void reportRuntimeCall(const RuntimeCallRecord& record) { taps().report(record); }

}  // namespace objc
