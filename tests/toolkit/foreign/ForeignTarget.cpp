// The code of a bundle other than the toolkit's, holding a picture the toolkit's bundle lacks: a
// target that answers the icon colour accessors by message only, as a page outside the toolkit does.
#include "UIKit/UIColor.h"
#include "objc/runtime.h"

namespace {

class ForeignTarget : public NSObject {
    OBJC_INTERFACE(ForeignTarget, NSObject)

public:
    ForeignTarget() = default;
};

}  // namespace

OBJC_IMPLEMENTATION(ForeignTarget,
    objc::method("iconColor", [](id, SEL) -> id { return UIColor::redColor(); }),
    objc::method("tintColor", [](id, SEL) -> id { return UIColor::greenColor(); }))
