#include "ReportFields.h"

namespace testing_support {

std::string jsonField(const std::string& json, const std::string& field, size_t from) {
    const std::string needle = "\"" + field + "\":";
    const size_t start = json.find(needle, from);
    if (start == std::string::npos) return "";
    size_t i = start + needle.size();
    const size_t begin = i;
    int depth = 0;
    bool inString = false;
    for (; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
            continue;
        }
        if (c == '"') inString = true;
        else if (c == '[' || c == '{') ++depth;
        else if (c == ']' || c == '}') {
            if (depth == 0) break;
            --depth;
        } else if (c == ',' && depth == 0) break;
    }
    return json.substr(begin, i - begin);
}

std::string messageField(const std::string& report, const std::string& selector, const std::string& field) {
    const size_t at = report.find("\"selector\":\"" + selector + "\"");
    if (at == std::string::npos) return "";
    return jsonField(report, field, at);
}

}  // namespace testing_support
