#include "PaneDevice.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "Preferences/PreferencesStore.h"
#include "device/DevicePath.h"

namespace {

constexpr const char* kKillallLog = "/var/log/killall.log";

// Notes its arguments and answers as the device's killall does when no process matches.
constexpr const char* kRecordingKillall =
    "#!/bin/sh\n"
    "printf '%s\\n' \"$*\" >> \"$SIMULATOR_ROOT/var/log/killall.log\"\n"
    "exit 1\n";

void remember(const char* name, std::string& value, bool& had) {
    const char* current = std::getenv(name);
    had = current != nullptr;
    if (current) value = current;
}

void restore(const char* name, const std::string& value, bool had) {
    if (had)
        ::setenv(name, value.c_str(), 1);
    else
        ::unsetenv(name);
}

Ref<NSObject> text(const std::string& s) { return NSString::string(s); }

}  // namespace

PaneDevice::PaneDevice() {
    remember(device::kRootVariable, previousRoot_, hadRoot_);
    remember("PATH", previousPath_, hadPath_);
    root_.writeFile("/usr/bin/killall", kRecordingKillall);
    ::chmod((root_ / "/usr/bin/killall").c_str(), 0755);
    root_.writeFile(kKillallLog, "");
    ::setenv(device::kRootVariable, root_.path().c_str(), 1);
    ::setenv("PATH", (root_.path() + "/usr/bin").c_str(), 1);
}

PaneDevice::~PaneDevice() {
    restore(device::kRootVariable, previousRoot_, hadRoot_);
    restore("PATH", previousPath_, hadPath_);
}

std::vector<std::string> PaneDevice::killallRuns() const {
    std::vector<std::string> runs;
    std::istringstream lines(root_.readFile(kKillallLog));
    for (std::string line; std::getline(lines, line);) runs.push_back(line);
    return runs;
}

void PaneDevice::addMailAccount() const {
    auto accounts = NSDictionary::dictionaryWithObjectsAndKeys(
        {{"Accounts", NSArray::arrayWithObjects({text("someone@example.com")})}});
    root_.writeFile("/var/mobile/Library/Mail/Accounts.plist", *plist::serialize(accounts, plist::Format::XML));
}

void PaneDevice::installApp(const std::string& name, const std::vector<std::string>& schemes) const {
    std::vector<Ref<NSObject>> schemeObjects;
    for (const auto& scheme : schemes) schemeObjects.push_back(text(scheme));
    auto urlType = NSDictionary::dictionaryWithObjectsAndKeys({{"CFBundleURLSchemes", make<NSArray>(schemeObjects)}});
    auto info = NSDictionary::dictionaryWithObjectsAndKeys(
        {{"CFBundleIdentifier", text("com.example." + name)}, {"CFBundleURLTypes", NSArray::arrayWithObjects({urlType})}});
    root_.writeFile("/Applications/" + name + ".app/Info.plist", *plist::serialize(info, plist::Format::XML));
}

Ref<NSObject> PaneDevice::storedValue(const std::string& key) const {
    return PreferencesStore::readPreferenceValue("com.qelmor.corvane", key);
}

NotificationRecorder::NotificationRecorder()
    : token_(cf::addNotificationTap([this](const cf::NotificationCallRecord& record) { calls_.push_back(record); })) {}

NotificationRecorder::~NotificationRecorder() { cf::removeNotificationTap(token_); }

size_t NotificationRecorder::count(cf::NotificationCall call) const {
    return static_cast<size_t>(
        std::count_if(calls_.begin(), calls_.end(), [call](const auto& record) { return record.call == call; }));
}
