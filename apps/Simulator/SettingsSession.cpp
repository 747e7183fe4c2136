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

using Clock = std::chrono::steady_clock;

bool isEventLine(const std::string& line) { return line.starts_with("{\"event\":"); }

// Event lines of nothing but touches: the command only moved between screens (a touch that stores,
// restarts, presents or opens something says so in a line of its own).
bool onlyNavigates(const std::vector<std::string>& events) {
    return std::all_of(events.begin(), events.end(), [](const std::string& line) {
        const auto event = nlohmann::json::parse(line, nullptr, false);
        return event.is_object() && event.value("event", "") == "touched";
    });
}

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
    // The device's first Settings app may start while the machine is busy starting the rest.
    patience_ = kFirstPatience;
    const bool started = startLocked();
    patience_ = kPatience;
    return started;
}

void SettingsSession::stop() {
    std::lock_guard lock(mutex_);
    endLocked();
}

std::variant<SettingsAnswer, std::string> SettingsSession::act(const std::string& command) {
    std::lock_guard lock(mutex_);
    deadline_ = Clock::now() + kActPatience;
    auto result = actLocked(command);
    deadline_ = Clock::time_point::max();
    return result;
}

std::variant<SettingsAnswer, std::string> SettingsSession::actLocked(const std::string& command) {
    // The page's clicks are aimed at the screen it was shown last.
    const std::string aimedAt = screen_;
    if (!process_) {
        if (auto problem = restoreLocked(aimedAt)) return *problem + "; the click was lost";
    }
    for (bool replaying = false;; replaying = true) {
        const uint64_t dialerBefore = feed_.dialer().version;
        Exchange reply = runLocked(command);
        if (reply.answered) {
            reply.answer.replayed = replaying;
            // The restarted Phone app draws its dialer first: drawing both screens at once would
            // share the processor between them and make the dialer, the change a person waits to
            // see, come later.
            if (std::any_of(reply.answer.events.begin(), reply.answer.events.end(), restartsThePhoneApp))
                feed_.awaitDialerAfter(dialerBefore, kDialerPatience);
            redrawLocked();
            route_.arrived(command, onlyNavigates(reply.answer.events), screen_);
            return std::move(reply.answer);
        }
        if (replaying) return "the Settings app stopped answering twice; the click was lost";
        // Done again, a click that had begun to change something would change it twice.
        if (!onlyNavigates(reply.answer.events))
            return "the Settings app stopped in the middle of the click, which was not repeated";
        if (auto problem = restoreLocked(aimedAt)) return *problem + "; the click was lost";
    }
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
    const Exchange opened = runLocked(std::string("open ") + kPaneEntry);
    if (!opened.answered) return false;
    if (!opened.answer.done)
        std::fprintf(stderr, "Simulator: the Settings app stays on its list: %s\n", opened.answer.problem.c_str());
    redrawLocked();
    route_.started(screen_);
    return true;
}

// A new app, led along the route to `screen`; why it could not be, if so.
std::optional<std::string> SettingsSession::restoreLocked(const std::string& screen) {
    endLocked();
    if (!startLocked()) return std::string("the Settings app could not be started again");
    if (!screen.empty() && screen_ == screen) return std::nullopt;
    if (const auto* way = route_.way()) {
        const std::vector<ScreenRoute::Step> steps = *way;
        // Each step must lead where it led before: a touch on another screen than the one it was
        // made on could land on a switch.
        for (const ScreenRoute::Step& step : steps) {
            const Exchange went = runLocked(step.command);
            if (!went.answered || !onlyNavigates(went.answer.events) || touchTargetsLocked() != step.screen) break;
        }
        redrawLocked();
        route_.arrived({}, false, screen_);
    }
    if (!screen.empty() && screen_ == screen) return std::nullopt;
    return std::string("the Settings app was started again, on another screen");
}

SettingsSession::Exchange SettingsSession::runLocked(const std::string& command) {
    Exchange reply;
    if (!process_ || !writeAll(process_->input(), command + "\n")) {
        endLocked();
        return reply;
    }
    const auto deadline = std::min(Clock::now() + patience_, deadline_);
    SettingsAnswer& answer = reply.answer;
    std::string line;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
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
        reply.answered = true;
        return reply;
    }
    std::fprintf(stderr, "Simulator: the Settings app did not answer '%s'; starting a new one\n", command.c_str());
    endLocked();
    return reply;
}

// The screen as the app draws it now, for the page; when it cannot be drawn the page keeps (and
// clicks are aimed at) the last picture.
void SettingsSession::redrawLocked() {
    const Exchange drawn = runLocked("render " + pictureFile_);
    if (!drawn.answered || !drawn.answer.done) return;
    auto picture = readPng(pictureFile_);
    ::unlink(pictureFile_.c_str());
    if (!picture) return;
    screen_ = touchTargetsLocked();
    feed_.setSettings(std::move(picture->bytes), picture->heightInPoints, screen_);
}

// The places of the screen a finger can touch, as the app's layout has them: a JSON array, or ""
// when the app cannot say.
std::string SettingsSession::touchTargetsLocked() {
    const Exchange listed = runLocked("targets");
    if (!listed.answered || !listed.answer.done) return {};
    for (const std::string& line : listed.answer.output) {
        const auto parsed = nlohmann::json::parse(line, nullptr, false);
        if (parsed.is_object() && parsed.contains("targets") && parsed["targets"].is_array())
            return parsed["targets"].dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    }
    return {};
}

void SettingsSession::endLocked() {
    reader_.reset();
    // An app replaced for stalling is not waited for long.
    if (process_) process_->stop(kEndGraceMs);
    process_.reset();
}

}  // namespace simulator
