#include "SettingsSession.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "PngFile.h"

namespace simulator {
namespace {

// The pane the page shows, opened from the Settings list at the start of every session.
constexpr const char* kPaneEntry = "Corvane";

bool writeAll(int fd, const std::string& text) {
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

bool isEventLine(const std::string& line) { return line.starts_with("{\"event\":"); }

// The pane's restart: the shell command that ends the Phone app, which the launcher starts again.
bool restartsThePhoneApp(const std::string& eventLine) {
    const auto event = nlohmann::json::parse(eventLine, nullptr, false);
    return event.is_object() && event.value("event", "") == "system" &&
           event.value("command", "").find("killall") != std::string::npos && event.value("status", -1) == 0;
}

}  // namespace

SettingsSession::SettingsSession(std::string app, std::string root, std::string pictureFile, DeviceFeed& feed)
    : app_(std::move(app)), root_(std::move(root)), pictureFile_(std::move(pictureFile)), feed_(feed) {}

SettingsSession::~SettingsSession() { stop(); }

bool SettingsSession::start() {
    std::lock_guard lock(mutex_);
    return startLocked();
}

void SettingsSession::stop() {
    std::lock_guard lock(mutex_);
    endLocked();
}

std::optional<SettingsAnswer> SettingsSession::act(const std::string& command) {
    std::lock_guard lock(mutex_);
    if (!process_ && !startLocked()) return std::nullopt;
    const uint64_t dialerBefore = feed_.dialer().version;
    auto answer = runLocked(command);
    if (!answer) return answer;
    // The restarted Phone app draws its dialer first: drawing both screens at once would share the
    // processor between them and make the dialer, the change a person waits to see, come later.
    if (std::any_of(answer->events.begin(), answer->events.end(), restartsThePhoneApp))
        feed_.awaitDialerAfter(dialerBefore, kDialerPatience);
    redrawLocked();
    return answer;
}

bool SettingsSession::startLocked() {
    process_ = std::make_unique<DeviceProcess>(std::vector<std::string>{app_, "--root", root_, "--stdin"}, root_,
                                               DeviceProcess::Pipes{true, true});
    if (process_->pid() < 0) {
        std::fprintf(stderr, "Simulator: cannot start %s\n", app_.c_str());
        process_.reset();
        return false;
    }
    reader_ = std::make_unique<LineReader>(process_->output());
    const auto opened = runLocked(std::string("open ") + kPaneEntry);
    if (!opened) return false;
    if (!opened->done) std::fprintf(stderr, "Simulator: the Settings app stays on its list: %s\n", opened->problem.c_str());
    redrawLocked();
    return true;
}

std::optional<SettingsAnswer> SettingsSession::runLocked(const std::string& command) {
    if (!process_ || !writeAll(process_->input(), command + "\n")) {
        endLocked();
        return std::nullopt;
    }
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    SettingsAnswer answer;
    std::string line;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || reader_->next(line, left) != LineReader::Status::Line) break;
        if (isEventLine(line)) {
            feed_.addLine(line);
            answer.events.push_back(line);
            continue;
        }
        const auto closing = nlohmann::json::parse(line, nullptr, false);
        if (!closing.is_object() || !closing.contains("done")) {
            answer.output.push_back(line);
            continue;
        }
        answer.done = closing.value("done", false);
        if (const auto problem = closing.find("problem"); problem != closing.end() && problem->is_string())
            answer.problem = problem->get<std::string>();
        return answer;
    }
    std::fprintf(stderr, "Simulator: the Settings app did not answer '%s'; starting a new one\n", command.c_str());
    endLocked();
    return std::nullopt;
}

void SettingsSession::redrawLocked() {
    const auto drawn = runLocked("render " + pictureFile_);
    if (!drawn || !drawn->done) return;
    auto picture = readPng(pictureFile_);
    ::unlink(pictureFile_.c_str());
    if (!picture) return;
    feed_.setSettings(std::move(picture->bytes), picture->heightInPoints, touchTargetsLocked());
}

// The places of the screen a finger can touch, as the app's layout has them: a JSON array, or ""
// when the app cannot say.
std::string SettingsSession::touchTargetsLocked() {
    const auto listed = runLocked("targets");
    if (!listed || !listed->done) return {};
    for (const std::string& line : listed->output) {
        const auto parsed = nlohmann::json::parse(line, nullptr, false);
        if (parsed.is_object() && parsed.contains("targets") && parsed["targets"].is_array())
            return parsed["targets"].dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    }
    return {};
}

void SettingsSession::endLocked() {
    reader_.reset();
    if (process_) process_->stop();
    process_.reset();
}

}  // namespace simulator
