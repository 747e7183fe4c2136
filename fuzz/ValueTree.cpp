#include "ValueTree.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"

namespace fuzzing {
namespace {

void appendUTF8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Mostly ASCII, with every plane reachable; surrogates and U+0000 are not characters a writer takes.
char32_t character(FuzzInput& in) {
    const uint8_t first = in.byte();
    if (first < 0xF0) return first % 0x7F + 1;
    char32_t c = static_cast<char32_t>((uint32_t(in.byte()) << 8 | in.byte()) | uint32_t(first & 0x0F) << 16);
    if (c > 0x10FFFF) c %= 0x110000;
    if (c == 0 || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    return c;
}

class Builder {
public:
    Builder(FuzzInput& in, const TreeShape& shape) : in_(in), shape_(shape) {}

    Ref<NSObject> value(int depth) {
        ++nodes_;
        const bool leafOnly = depth >= shape_.maxDepth || nodes_ >= shape_.maxNodes;
        switch (in_.below(leafOnly ? 6 : 8)) {
            case 0: return NSString::string(text());
            case 1: return NSNumber::numberWithInteger(static_cast<long long>(in_.word()));
            case 2: return NSNumber::numberWithDouble(real());
            case 3: return NSNumber::numberWithBool(in_.byte() & 1);
            case 4: return make<NSData>(in_.bytes(64));
            case 5: return make<NSDate>(date());
            case 6: {
                std::vector<Ref<NSObject>> items;
                for (size_t n = in_.below(6); n > 0 && !in_.empty(); --n) items.push_back(value(depth + 1));
                return make<NSArray>(std::move(items));
            }
            default: return dictionary(depth);
        }
    }

    Ref<NSDictionary> dictionary(int depth) {
        NSDictionary::Storage entries;
        for (size_t n = in_.below(8); n > 0 && !in_.empty(); --n) {
            std::string key = text();
            entries[key] = value(depth + 1);
        }
        return make<NSDictionary>(std::move(entries));
    }

private:
    std::string text() {
        const uint8_t pick = in_.byte();
        if (!shape_.words.empty() && pick < 0xC0) return shape_.words[pick % shape_.words.size()];
        std::string out;
        for (size_t n = in_.below(24); n > 0 && !in_.empty(); --n) appendUTF8(out, character(in_));
        return out;
    }

    double real() {
        const uint64_t bits = in_.word();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }

    // Within the years the writer stores (32-bit seconds).
    double date() {
        const auto seconds = static_cast<int64_t>(in_.word() % 4'000'000'000ULL) - 2'000'000'000LL;
        return static_cast<double>(seconds);
    }

    FuzzInput& in_;
    const TreeShape& shape_;
    size_t nodes_ = 0;
};

std::string asXMLReadsIt(std::string text) {
    for (size_t i = text.find('\r'); i != std::string::npos; i = text.find('\r', i)) {
        if (i + 1 < text.size() && text[i + 1] == '\n')
            text.erase(i, 1);
        else
            text[i] = '\n';
    }
    return text;
}

bool sameText(const std::string& written, const std::string& read, Written encoding) {
    return encoding == Written::XML ? asXMLReadsIt(written) == read : written == read;
}

bool sameNumber(const NSNumber& a, const NSNumber& b) {
    if (a.kind() != b.kind()) return false;
    switch (a.kind()) {
        case NSNumber::Kind::Boolean: return a.boolValue() == b.boolValue();
        case NSNumber::Kind::Integer: return a.value().isEqualTo(b.value());
        case NSNumber::Kind::Real: {
            const double x = a.doubleValue(), y = b.doubleValue();
            return x == y || (std::isnan(x) && std::isnan(y));
        }
    }
    return false;
}

}  // namespace

Ref<NSObject> buildTree(FuzzInput& in, const TreeShape& shape) { return Builder(in, shape).value(0); }

Ref<NSDictionary> buildDictionary(FuzzInput& in, const TreeShape& shape) { return Builder(in, shape).dictionary(0); }

bool sameTree(const NSObject* a, const NSObject* b, Written encoding) {
    if (!a || !b) return a == b;
    if (auto* s = objc_cast<NSString>(a)) {
        auto* t = objc_cast<NSString>(b);
        return t && sameText(s->str(), t->str(), encoding);
    }
    if (auto* n = objc_cast<NSNumber>(a)) {
        auto* m = objc_cast<NSNumber>(b);
        return m && sameNumber(*n, *m);
    }
    if (auto* d = objc_cast<NSData>(a)) {
        auto* e = objc_cast<NSData>(b);
        return e && d->bytes() == e->bytes();
    }
    if (auto* d = objc_cast<NSDate>(a)) {
        auto* e = objc_cast<NSDate>(b);
        if (!e) return false;
        const double written = d->timeIntervalSinceReferenceDate();
        const double expected = encoding == Written::XML ? std::trunc(written) : written;
        const double read = e->timeIntervalSinceReferenceDate();
        return expected == read || (std::isnan(expected) && std::isnan(read)) || std::fabs(expected - read) < 2e-6;
    }
    if (auto* x = objc_cast<NSArray>(a)) {
        auto* y = objc_cast<NSArray>(b);
        if (!y || x->count() != y->count()) return false;
        for (size_t i = 0; i < x->count(); ++i)
            if (!sameTree(x->objectAtIndex(i), y->objectAtIndex(i), encoding)) return false;
        return true;
    }
    if (auto* x = objc_cast<NSDictionary>(a)) {
        auto* y = objc_cast<NSDictionary>(b);
        if (!y) return false;
        // Keys that differ only in their line ends may be one key to XML: where a carriage return is
        // among the keys, those with line ends are judged only by number.
        auto hasLineEnd = [](const std::string& key) { return key.find_first_of("\r\n") != std::string::npos; };
        const bool lineEnds = encoding == Written::XML &&
                              std::any_of(x->begin(), x->end(), [](const auto& e) { return e.first.find('\r') != std::string::npos; });
        if (lineEnds ? y->count() > x->count() : y->count() != x->count()) return false;
        for (const auto& [key, value] : *x)
            if ((!lineEnds || !hasLineEnd(key)) && !sameTree(value, y->objectForKey(key), encoding)) return false;
        return true;
    }
    return false;
}

}  // namespace fuzzing
