#pragma once
// The Phone app side of the device: the launcher that keeps the Phone app running, whose event
// lines (launched, exited) go to the feed, and a watch on the app's directory that hands every
// dialer picture a newly launched app writes to the feed the moment it is in place.

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "DeviceFeed.h"
#include "DeviceProcess.h"

namespace simulator {

class PhoneWatch {
public:
    PhoneWatch(std::string launcher, std::string root, DeviceFeed& feed);
    ~PhoneWatch();  // stops the launcher (and so the Phone app) and the watch

    // Starts watching, then the launcher; `ended` is called (on another thread) if the launcher
    // ends by itself. False when either cannot start.
    bool start(std::function<void()> ended);
    void stop();

    static constexpr const char* kAppDirectory = "/var/mobile/Library/MobilePhone";
    static constexpr const char* kReport = "report.json";
    static constexpr const char* kPicture = "dialer.png";

private:
    void watchPictures();
    void readLauncher(std::function<void()> ended);
    void takePicture();

    const std::string launcherPath_, root_, directory_;
    DeviceFeed& feed_;
    int inotify_ = -1;
    int wake_[2] = {-1, -1};  // written to end the watch
    std::unique_ptr<DeviceProcess> launcher_;
    std::thread watching_, reading_;
};

}  // namespace simulator
