// The tweak loader's filter matching on arbitrary filter files. The library beside the filter is a
// link to a framework the process already holds, so loading it has no effect and the loader's answer
// can be checked for the cases whose outcome is plain.

#include <dlfcn.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "Check.h"
#include "Foundation/NSArray.h"
#include "ValueTree.h"
#include "device/DevicePath.h"
#include "plist/PropertyList.h"
#include "substrate/substrate.h"

namespace {

using fuzzing::require;
namespace fs = std::filesystem;

const fuzzing::TreeShape& shape() {
    static const fuzzing::TreeShape filters{
        {"Filter", "Bundles", "Executables", "Classes", "CoreFoundationVersion", "Mode", "Any", "All",
         "com.apple.mobilephone", "com.apple.springboard", "MobilePhone", "SpringBoard", "NSObject", "NSString",
         "NoSuchClass", ""},
        4, 80};
    return filters;
}

fs::path& scratchRoot() {
    static fs::path root;
    return root;
}

fs::path filterPath() { return scratchRoot() / "Library/MobileSubstrate/DynamicLibraries/Fuzz.plist"; }

// Whether the loader's answer for this filter file is plain from its top level alone.
enum class Expect { Load, Skip, Either };

Expect expected(const NSObject* root) {
    auto* top = objc_cast<NSDictionary>(root);
    if (!top) return Expect::Skip;
    const NSObject* filter = top->objectForKey("Filter");
    if (!filter) return Expect::Load;
    auto* lists = objc_cast<NSDictionary>(filter);
    if (!lists) return Expect::Skip;  // malformed, as every other unusable filter
    for (const char* key : {"Bundles", "Executables", "Classes", "CoreFoundationVersion"})
        if (objc_cast<NSArray>(lists->objectForKey(key))) return Expect::Either;
    return Expect::Skip;  // a filter with no list it understands matches nothing
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/tmp/corvane-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    scratchRoot() = pattern;
    const fs::path libraries = filterPath().parent_path();
    fs::create_directories(libraries);
    Dl_info self{};
    dladdr(reinterpret_cast<void*>(&objc_getClass), &self);
    fs::create_symlink(fs::absolute(self.dli_fname), libraries / "Fuzz.dylib");
    setenv(device::kRootVariable, pattern, 1);
    atexit([] { fs::remove_all(scratchRoot()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::FuzzInput in(data, size);
    // Most inputs shape a filter, written in either encoding; the rest are the file's bytes as they stand.
    const uint8_t mode = in.byte();
    Ref<NSObject> root;
    std::string bytes;
    if (mode < 0xF0) {
        root = mode < 0xC0 ? NSDictionary::dictionaryWithObjectsAndKeys({{"Filter", fuzzing::buildDictionary(in, shape())}})
                           : fuzzing::buildTree(in, shape());
        const auto written = plist::serialize(root, mode & 1 ? plist::Format::Binary : plist::Format::XML);
        require(written.has_value(), "the writer writes every filter tree");
        bytes = *written;
    } else {
        bytes = in.rest();
        root = plist::parse(bytes);
    }
    std::ofstream(filterPath(), std::ios::binary | std::ios::trunc) << bytes;
    const auto loaded = substrate::loadTweaks("com.apple.mobilephone", "MobilePhone");
    require(loaded.size() <= 1, "one library, loaded once at most");
    const Expect expect = expected(root);
    require(expect == Expect::Either || loaded.empty() == (expect == Expect::Skip),
            "a filter whose top level decides is followed");
    return 0;
}
