#pragma once
// A small streaming JSON writer for the hosts' one-line reports and events.

#include <string>
#include <string_view>
#include <vector>

namespace json {

class Writer {
public:
    Writer& beginObject();
    Writer& endObject();
    Writer& beginArray();
    Writer& endArray();
    Writer& key(std::string_view name);
    Writer& string(std::string_view text);
    Writer& boolean(bool value);
    Writer& integer(long long value);
    // Rounded to `decimals` places, without trailing zeros ("0.5", "1", "0.478431").
    Writer& number(double value, int decimals = 6);
    Writer& null();
    // Inserts already-encoded JSON as one value.
    Writer& raw(std::string_view encoded);

    const std::string& str() const { return out_; }

private:
    void separate();
    std::string out_;
    std::vector<bool> first_;  // per open container: no element written yet
    bool afterKey_ = false;
};

std::string quoted(std::string_view text);

}  // namespace json
