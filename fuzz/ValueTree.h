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
// UTF-8 without U+0000, as every writer on the device is given; dates are whole seconds.
Ref<NSObject> buildTree(FuzzInput& in, const TreeShape& shape);
// A dictionary of such values.
Ref<NSDictionary> buildDictionary(FuzzInput& in, const TreeShape& shape);

// What an encoding, as libplist writes it, keeps of a tree. Binary keeps dates to the microsecond;
// XML keeps whole seconds (the writer truncates toward zero), and a carriage return, written bare,
// reads back as a line feed, as XML reads every line end.
enum class Written { Binary, XML };

// Deep equality of what was written (`a`) and what was read back (`b`): same kinds, same values (a
// NaN equals a NaN, zero its negative, as the XML writer has no sign for zero), as far as the
// encoding keeps them.
bool sameTree(const NSObject* a, const NSObject* b, Written encoding = Written::Binary);

}  // namespace fuzzing
