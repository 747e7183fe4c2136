#pragma once
// A scratch device for one test of the pane: SIMULATOR_ROOT names it, and PATH holds only its
// usr/bin, where a recording killall notes each run, so the restart command really runs through
// system() without touching any process. Mail accounts and installed apps are written on demand.

#include <string>
#include <vector>

#include "CoreFoundation/CFNotificationRecording.h"
#include "DeviceRoot.h"

class PaneDevice {
public:
    PaneDevice();
    ~PaneDevice();
    PaneDevice(const PaneDevice&) = delete;
    PaneDevice& operator=(const PaneDevice&) = delete;

    const testing_support::DeviceRoot& root() const { return root_; }
    // The argument lines killall was run with, oldest first.
    std::vector<std::string> killallRuns() const;
    void addMailAccount() const;
    // An app under /Applications that declares the URL schemes.
    void installApp(const std::string& name, const std::vector<std::string>& schemes) const;
    // The stored value of a key of the product's preference domain; nil when none.
    Ref<NSObject> storedValue(const std::string& key) const;

private:
    testing_support::DeviceRoot root_;
    std::string previousRoot_, previousPath_;
    bool hadRoot_ = false, hadPath_ = false;
};

// Every call on the Darwin centre while it lives.
class NotificationRecorder {
public:
    NotificationRecorder();
    ~NotificationRecorder();
    NotificationRecorder(const NotificationRecorder&) = delete;
    NotificationRecorder& operator=(const NotificationRecorder&) = delete;

    const std::vector<cf::NotificationCallRecord>& calls() const { return calls_; }
    size_t count(cf::NotificationCall call) const;
    void clear() { calls_.clear(); }

private:
    cf::NotificationTapToken token_;
    std::vector<cf::NotificationCallRecord> calls_;
};
