#pragma once
// A picture shown in a frame of its own; the image is scaled into the frame when drawn.

#include "UIKit/UIImage.h"
#include "UIKit/UIView.h"

class UIImageView : public UIView {
    OBJC_INTERFACE(UIImageView, UIView)

public:
    UIImageView() { setUserInteractionEnabled(false); }
    // Sized to the image's point size at the origin; a nil image gives an empty frame.
    explicit UIImageView(UIImage* image);

    UIImage* image() const { return image_; }
    // Keeps the frame: the picture is scaled into it when drawn.
    void setImage(UIImage* image) { image_ = image; }

    void drawRect(CGRect rect) override;
    CGSize sizeThatFits(CGSize) const override { return image_ ? image_->size() : CGSize{}; }

private:
    Ref<UIImage> image_;
};
