#pragma once
// Test fixtures: a scratch device root, the built product installed into it, preference files in
// either encoding, and child processes run with their output captured.

#include <map>
#include <string>
#include <vector>

#include "objc/runtime.h"
#include "plist/PropertyList.h"

namespace testing_support {

// Paths of build outputs, fixed when the tests are configured.
struct Built {
    static std::string mobilePhone();
    static std::string hookLibrary();
    static std::string hookFilter();
    static std::string binDirectory();
    static std::string deviceFiles();  // the build tree's staged device files (Library/...)
};

class DeviceRoot {
public:
    DeviceRoot();
    ~DeviceRoot();
    DeviceRoot(const DeviceRoot&) = delete;
    DeviceRoot& operator=(const DeviceRoot&) = delete;

    const std::string& path() const { return path_; }
    // The host path of a device path inside this root.
    std::string operator/(const std::string& devicePath) const { return path_ + devicePath; }

    void installHookLibrary() const;
    // Copies a file of the build tree into the root (directories created).
    void copyFile(const std::string& from, const std::string& devicePath) const;
    void writeFile(const std::string& devicePath, const std::string& bytes) const;
    std::string readFile(const std::string& devicePath) const;
    bool exists(const std::string& devicePath) const;

    // Writes the Corvane preference file from a plist value tree.
    void writePreferences(const NSObject* dictionary, plist::Format format = plist::Format::Binary) const;
    void removePreferences() const;

private:
    std::string path_;
};

struct ProcessResult {
    int status = -1;  // exit status, or 128 + signal
    std::string out;
    std::string err;
};

// Runs `argv` with `input` on its standard input and extra environment variables; waits for it.
ProcessResult run(const std::vector<std::string>& argv, const std::string& input = "",
                  const std::map<std::string, std::string>& environment = {});

}  // namespace testing_support
