#include "UIKit/UIEvent.h"

OBJC_IMPLEMENTATION(UIEvent)
