#include "toolkit/TXListControllerProtocol.h"

std::optional<bool> TXListControllerProtocol::implementsAccessor(std::string_view selector) const {
    if (selector == "plistName") return plistName().has_value();
    if (selector == "customSpecifiers") return customSpecifiers().has_value();
    if (selector == "customTitle") return customTitle().has_value();
    if (selector == "showHeartImage") return showHeartImage().has_value();
    if (selector == "shiftHeartImage") return shiftHeartImage().has_value();
    if (selector == "shareMessage") return shareMessage().has_value();
    if (selector == "heartImageColor") return heartImageColor().has_value();
    if (selector == "tintNavigationTitleText") return tintNavigationTitleText().has_value();
    if (selector == "tintSwitches") return tintSwitches().has_value();
    if (selector == "tintColor") return tintColor().has_value();
    if (selector == "navigationTintColor") return navigationTintColor().has_value();
    if (selector == "navigationTitleTintColor") return navigationTitleTintColor().has_value();
    if (selector == "switchTintColor") return switchTintColor().has_value();
    if (selector == "switchOnTintColor") return switchOnTintColor().has_value();
    if (selector == "headerImage") return headerImage().has_value();
    if (selector == "headerText") return headerText().has_value();
    if (selector == "headerSubText") return headerSubText().has_value();
    if (selector == "headerView") return headerView().has_value();
    if (selector == "headerColor") return headerColor().has_value();
    return std::nullopt;
}
