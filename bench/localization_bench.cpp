// One localised row title as a page asks for it: the device's languages read afresh, then a lookup in
// the bundle's parsed table; against the table lookup alone.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "Foundation/NSArray.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSLocale.h"
#include "ScratchRoot.h"
#include "device/AtomicFile.h"
#include "device/DevicePath.h"
#include "plist/PropertyList.h"

namespace {

// A scratch device with a language preference and a bundle whose English table holds 40 titles.
struct LocalizedBundle : ScratchRoot {
    LocalizedBundle() {
        const std::string& root = path;
        auto languages = NSDictionary::dictionaryWithObjectsAndKeys(
            {{"AppleLanguages", NSArray::arrayWithObjects({NSString::string("de"), NSString::string("en")})}});
        device::writeFileAtomically(root + device::kGlobalPreferencesPath, *plist::serialize(languages, plist::Format::Binary));
        NSDictionary::Storage titles;
        for (int i = 0; i < 40; ++i) titles["Title " + std::to_string(i)] = NSString::string("Titel " + std::to_string(i));
        device::writeFileAtomically(root + "/Test.bundle/en.lproj/Localizable.strings",
                                    *plist::serialize(make<NSDictionary>(std::move(titles)), plist::Format::Binary));
        bundle = NSBundle::bundleWithPath(root + "/Test.bundle");
    }
    NSBundle* bundle = nullptr;
};

}  // namespace

static void BM_LocalizedRowTitle(benchmark::State& state) {
    LocalizedBundle device;
    for (auto _ : state) benchmark::DoNotOptimize(device.bundle->localizedString("Title 17"));
}
BENCHMARK(BM_LocalizedRowTitle);

static void BM_DeviceLanguagesRead(benchmark::State& state) {
    LocalizedBundle device;
    for (auto _ : state) benchmark::DoNotOptimize(NSLocale::preferredLanguages());
}
BENCHMARK(BM_DeviceLanguagesRead);
