#include "RunningSimulator.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "LineReader.h"

namespace fs = std::filesystem;
using testing_support::Built;

void stageDevice(const testing_support::DeviceRoot& root) {
    fs::copy(Built::deviceFiles(), root.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    root.copyFile(Built::binDirectory() + "/killall", "/usr/bin/killall");
}

RunningSimulator::RunningSimulator() {
    stageDevice(root_);
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::execl(CORVANE_SIMULATOR, CORVANE_SIMULATOR, "--root", root_.path().c_str(), "--listen", "127.0.0.1:0",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    simulator::LineReader reader(out[0]);
    std::string line;
    if (reader.next(line, kPatience) == simulator::LineReader::Status::Line) {
        const size_t at = line.find("http://");
        if (at != std::string::npos) url_ = line.substr(at);
        const size_t colon = url_.rfind(':');
        if (colon != std::string::npos) port_ = std::atoi(url_.c_str() + colon + 1);
    }
    ::close(out[0]);  // the Simulator prints nothing after its address
}

RunningSimulator::~RunningSimulator() { stop(); }

httplib::Client RunningSimulator::client() const {
    httplib::Client client("127.0.0.1", port_);
    client.set_read_timeout(kPatience);
    return client;
}

int RunningSimulator::stop(milliseconds patience) {
    if (pid_ <= 0) return -1;
    ::kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + patience;
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
            return -1;
        }
        std::this_thread::sleep_for(milliseconds(10));
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

PageEvents::PageEvents(const RunningSimulator& simulator) : client_("127.0.0.1", simulator.port()) {
    client_.set_read_timeout(std::chrono::seconds(60));
    reading_ = std::thread([this] {
        client_.Get("/events", [this](const char* data, size_t length) {
            std::lock_guard lock(mutex_);
            buffered_.append(data, length);
            for (size_t end; (end = buffered_.find("\n\n")) != std::string::npos; buffered_.erase(0, end + 2)) {
                PageEvent event;
                std::istringstream fields(buffered_.substr(0, end));
                for (std::string field; std::getline(fields, field);) {
                    if (field.starts_with("event: ")) event.name = field.substr(7);
                    if (field.starts_with("data: ")) event.data += field.substr(6);
                }
                if (!event.name.empty()) events_.push_back(std::move(event));
            }
            return true;
        });
    });
}

PageEvents::~PageEvents() {
    client_.stop();
    reading_.join();
}

std::optional<PageEvent> PageEvents::await(const std::string& name, const std::string& needle, milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            for (size_t i = consumed_[name]; i < events_.size(); ++i) {
                if (events_[i].name == name && events_[i].data.find(needle) != std::string::npos) {
                    consumed_[name] = i + 1;
                    return events_[i];
                }
            }
        }
        if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
        std::this_thread::sleep_for(milliseconds(5));
    }
}

std::vector<PageEvent> PageEvents::seen() {
    std::lock_guard lock(mutex_);
    return events_;
}

int openConnection(int port, const std::string& request) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval patience{10, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size()))
        return fd;
    ::close(fd);
    return -1;
}

std::string firstBytes(int fd) {
    char chunk[64];
    const ssize_t n = fd < 0 ? -1 : ::recv(fd, chunk, sizeof chunk, 0);
    return n > 0 ? std::string(chunk, static_cast<size_t>(n)) : std::string();
}

std::string rawExchange(int port, const std::string& request) {
    const int fd = openConnection(port, request);
    std::string answer;
    char chunk[4096];
    for (ssize_t n; fd >= 0 && (n = ::recv(fd, chunk, sizeof chunk, 0)) > 0;) answer.append(chunk, static_cast<size_t>(n));
    if (fd >= 0) ::close(fd);
    return answer;
}

int stalledConnection(int port, const std::string& request) {
    const int fd = openConnection(port, request);
    char first[16];
    if (fd >= 0 && ::recv(fd, first, sizeof first, 0) > 0) return fd;
    if (fd >= 0) ::close(fd);
    return -1;
}

std::vector<pid_t> processesOfDevice(const std::string& root) {
    std::vector<pid_t> found;
    const std::string wanted = "SIMULATOR_ROOT=" + fs::canonical(root).string();
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream in(entry.path() / "environ", std::ios::binary);
        for (std::string variable; std::getline(in, variable, '\0');) {
            if (variable == wanted) {
                found.push_back(std::stoi(name));
                break;
            }
        }
    }
    return found;
}

pid_t processOfDevice(const std::string& root, const std::string& name) {
    pid_t found = -1;
    for (pid_t pid : processesOfDevice(root)) {
        std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
        std::string program;
        if (!std::getline(comm, program) || program != name) continue;
        if (found >= 0) return -1;
        found = pid;
    }
    return found;
}

std::optional<Spot> targetCentre(const std::string& settingsData, const std::string& label, const std::string& kind) {
    const auto data = nlohmann::json::parse(settingsData, nullptr, false);
    if (!data.is_object() || !data.contains("targets")) return std::nullopt;
    for (const auto& target : data["targets"]) {
        if (target.value("label", "") != label || (!kind.empty() && target.value("kind", "") != kind)) continue;
        return Spot{target.value("x", 0.0) + target.value("width", 0.0) / 2, target.value("y", 0.0) + target.value("height", 0.0) / 2};
    }
    return std::nullopt;
}
