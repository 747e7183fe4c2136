#pragma once
// The greys iOS 7 draws its bars and lists in, shared by the classes that draw them.

#include "UIKit/UIColor.h"

// The ground of the navigation, tab and sheet bars, and the hairline at their edge to the page.
UIColor* UIBarBackgroundColour();
UIColor* UIBarHairlineColour();
// The lines between a list's rows and between a sheet's fields.
UIColor* UISeparatorColour();
