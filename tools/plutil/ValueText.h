#pragma once
// The value an -insert or -replace writes, from its type option and the text after it.

#include <string>
#include <string_view>

#include "objc/runtime.h"

namespace plutil {

struct ValueType {
    std::string_view name;  // the option
    std::string_view text;  // what follows it, empty for none
    std::string_view help;
};
inline constexpr ValueType kValueTypes[] = {
    {"bool", "VALUE", "the value is true or false (also YES, NO, 1, 0)"},
    {"integer", "VALUE", "the value is a 64-bit integer"},
    {"float", "VALUE", "the value is a real number"},
    {"string", "VALUE", "the value is text"},
    {"date", "VALUE", "the value is a date, YYYY-MM-DDTHH:MM:SSZ"},
    {"data", "VALUE", "the value is bytes, given in base64"},
    {"array", "", "the value is an empty array"},
    {"dictionary", "", "the value is an empty dictionary"},
};

// Nil with `problem` set when the text is not a value of the type.
Ref<NSObject> valueFromText(std::string_view type, const std::string& text, std::string& problem);

}  // namespace plutil
