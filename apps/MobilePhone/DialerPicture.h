#pragma once
// The dialer as the screen shows it: the app's window over the wallpaper, and as a picture.

#include "Dialer.h"
#include "UIKit/UIImage.h"
#include "UIKit/UIWindow.h"

namespace phone {

// The window holding the dialer's views, with the status bar the attributes describe. An opaque
// app fills it with a dark colour; a translucent one shows the blurred wallpaper beneath.
Ref<UIWindow> dialerWindow(const Dialer& dialer);

// The window laid out and drawn at the screen's scale.
Ref<UIImage> drawDialer(const Dialer& dialer);

}  // namespace phone
