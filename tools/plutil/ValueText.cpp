#include "ValueText.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <strings.h>

#include "Encodings.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "plist/PlistText.h"

namespace plutil {
namespace {

bool isOneOf(const std::string& text, std::initializer_list<const char*> words) {
    for (const char* word : words)
        if (::strcasecmp(text.c_str(), word) == 0) return true;
    return false;
}

}  // namespace

Ref<NSObject> valueFromText(std::string_view type, const std::string& text, std::string& problem) {
    char* end = nullptr;
    errno = 0;
    if (type == "bool") {
        if (isOneOf(text, {"true", "yes", "1"})) return NSNumber::numberWithBool(true);
        if (isOneOf(text, {"false", "no", "0"})) return NSNumber::numberWithBool(false);
        problem = "'" + text + "' is not a bool (true, false, YES, NO, 1 or 0)";
    } else if (type == "integer") {
        const long long n = std::strtoll(text.c_str(), &end, 10);
        if (!text.empty() && *end == '\0' && errno == 0) return NSNumber::numberWithInteger(n);
        problem = "'" + text + "' is not a 64-bit integer";
    } else if (type == "float") {
        const double d = std::strtod(text.c_str(), &end);
        if (!text.empty() && *end == '\0' && errno == 0 && std::isfinite(d)) return NSNumber::numberWithDouble(d);
        problem = "'" + text + "' is not a finite number";
    } else if (type == "string") {
        if (plist::text::isValidUTF8(text)) return NSString::string(text);
        problem = "the string is not valid UTF-8";
    } else if (type == "date") {
        if (auto date = fromIsoDate(text)) return make<NSDate>(*date);
        problem = "'" + text + "' is not a date YYYY-MM-DDTHH:MM:SSZ from 0001-01-01T00:00:00Z to 9999-12-31T23:59:59Z";
    } else if (type == "data") {
        if (auto bytes = fromBase64(text)) return make<NSData>(std::move(*bytes));
        problem = "'" + text + "' is not base64";
    } else if (type == "array") {
        return make<NSMutableArray>();
    } else if (type == "dictionary") {
        return make<NSMutableDictionary>();
    } else {
        problem = "unknown value type '" + std::string(type) + "'";
    }
    return nullptr;
}

}  // namespace plutil
