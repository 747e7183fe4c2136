#pragma once
// The share sheet's card: a panel of 0.98 grey with corners of radius 8.

#include "UIKit/UIView.h"

class SLComposeCardView : public UIView {
    OBJC_INTERFACE(SLComposeCardView, UIView)

public:
    SLComposeCardView() = default;
    void drawRect(CGRect rect) override;
};
