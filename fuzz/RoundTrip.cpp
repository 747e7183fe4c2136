// Value trees shaped by the fuzz bytes, written by libplist in both encodings: the readers give the
// same tree back, and the lookups the hooks use find its keys.

#include <cstdint>

#include "Check.h"
#include "ReaderChecks.h"
#include "ValueTree.h"
#include "plist/PropertyList.h"

namespace {

const fuzzing::TreeShape& shape() {
    static const fuzzing::TreeShape trees{{"enabled", "kVoice", "fgc", "Filter", "Bundles", "$version", "", "é"}, 8, 300};
    return trees;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::FuzzInput in(data, size);
    const Ref<NSObject> tree = fuzzing::buildTree(in, shape());
    for (const auto format : {plist::Format::Binary, plist::Format::XML}) {
        const auto written = plist::serialize(tree, format);
        fuzzing::require(written.has_value(), "the writer writes every tree of property-list values");
        const bool binary = format == plist::Format::Binary;
        const Ref<NSObject> back = binary ? plist::parseBinary(*written) : plist::parseXML(*written);
        fuzzing::require(fuzzing::sameTree(tree, back, binary ? fuzzing::Written::Binary : fuzzing::Written::XML),
                         "what libplist wrote reads back as the same tree");
        fuzzing::checkReader(*written, binary ? plist::parseBinary : plist::parseXML, true);
    }
    return 0;
}
