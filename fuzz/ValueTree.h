#pragma once
// Value trees of the kinds a property list holds, shaped by fuzz bytes, and their comparison.

#include <string>
#include <vector>

#include "FuzzInput.h"
#include "Foundation/NSDictionary.h"

namespace fuzzing {

struct TreeShape {
    // Strings and keys are mostly drawn from these words, so that a reader of known keys meets them;
    // with none, every string is arbitrary text.
    std::vector<std::string> words;
    int maxDepth = 6;
    size_t maxNodes = 200;
};

// A dictionary, array, string, number (boolean, integer, real), data or date. Strings are valid
// UTF-8 without U+0000, as every writer on the device is given.
Ref<NSObject> buildTree(FuzzInput& in, const TreeShape& shape);
// A dictionary of such values.
Ref<NSDictionary> buildDictionary(FuzzInput& in, const TreeShape& shape);

// Deep equality: same kinds, same values (a NaN equals a NaN), dates to the microsecond.
bool sameTree(const NSObject* a, const NSObject* b);

}  // namespace fuzzing
