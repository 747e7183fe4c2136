#pragma once
// The colour that reads on a ground: light on dark and the other way round.

#include "UIKit/UIColor.h"

namespace phone {

// White over a see-through ground (both backdrops behind the dialer are dark); else black once the
// ground's luma passes `lightest`, white below it. The call button passes 0.8, keeping white on its
// stock green.
UIColor* inkOver(const UIColor* ground, double lightest = 0.6);

}  // namespace phone
