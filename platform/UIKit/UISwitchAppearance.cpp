#include "UIKit/UISwitchAppearance.h"

OBJC_IMPLEMENTATION(UISwitchAppearance)
