#include "device/JSON.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <vector>

namespace json {
namespace {

// Keys keep the order they were written in.
using Value = nlohmann::ordered_json;

std::string dump(const Value& value) { return value.dump(-1, ' ', false, Value::error_handler_t::replace); }

// 2^53: every whole number up to here is exact in a double and in a 64-bit integer.
constexpr double kExactWholeLimit = 9007199254740992.0;

}  // namespace

struct Writer::State {
    Value root;
    std::vector<Value*> open;  // the containers being filled, innermost last
    std::string pendingKey;
    bool haveKey = false;
    bool haveRoot = false;

    // Where the next value goes: the root, the open object under the pending key, or the end of the
    // open array. Only closed containers move when their parent grows, so `open` stays valid.
    Value& slot() {
        if (open.empty()) {
            haveRoot = true;
            return root;
        }
        Value& container = *open.back();
        if (!container.is_object()) {
            container.push_back(nullptr);
            return container.back();
        }
        // A value without a key in an object is a caller's slip; it is kept under "".
        Value& member = container[haveKey ? pendingKey : std::string()];
        haveKey = false;
        return member;
    }

    void add(Value value) { slot() = std::move(value); }

    void begin(Value empty) {
        Value& place = slot();
        place = std::move(empty);
        open.push_back(&place);
    }

    void end() {
        if (!open.empty()) open.pop_back();
    }
};

Writer::Writer() : state_(std::make_unique<State>()) {}
Writer::~Writer() = default;
Writer::Writer(Writer&&) noexcept = default;
Writer& Writer::operator=(Writer&&) noexcept = default;

Writer& Writer::beginObject() {
    state_->begin(Value::object());
    return *this;
}

Writer& Writer::endObject() {
    state_->end();
    return *this;
}

Writer& Writer::beginArray() {
    state_->begin(Value::array());
    return *this;
}

Writer& Writer::endArray() {
    state_->end();
    return *this;
}

Writer& Writer::key(std::string_view name) {
    state_->pendingKey = std::string(name);
    state_->haveKey = true;
    return *this;
}

Writer& Writer::string(std::string_view text) {
    state_->add(Value(std::string(text)));
    return *this;
}

Writer& Writer::boolean(bool value) {
    state_->add(Value(value));
    return *this;
}

Writer& Writer::integer(long long value) {
    state_->add(Value(static_cast<std::int64_t>(value)));
    return *this;
}

Writer& Writer::unsignedInteger(unsigned long long value) {
    state_->add(Value(static_cast<std::uint64_t>(value)));
    return *this;
}

Writer& Writer::number(double value) {
    if (!std::isfinite(value))
        state_->add(Value(nullptr));
    else if (value == std::trunc(value) && std::fabs(value) <= kExactWholeLimit)
        state_->add(Value(static_cast<std::int64_t>(value)));  // also turns -0 into 0
    else
        state_->add(Value(value));
    return *this;
}

Writer& Writer::null() {
    state_->add(Value(nullptr));
    return *this;
}

std::string Writer::str() const { return state_->haveRoot ? dump(state_->root) : std::string(); }

std::string quoted(std::string_view text) { return dump(Value(std::string(text))); }

}  // namespace json
