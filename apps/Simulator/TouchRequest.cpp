#include "TouchRequest.h"

#include <cmath>
#include <charconv>
#include <tuple>
#include <nlohmann/json.hpp>

namespace simulator {
namespace {

constexpr double kScreenWidth = 320;

}  // namespace

std::variant<TouchPoint, std::string> parseTouchBody(std::string_view body, double pageHeight) {
    const nlohmann::json parsed = nlohmann::json::parse(body, nullptr, false);
    if (parsed.is_discarded()) return std::string("the body is not JSON");
    if (!parsed.is_object()) return std::string("the body must be an object {\"x\": X, \"y\": Y}");
    for (const auto& item : parsed.items())
        if (item.key() != "x" && item.key() != "y") return "unexpected field '" + item.key() + "'";
    TouchPoint point;
    for (auto [name, value, limit] : {std::tuple{"x", &point.x, kScreenWidth}, std::tuple{"y", &point.y, pageHeight}}) {
        const auto found = parsed.find(name);
        if (found == parsed.end() || !found->is_number()) return std::string("'") + name + "' must be a number";
        *value = found->get<double>();
        if (!std::isfinite(*value) || *value < 0 || *value > limit)
            return std::string("'") + name + "' is outside the screen (0 to " + std::to_string(static_cast<int>(limit)) + ")";
    }
    return point;
}

std::string touchCommand(const TouchPoint& point) {
    std::string command = "touch";
    for (double value : {point.x, point.y}) {
        char text[32];
        const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1);
        command.append(" ").append(text, written.ptr);
    }
    return command;
}

}  // namespace simulator
