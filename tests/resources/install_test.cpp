// Installing the device component lays the bundle and the entry out where the Settings app and
// PreferenceLoader look for them, byte for byte as staged in the build tree, and the tweak where the
// Phone app loads it without the build tree's search path.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "DeviceRoot.h"
#include "ResourcePaths.h"

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(DeviceInstall, PlacesTheBundleAndTheEntryUnderTheDeviceRoot) {
    testing_support::DeviceRoot root;
    const auto result = testing_support::run({CORVANE_CMAKE_COMMAND, "--install", CORVANE_BUILD_TREE, "--component",
                                              "device", "--prefix", root.path()});
    ASSERT_EQ(result.status, 0) << result.out << result.err;

    const fs::path staged = resources::deviceFiles();
    const fs::path bundle = fs::path(resources::bundleDir());
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(bundle)) {
        if (!entry.is_regular_file()) continue;
        const std::string devicePath = "/" + fs::relative(entry.path(), staged).string();
        SCOPED_TRACE(devicePath);
        ASSERT_TRUE(root.exists(devicePath));
        // Code is relinked on install (its build-tree search path is dropped); resources are copied.
        const std::string type = entry.path().extension().string();
        if (type == ".png" || type == ".plist" || type == ".strings") {
            EXPECT_EQ(root.readFile(devicePath), contents(entry.path()));
            ++checked;
        }
    }
    // Nine pictures at two scales, two strings tables and Info.plist at the least.
    EXPECT_GE(checked, 21);
    const std::string entry = "/Library/PreferenceLoader/Preferences/Corvane.plist";
    ASSERT_TRUE(root.exists(entry));
    EXPECT_EQ(root.readFile(entry), contents(resources::loaderEntry()));
}

TEST(DeviceInstall, TheInstalledTweakLoadsIntoThePhoneApp) {
    testing_support::DeviceRoot root;
    const auto installed = testing_support::run({CORVANE_CMAKE_COMMAND, "--install", CORVANE_BUILD_TREE, "--component",
                                                 "device", "--prefix", root.path()});
    ASSERT_EQ(installed.status, 0) << installed.out << installed.err;
    const auto report = testing_support::run({std::string(CORVANE_BUILD_TREE) + "/bin/MobilePhone", "--root", root.path(),
                                              "--report"});
    ASSERT_EQ(report.status, 0) << report.err;
    EXPECT_NE(report.out.find(R"("loaded":["Corvane.dylib"])"), std::string::npos) << report.out.substr(0, 200) << report.err;
    EXPECT_EQ(report.err, "");
}

}  // namespace
