#include "Ink.h"

namespace phone {

UIColor* inkOver(const UIColor* ground, double lightest) {
    if (!ground || ground->alpha() < 0.5) return UIColor::whiteColor();
    const double luma = 0.3 * ground->red() + 0.59 * ground->green() + 0.11 * ground->blue();
    return luma > lightest ? UIColor::blackColor() : UIColor::whiteColor();
}

}  // namespace phone
