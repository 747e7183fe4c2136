#pragma once
// A streaming JSON builder for the hosts' one-line reports and events. The text always comes from
// nlohmann's serializer, so it is valid JSON and valid UTF-8 whatever the input: bytes that are not
// UTF-8 become U+FFFD, and numbers are written exactly (shortest text that reads back the same).

#include <memory>
#include <string>
#include <string_view>

namespace json {

class Writer {
public:
    Writer();
    ~Writer();
    Writer(Writer&&) noexcept;
    Writer& operator=(Writer&&) noexcept;

    Writer& beginObject();
    Writer& endObject();
    Writer& beginArray();
    Writer& endArray();
    Writer& key(std::string_view name);
    Writer& string(std::string_view text);
    Writer& boolean(bool value);
    Writer& integer(long long value);
    Writer& unsignedInteger(unsigned long long value);
    // Exact; a whole number prints without a fraction ("1", not "1.0"); NaN and infinities as null,
    // which JSON cannot carry.
    Writer& number(double value);
    Writer& null();

    // The text of the value built so far, containers still open closed as they stand.
    std::string str() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// A string as a JSON string literal, invalid UTF-8 replaced.
std::string quoted(std::string_view text);

}  // namespace json
