#include "JSONValue.h"

#include <cmath>

#include "Encodings.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"

namespace plutil {

std::optional<nlohmann::json> jsonValue(const NSObject* value, std::string& problem) {
    if (auto* string = objc_cast<NSString>(value)) return nlohmann::json(string->str());
    if (auto* number = objc_cast<NSNumber>(value)) {
        switch (number->kind()) {
            case NSNumber::Kind::Boolean: return nlohmann::json(number->boolValue());
            case NSNumber::Kind::Integer:
                if (number->isUnsigned()) return nlohmann::json(number->value().unsignedLongLongValue());
                return nlohmann::json(number->longLongValue());
            case NSNumber::Kind::Real: break;
        }
        if (std::isfinite(number->doubleValue())) return nlohmann::json(number->doubleValue());
        problem = "JSON has no number " + number->description();
        return std::nullopt;
    }
    if (auto* data = objc_cast<NSData>(value)) return nlohmann::json(base64(data->bytes()));
    if (auto* date = objc_cast<NSDate>(value)) {
        if (auto text = isoDate(date->timeIntervalSinceReferenceDate())) return nlohmann::json(*text);
        problem = "a date lies beyond the years ISO 8601 text spells";
        return std::nullopt;
    }
    if (auto* array = objc_cast<NSArray>(value)) {
        nlohmann::json items = nlohmann::json::array();
        for (const auto& item : *array) {
            auto converted = jsonValue(item, problem);
            if (!converted) return std::nullopt;
            items.push_back(std::move(*converted));
        }
        return items;
    }
    if (auto* dictionary = objc_cast<NSDictionary>(value)) {
        nlohmann::json entries = nlohmann::json::object();
        for (const auto& [key, item] : *dictionary) {
            auto converted = jsonValue(item, problem);
            if (!converted) return std::nullopt;
            entries[key] = std::move(*converted);
        }
        return entries;
    }
    problem = "a value of no property-list kind";
    return std::nullopt;
}

std::string jsonText(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace plutil
