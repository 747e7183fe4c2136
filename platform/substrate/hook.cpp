#include <string>

#include "Foundation/NSLog.h"
#include "substrate/substrate.h"

namespace substrate {

bool hookMessage(Class cls, SEL sel, IMP replacement, const std::type_info& types, IMP* old,
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

}  // namespace substrate
