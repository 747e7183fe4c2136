#include <string>
#include <utility>

#include "Foundation/NSLog.h"
#include "objc/TapList.h"
#include "substrate/HookRecording.h"
#include "substrate/substrate.h"

namespace substrate {
namespace {

objc::TapList<HookCallRecord>& taps() {
    static auto* t = new objc::TapList<HookCallRecord>;  // never destroyed, like the hooks it reports
    return *t;
}

void reportHookCall(const HookCallRecord& record) { taps().report(record); }

bool install(Class cls, SEL sel, IMP replacement, const std::type_info& types, IMP* old,
             IMP (*makeTrampoline)(Class owner)) {
    if (!cls) {
        NSLog("MS:Warning: nil class argument for selector %s", sel_getName(sel));
        return false;
    }
    Method inherited = cls->lookup(sel);
    if (!inherited) {
        NSLog("MS:Warning: message not found [%s %s]", class_getName(cls), sel_getName(sel));
        return false;
    }
    if (*inherited->types != types) {
        NSLog("MS:Error: hook for [%s %s] has another signature than the method; not installed",
              class_getName(cls), sel_getName(sel));
        return false;
    }
    if (cls->ownMethod(sel)) {
        *old = cls->setImplementation(sel, replacement);
        return true;
    }
    IMP trampoline = makeTrampoline(cls);
    if (!trampoline) {
        NSLog("MS:Error: no trampoline left for [%s %s]; not installed", class_getName(cls), sel_getName(sel));
        return false;
    }
    cls->addMethod(sel, replacement, *inherited->types);
    *old = trampoline;
    return true;
}

}  // namespace

HookTapToken addHookTap(HookTap tap) { return taps().add(std::move(tap)); }
void removeHookTap(HookTapToken token) { taps().remove(token); }

bool hookMessage(Class cls, SEL sel, IMP replacement, const std::type_info& types, IMP* old,
                 IMP (*makeTrampoline)(Class owner)) {
    const bool installed = install(cls, sel, replacement, types, old, makeTrampoline);
    reportHookCall({cls, sel_getName(sel), installed});
    return installed;
}

}  // namespace substrate
