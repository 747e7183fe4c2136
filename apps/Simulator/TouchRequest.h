#pragma once
// The body of a click on the Settings screen: {"x": X, "y": Y} in points of the whole-page picture.

#include <string>
#include <string_view>
#include <variant>

namespace simulator {

struct TouchPoint {
    double x = 0, y = 0;
};

// The point, or what is wrong with the body. `pageHeight` bounds y (the picture's height in points).
std::variant<TouchPoint, std::string> parseTouchBody(std::string_view body, double pageHeight);

// The Settings command for the point: "touch X Y", at most one decimal each.
std::string touchCommand(const TouchPoint& point);

}  // namespace simulator
