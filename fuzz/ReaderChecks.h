#pragma once
// What the reader targets ask of every input: one encoding's reader returns at once, whatever the
// bytes, and agrees with the other readings of them.

#include <string_view>

#include "objc/runtime.h"

namespace fuzzing {

using Reader = Ref<NSObject> (*)(std::string_view bytes);

// Reads `bytes` with `read` (the reader of one encoding) and checks that parse, which picks the
// reader itself, agrees when `itsEncoding`; that the dictionary lookups the hooks use see what the
// full read sees; and that both writers write the value so that it reads back the same. Values
// whose shared parts would expand past a few thousand nodes are only read: written out, or compared,
// every reference becomes a copy.
void checkReader(std::string_view bytes, Reader read, bool itsEncoding);

}  // namespace fuzzing
