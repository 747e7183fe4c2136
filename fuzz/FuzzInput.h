#pragma once
// Fuzz bytes read as a stream of small decisions. Reading past the end gives zeros, so every input,
// however short, makes a complete value.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace fuzzing {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : bytes_(data, size) {}

    bool empty() const { return pos_ >= bytes_.size(); }
    uint8_t byte();
    // Eight bytes, little-endian.
    uint64_t word();
    // A number below `bound` (bound > 0).
    size_t below(size_t bound) { return byte() % bound; }
    // Up to `maxBytes` raw bytes, the length taken first.
    std::string bytes(size_t maxBytes);
    // The rest of the input, as it stands.
    std::string_view rest();

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

}  // namespace fuzzing
