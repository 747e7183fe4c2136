#pragma once
// Binary property lists put together object by object, for inputs no writer would make: broken
// references, cycles, shared members, odd markers.

#include <cstdint>
#include <string>
#include <vector>

class BinaryBuilder {
public:
    explicit BinaryBuilder(size_t refSize = 1) : refSize_(refSize) {}

    // Adds an encoded object (marker and payload); its number.
    size_t add(std::string encoded) {
        objects_.push_back(std::move(encoded));
        return objects_.size() - 1;
    }
    // Replaces an object added before, so that objects can refer forward (or to themselves).
    void set(size_t index, std::string encoded) { objects_[index] = std::move(encoded); }

    std::string ascii(const std::string& s) const { return marker(0x5, s.size()) + s; }
    std::string utf16(const std::vector<uint16_t>& units) const {
        std::string out = marker(0x6, units.size());
        for (uint16_t u : units) out += {static_cast<char>(u >> 8), static_cast<char>(u)};
        return out;
    }
    std::string array(const std::vector<size_t>& refs) const { return marker(0xA, refs.size()) + refList(refs); }
    std::string dict(const std::vector<size_t>& keys, const std::vector<size_t>& values) const {
        return marker(0xD, keys.size()) + refList(keys) + refList(values);
    }
    static std::string integer(uint64_t v, unsigned bytes = 8) {
        std::string out(1, static_cast<char>(0x10 | (bytes == 1 ? 0 : bytes == 2 ? 1 : bytes == 4 ? 2 : bytes == 8 ? 3 : 4)));
        for (unsigned i = bytes; i-- > 0;) out += static_cast<char>(i < 8 ? v >> (8 * i) : 0);
        return out;
    }

    // The whole file; the trailer's fields may be overridden to make it lie.
    std::string bytes(size_t top = 0) const { return file(top, objects_.size()); }
    std::string file(size_t top, uint64_t count, uint8_t offsetSize = 4) const {
        std::string out = "bplist00";
        std::vector<uint64_t> offsets;
        for (const auto& o : objects_) {
            offsets.push_back(out.size());
            out += o;
        }
        const uint64_t table = out.size();
        for (uint64_t off : offsets) out += big(off, offsetSize);
        out += std::string(6, '\0');
        out += static_cast<char>(offsetSize);
        out += static_cast<char>(refSize_);
        out += big(count, 8) + big(top, 8) + big(table, 8);
        return out;
    }

private:
    static std::string big(uint64_t v, size_t n) {
        std::string out;
        for (size_t i = n; i-- > 0;) out += static_cast<char>(i < 8 ? v >> (8 * i) : 0);
        return out;
    }
    static std::string marker(unsigned kind, size_t count) {
        if (count < 15) return std::string(1, static_cast<char>(kind << 4 | count));
        return std::string(1, static_cast<char>(kind << 4 | 0xF)) + integer(count, 8);
    }
    std::string refList(const std::vector<size_t>& refs) const {
        std::string out;
        for (size_t r : refs) out += big(r, refSize_);
        return out;
    }

    size_t refSize_;
    std::vector<std::string> objects_;
};
