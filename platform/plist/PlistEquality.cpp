// Value equality of property lists, for checking that what was written reads back the same.

#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "plist/PropertyList.h"

namespace plist {
namespace {

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Compares two values without their members; pushes member pairs still to compare.
bool sameShallow(const NSObject* a, const NSObject* b, std::vector<std::pair<const NSObject*, const NSObject*>>& pending) {
    if (auto* x = objc_cast<NSString>(a)) {
        auto* y = objc_cast<NSString>(b);
        return y && x->str() == y->str();
    }
    if (auto* x = objc_cast<NSNumber>(a)) {
        auto* y = objc_cast<NSNumber>(b);
        if (!y || x->kind() != y->kind()) return false;
        return x->kind() == NSNumber::Kind::Real ? sameBits(x->doubleValue(), y->doubleValue())
                                                 : x->value().isEqualTo(y->value());
    }
    if (auto* x = objc_cast<NSData>(a)) {
        auto* y = objc_cast<NSData>(b);
        return y && x->bytes() == y->bytes();
    }
    if (auto* x = objc_cast<NSDate>(a)) {
        // Dates are written to the microsecond.
        auto* y = objc_cast<NSDate>(b);
        return y && std::fabs(x->timeIntervalSinceReferenceDate() - y->timeIntervalSinceReferenceDate()) < 1e-6;
    }
    if (auto* x = objc_cast<NSArray>(a)) {
        auto* y = objc_cast<NSArray>(b);
        if (!y || x->count() != y->count()) return false;
        for (size_t i = 0; i < x->count(); ++i) pending.emplace_back(x->objectAtIndex(i), y->objectAtIndex(i));
        return true;
    }
    if (auto* x = objc_cast<NSDictionary>(a)) {
        auto* y = objc_cast<NSDictionary>(b);
        if (!y || x->count() != y->count()) return false;
        for (const auto& [key, value] : *x) {
            const NSObject* other = y->objectForKey(key);
            if (!other) return false;
            pending.emplace_back(value.get(), other);
        }
        return true;
    }
    return false;
}

}  // namespace

bool sameValue(const NSObject* a, const NSObject* b) {
    std::vector<std::pair<const NSObject*, const NSObject*>> pending{{a, b}};
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        if (x == y) continue;
        if (!x || !y || !sameShallow(x, y, pending)) return false;
    }
    return true;
}

}  // namespace plist
