#include "FuzzInput.h"

namespace fuzzing {

uint8_t FuzzInput::byte() { return empty() ? 0 : bytes_[pos_++]; }

uint64_t FuzzInput::word() {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value |= uint64_t(byte()) << (8 * i);
    return value;
}

std::string FuzzInput::bytes(size_t maxBytes) {
    const size_t length = below(maxBytes + 1);
    std::string out;
    while (out.size() < length && !empty()) out.push_back(static_cast<char>(byte()));
    return out;
}

std::string_view FuzzInput::rest() {
    if (empty()) return {};
    const std::string_view out(reinterpret_cast<const char*>(bytes_.data()) + pos_, bytes_.size() - pos_);
    pos_ = bytes_.size();
    return out;
}

}  // namespace fuzzing
