#pragma once
// UIImage (Colored): a copy of an image painted in one colour wherever the image covers, so one
// monochrome icon file serves every page's colour.

#include "UIKit/UIColor.h"
#include "UIKit/UIImage.h"

// The receiver's point size at the main screen's scale; a partly covered pixel ends as the colour
// composited over the image's own pixel. No colour paints opaque black; an image of zero width or
// height gives no image.
Ref<UIImage> changeImageColor(const UIImage* image, const UIColor* colour);
