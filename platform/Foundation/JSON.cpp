#include "Foundation/JSON.h"

#include <cmath>
#include <cstdio>

namespace json {

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

void Writer::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += ',';
        first_.back() = false;
    }
}

Writer& Writer::beginObject() {
    separate();
    out_ += '{';
    first_.push_back(true);
    return *this;
}

Writer& Writer::endObject() {
    out_ += '}';
    first_.pop_back();
    return *this;
}

Writer& Writer::beginArray() {
    separate();
    out_ += '[';
    first_.push_back(true);
    return *this;
}

Writer& Writer::endArray() {
    out_ += ']';
    first_.pop_back();
    return *this;
}

Writer& Writer::key(std::string_view name) {
    separate();
    out_ += quoted(name);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

Writer& Writer::string(std::string_view text) {
    separate();
    out_ += quoted(text);
    return *this;
}

Writer& Writer::boolean(bool value) {
    separate();
    out_ += value ? "true" : "false";
    return *this;
}

Writer& Writer::integer(long long value) {
    separate();
    out_ += std::to_string(value);
    return *this;
}

Writer& Writer::number(double value, int decimals) {
    separate();
    if (!std::isfinite(value)) {
        out_ += "null";  // JSON has no NaN or infinity
        return *this;
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    std::string text = buf;
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    out_ += text;
    return *this;
}

Writer& Writer::null() {
    separate();
    out_ += "null";
    return *this;
}

Writer& Writer::raw(std::string_view encoded) {
    separate();
    out_ += encoded;
    return *this;
}

}  // namespace json
