#pragma once
// Where the build stages the bundle and where its sources live, fixed when the tests are configured.

#include <string>

namespace resources {

inline std::string bundleDir() { return CORVANE_BUNDLE_DIR; }
inline std::string deviceFiles() { return CORVANE_DEVICE_FILES_DIR; }
inline std::string loaderEntry() { return deviceFiles() + "/Library/PreferenceLoader/Preferences/Corvane.plist"; }
inline std::string sourceDir() { return CORVANE_RESOURCE_SOURCES; }
inline std::string tool() { return CORVANE_RESOURCE_TOOL; }

}  // namespace resources
