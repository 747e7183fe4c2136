// The code of the loadable test bundle: one class, so the bundle can be found from it.
#include "objc/runtime.h"

namespace {

class BundleProbe : public NSObject {
    OBJC_INTERFACE(BundleProbe, NSObject)

public:
    BundleProbe() = default;
};

}  // namespace

OBJC_IMPLEMENTATION(BundleProbe)
