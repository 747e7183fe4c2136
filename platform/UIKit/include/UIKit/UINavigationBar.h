#pragma once
// The bar above a navigation stack: a tint for its buttons and attributes for its title text.

#include "Foundation/NSDictionary.h"
#include "UIKit/UIView.h"

// The text-attribute key of a foreground colour.
inline constexpr const char* NSForegroundColorAttributeName = "NSColor";

class UINavigationBar : public UIView {
    OBJC_INTERFACE(UINavigationBar, UIView)

public:
    UINavigationBar() : UIView(CGRectMake(0, 20, 320, 44)) {}
    NSDictionary* titleTextAttributes() const { return titleTextAttributes_; }
    void setTitleTextAttributes(NSDictionary* attributes) { titleTextAttributes_ = attributes; }
    // The title's colour from the attributes, or nil for the platform's.
    UIColor* titleColor() const;

private:
    Ref<NSDictionary> titleTextAttributes_;
};
