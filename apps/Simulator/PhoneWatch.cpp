#include "PhoneWatch.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "LineReader.h"
#include "PngFile.h"

namespace simulator {
namespace {

std::string readText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The line the page lists when a new dialer is in, with what its report says the page can put in
// words: the process that drew it, and whether the app shows the Voicemail tab.
std::string dialerLine(const std::string& report) {
    nlohmann::json line = {{"event", "dialer"}};
    const auto parsed = nlohmann::json::parse(report, nullptr, false);
    if (!parsed.is_object()) return line.dump();
    if (parsed.contains("pid")) line["pid"] = parsed["pid"];
    for (const auto& message : parsed.value("messages", nlohmann::json::array()))
        if (message.is_object() && message.value("selector", "") == "showsPhoneVoicemail" && message.contains("returned"))
            line["voicemailTab"] = message["returned"];
    return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

PhoneWatch::PhoneWatch(std::string launcher, std::string root, DeviceFeed& feed)
    : launcherPath_(std::move(launcher)), root_(std::move(root)), directory_(root_ + kAppDirectory), feed_(feed) {}

PhoneWatch::~PhoneWatch() { stop(); }

bool PhoneWatch::start(std::function<void()> ended) {
    std::error_code error;
    std::filesystem::create_directories(directory_, error);
    inotify_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (inotify_ < 0 || ::inotify_add_watch(inotify_, directory_.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE) < 0 ||
        ::pipe2(wake_, O_CLOEXEC) != 0) {
        std::fprintf(stderr, "Simulator: cannot watch %s: %s\n", directory_.c_str(), std::strerror(errno));
        return false;
    }
    watching_ = std::thread(&PhoneWatch::watchPictures, this);
    launcher_ = std::make_unique<DeviceProcess>(std::vector<std::string>{launcherPath_, "--root", root_}, root_,
                                                DeviceProcess::Pipes{false, true});
    if (launcher_->pid() < 0) {
        std::fprintf(stderr, "Simulator: cannot start %s\n", launcherPath_.c_str());
        return false;
    }
    reading_ = std::thread(&PhoneWatch::readLauncher, this, std::move(ended));
    return true;
}

void PhoneWatch::stop() {
    if (launcher_) launcher_->stop();  // its output ends, which ends the reading thread
    if (reading_.joinable()) reading_.join();
    launcher_.reset();
    if (wake_[1] >= 0) (void)!::write(wake_[1], "x", 1);
    if (watching_.joinable()) watching_.join();
    for (int* fd : {&inotify_, &wake_[0], &wake_[1]}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
}

void PhoneWatch::readLauncher(std::function<void()> ended) {
    LineReader reader(launcher_->output());
    std::string line;
    while (reader.next(line) == LineReader::Status::Line)
        if (line.starts_with("{")) feed_.addLine(line);
    if (ended) ended();
}

void PhoneWatch::watchPictures() {
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        pollfd fds[2] = {{inotify_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR) return;
        if (fds[1].revents) return;
        if (!(fds[0].revents & POLLIN)) continue;
        bool pictureArrived = false;
        ssize_t n;
        while ((n = ::read(inotify_, buffer, sizeof buffer)) > 0) {
            for (char* at = buffer; at < buffer + n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if (event->len && std::strcmp(event->name, kPicture) == 0) pictureArrived = true;
                at += sizeof(inotify_event) + event->len;
            }
        }
        if (pictureArrived) takePicture();
    }
}

void PhoneWatch::takePicture() {
    auto picture = readPng(directory_ + "/" + kPicture);
    if (!picture) return;
    // The line first: the page words the picture from it.
    feed_.addLine(dialerLine(readText(directory_ + "/" + kReport)));
    feed_.setDialer(std::move(picture->bytes), picture->heightInPoints);
}

}  // namespace simulator
