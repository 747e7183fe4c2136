// The binary property-list reader on arbitrary bytes.

#include <cstdint>
#include <string_view>

#include "ReaderChecks.h"
#include "plist/PropertyList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzzing::checkReader(bytes, plist::parseBinary, bytes.starts_with("bplist"));
    return 0;
}
