#include "SignalNames.h"

#include <csignal>
#include <cctype>
#include <charconv>

namespace killall {

namespace {

struct SignalName {
    const char* name;
    int number;
    bool listed;  // aliases are understood but not listed
};

constexpr SignalName kSignals[] = {
    {"HUP", SIGHUP, true},     {"INT", SIGINT, true},       {"QUIT", SIGQUIT, true}, {"ILL", SIGILL, true},
    {"TRAP", SIGTRAP, true},   {"ABRT", SIGABRT, true},     {"BUS", SIGBUS, true},   {"FPE", SIGFPE, true},
    {"KILL", SIGKILL, true},   {"USR1", SIGUSR1, true},     {"SEGV", SIGSEGV, true}, {"USR2", SIGUSR2, true},
    {"PIPE", SIGPIPE, true},   {"ALRM", SIGALRM, true},     {"TERM", SIGTERM, true},
#ifdef SIGSTKFLT
    {"STKFLT", SIGSTKFLT, true},
#endif
    {"CHLD", SIGCHLD, true},   {"CONT", SIGCONT, true},     {"STOP", SIGSTOP, true}, {"TSTP", SIGTSTP, true},
    {"TTIN", SIGTTIN, true},   {"TTOU", SIGTTOU, true},     {"URG", SIGURG, true},   {"XCPU", SIGXCPU, true},
    {"XFSZ", SIGXFSZ, true},   {"VTALRM", SIGVTALRM, true}, {"PROF", SIGPROF, true}, {"WINCH", SIGWINCH, true},
    {"IO", SIGIO, true},
#ifdef SIGPWR
    {"PWR", SIGPWR, true},
#endif
    {"SYS", SIGSYS, true},     {"IOT", SIGABRT, false},     {"CLD", SIGCHLD, false}, {"POLL", SIGIO, false},
};

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

std::optional<int> signalNumbered(std::string_view text) {
    int number = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    // 0 only asks whether a process exists, as with kill(2).
    if (number < 0 || number > SIGRTMAX) return std::nullopt;
    return number;
}

}  // namespace

std::optional<int> signalNamed(std::string_view text) {
    if (text.empty()) return std::nullopt;
    if (std::isdigit(static_cast<unsigned char>(text.front()))) return signalNumbered(text);
    if (text.size() > 3 && equalsIgnoringCase(text.substr(0, 3), "SIG")) text.remove_prefix(3);
    for (const auto& signal : kSignals) {
        if (equalsIgnoringCase(text, signal.name)) return signal.number;
    }
    return std::nullopt;
}

std::string signalList() {
    std::string list;
    for (const auto& signal : kSignals) {
        if (!signal.listed) continue;
        if (!list.empty()) list += ' ';
        list += signal.name;
    }
    return list;
}

}  // namespace killall
