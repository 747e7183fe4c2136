#include "UIKit/UIScreen.h"

OBJC_IMPLEMENTATION(UIScreen)

UIScreen* UIScreen::mainScreen() {
    static UIScreen* screen = make<UIScreen>().leak();
    return screen;
}
