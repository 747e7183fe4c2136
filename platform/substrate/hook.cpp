#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "Foundation/NSLog.h"
#include "substrate/HookRecording.h"
#include "substrate/substrate.h"

namespace substrate {
namespace {

struct Taps {
    std::mutex lock;
    HookTapToken next = 1;
    std::vector<std::pair<HookTapToken, HookTap>> list;
};

Taps& taps() {
    static auto* t = new Taps;  // never destroyed, like the hooks it reports
    return *t;
}

void reportHookCall(const HookCallRecord& record) {
    std::vector<std::pair<HookTapToken, HookTap>> current;
    {
        Taps& t = taps();
        std::lock_guard guard(t.lock);
        if (t.list.empty()) return;
        current = t.list;
    }
    for (const auto& [token, tap] : current) tap(record);
}

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

HookTapToken addHookTap(HookTap tap) {
    Taps& t = taps();
    std::lock_guard guard(t.lock);
    const HookTapToken token = t.next++;
    t.list.emplace_back(token, std::move(tap));
    return token;
}

void removeHookTap(HookTapToken token) {
    Taps& t = taps();
    std::lock_guard guard(t.lock);
    std::erase_if(t.list, [token](const auto& entry) { return entry.first == token; });
}

bool hookMessage(Class cls, SEL sel, IMP replacement, const std::type_info& types, IMP* old,
                 IMP (*makeTrampoline)(Class owner)) {
    const bool installed = install(cls, sel, replacement, types, old, makeTrampoline);
    reportHookCall({cls, sel_getName(sel), installed});
    return installed;
}

}  // namespace substrate
