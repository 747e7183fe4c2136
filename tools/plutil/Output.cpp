#include "Output.h"

#include "Encodings.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "JSONValue.h"
#include "plist/PropertyList.h"

namespace plutil {
namespace {

constexpr size_t kShownDataBytes = 32;

// One value with no container in it, as raw output and the readable listing show it.
std::optional<std::string> scalarText(const NSObject* value, std::string& problem) {
    if (auto* string = objc_cast<NSString>(value)) return string->str();
    if (auto* data = objc_cast<NSData>(value)) return base64(data->bytes());
    if (objc_cast<NSArray>(value) || objc_cast<NSDictionary>(value)) {
        problem = "raw output holds one value, not an array or a dictionary";
        return std::nullopt;
    }
    auto json = jsonValue(value, problem);  // numbers, booleans and dates read the same as in JSON
    if (!json) return std::nullopt;
    return json->is_string() ? json->get<std::string>() : jsonText(*json);
}

std::string dataSummary(const NSData& data) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text = "{length = " + std::to_string(data.length()) + ", bytes = 0x";
    for (size_t i = 0; i < std::min(data.length(), kShownDataBytes); ++i) {
        const auto byte = static_cast<unsigned char>(data.bytes()[i]);
        text += kHex[byte >> 4];
        text += kHex[byte & 15];
    }
    return text + (data.length() > kShownDataBytes ? "...}" : "}");
}

void appendReadable(const NSObject* value, const std::string& indent, std::string& out) {
    if (auto* array = objc_cast<NSArray>(value)) {
        out += "[\n";
        for (size_t i = 0; i < array->count(); ++i) {
            out += indent + "  " + std::to_string(i) + " => ";
            appendReadable(array->objectAtIndex(i), indent + "  ", out);
        }
        out += indent + "]\n";
    } else if (auto* dictionary = objc_cast<NSDictionary>(value)) {
        out += "{\n";
        for (const auto& [key, item] : *dictionary) {
            out += indent + "  " + jsonText(key) + " => ";
            appendReadable(item, indent + "  ", out);
        }
        out += indent + "}\n";
    } else if (auto* string = objc_cast<NSString>(value)) {
        out += jsonText(string->str()) + "\n";
    } else if (auto* data = objc_cast<NSData>(value)) {
        out += dataSummary(*data) + "\n";
    } else {
        std::string problem;
        out += scalarText(value, problem).value_or("<" + problem + ">") + "\n";
    }
}

}  // namespace

std::optional<OutputFormat> outputFormat(std::string_view name) {
    if (name == "xml1") return OutputFormat::XML;
    if (name == "binary1") return OutputFormat::Binary;
    if (name == "json") return OutputFormat::JSON;
    if (name == "raw") return OutputFormat::Raw;
    return std::nullopt;
}

std::optional<std::string> encode(const NSObject* value, OutputFormat format, std::string& problem) {
    switch (format) {
        case OutputFormat::XML:
        case OutputFormat::Binary: {
            auto bytes = plist::serialize(value, format == OutputFormat::XML ? plist::Format::XML : plist::Format::Binary);
            if (!bytes) problem = "the value cannot be written as a property list";
            return bytes;
        }
        case OutputFormat::JSON: {
            auto json = jsonValue(value, problem);
            if (!json) return std::nullopt;
            return jsonText(*json) + "\n";
        }
        case OutputFormat::Raw: {
            auto text = scalarText(value, problem);
            if (!text) return std::nullopt;
            return *text + "\n";
        }
    }
    return std::nullopt;
}

std::string readable(const NSObject* value) {
    std::string out;
    appendReadable(value, "", out);
    return out;
}

}  // namespace plutil
