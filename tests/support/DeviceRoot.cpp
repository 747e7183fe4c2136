#include "DeviceRoot.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "device/AtomicFile.h"

namespace fs = std::filesystem;

namespace testing_support {

std::string Built::mobilePhone() { return CORVANE_MOBILEPHONE; }
std::string Built::hookLibrary() { return CORVANE_HOOK_LIBRARY; }
std::string Built::hookFilter() { return CORVANE_HOOK_FILTER; }
std::string Built::binDirectory() { return CORVANE_BIN_DIR; }
std::string Built::deviceFiles() { return CORVANE_DEVICE_FILES; }

DeviceRoot::DeviceRoot() {
    std::string pattern = (fs::temp_directory_path() / "corvane-device-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

DeviceRoot::~DeviceRoot() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void DeviceRoot::copyFile(const std::string& from, const std::string& devicePath) const {
    const fs::path to = *this / devicePath;
    fs::create_directories(to.parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

void DeviceRoot::installHookLibrary() const {
    copyFile(Built::hookLibrary(), "/Library/MobileSubstrate/DynamicLibraries/Corvane.dylib");
    copyFile(Built::hookFilter(), "/Library/MobileSubstrate/DynamicLibraries/Corvane.plist");
}

void DeviceRoot::writeFile(const std::string& devicePath, const std::string& bytes) const {
    if (!device::writeFileAtomically(*this / devicePath, bytes)) throw std::runtime_error("cannot write " + devicePath);
}

std::string DeviceRoot::readFile(const std::string& devicePath) const {
    std::ifstream in(*this / devicePath, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool DeviceRoot::exists(const std::string& devicePath) const { return fs::exists(*this / devicePath); }

void DeviceRoot::writePreferences(const NSObject* dictionary, plist::Format format) const {
    auto bytes = plist::serialize(dictionary, format);
    if (!bytes) throw std::runtime_error("preferences do not serialise");
    writeFile("/var/mobile/Library/Preferences/com.qelmor.corvane.plist", *bytes);
}

void DeviceRoot::removePreferences() const {
    fs::remove(*this / "/var/mobile/Library/Preferences/com.qelmor.corvane.plist");
}

namespace {

void drain(int fds[2], std::string* outs[2]) {
    pollfd p[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
    int open = 2;
    char buf[65536];
    while (open > 0) {
        if (::poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (p[i].fd < 0 || !(p[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const ssize_t n = ::read(p[i].fd, buf, sizeof buf);
            if (n > 0) {
                outs[i]->append(buf, static_cast<size_t>(n));
            } else {
                ::close(p[i].fd);
                p[i].fd = -1;
                --open;
            }
        }
    }
}

}  // namespace

ProcessResult run(const std::vector<std::string>& argv, const std::string& input,
                  const std::map<std::string, std::string>& environment) {
    // Everything the child needs is made before the fork: a test may run this while another thread
    // holds the allocator's lock, and a child that allocates would wait on it for ever.
    std::vector<std::string> variables;
    for (char** v = environ; *v; ++v) {
        const std::string_view variable = *v;
        if (!environment.contains(std::string(variable.substr(0, variable.find('='))))) variables.emplace_back(variable);
    }
    for (const auto& [name, value] : environment) variables.push_back(name + "=" + value);
    std::vector<char*> args, envp;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    for (auto& v : variables) envp.push_back(v.data());
    args.push_back(nullptr);
    envp.push_back(nullptr);
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) || ::pipe2(out, O_CLOEXEC) || ::pipe2(err, O_CLOEXEC))
        throw std::runtime_error("pipe failed");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::execve(args[0], args.data(), envp.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    // Small inputs only: written before reading, which a pipe buffer always holds.
    (void)!::write(in[1], input.data(), input.size());
    ::close(in[1]);
    ProcessResult result;
    int fds[2] = {out[0], err[0]};
    std::string* outs[2] = {&result.out, &result.err};
    drain(fds, outs);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

}  // namespace testing_support
