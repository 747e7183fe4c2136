#include "UISystemColours.h"

UIColor* UIBarBackgroundColour() {
    static UIColor* colour = UIColor::colorWithRed(0.97, 0.97, 0.97, 1).leak();
    return colour;
}

UIColor* UIBarHairlineColour() {
    static UIColor* colour = UIColor::colorWithRed(0.7, 0.7, 0.7, 1).leak();
    return colour;
}

UIColor* UISeparatorColour() {
    static UIColor* colour = UIColor::colorWithRed(0.784, 0.78, 0.8, 1).leak();
    return colour;
}
