#include "device/DeviceFile.h"

#include <fcntl.h>
#include <limits.h>
#include <linux/openat2.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

#include "device/DevicePath.h"

namespace device {
namespace {

constexpr int kMostLinks = 40;  // what the kernel follows in one path

// The path with every symbolic link followed; empty when some part of it does not exist.
std::string realPath(const std::string& path) {
    std::unique_ptr<char, decltype(&::free)> resolved(::realpath(path.c_str(), nullptr), &::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

bool startsBelow(std::string_view base, std::string_view path) {
    return path.starts_with(base) && (path.size() == base.size() || path[base.size()] == '/');
}

std::deque<std::string> componentsOf(std::string_view path) {
    std::deque<std::string> parts;
    while (!path.empty()) {
        const size_t slash = path.find('/');
        const std::string_view part = path.substr(0, slash);
        if (!part.empty() && part != ".") parts.emplace_back(part);
        path.remove_prefix(slash == std::string_view::npos ? path.size() : slash + 1);
    }
    return parts;
}

// Whether the text has a ".." component, which climbs without any link. Asked on every hook read,
// so it allocates nothing.
bool climbs(std::string_view path) {
    for (size_t at = path.find(".."); at != std::string_view::npos; at = path.find("..", at + 2)) {
        const bool starts = at == 0 || path[at - 1] == '/';
        const bool ends = at + 2 == path.size() || path[at + 2] == '/';
        if (starts && ends) return true;
    }
    return false;
}

// open(2) refusing every symbolic link in the path (ELOOP), in one system call.
int openWithoutLinks(const char* path, int flags, mode_t mode) {
    open_how how{};
    how.flags = static_cast<unsigned>(flags);
    how.mode = (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? mode : 0;  // it refuses a mode it would not use
    how.resolve = RESOLVE_NO_SYMLINKS;
    long fd;
    do fd = ::syscall(SYS_openat2, AT_FDCWD, path, &how, sizeof how);
    while (fd < 0 && errno == EINTR);
    return static_cast<int>(fd);
}

// The walk down from the root, one directory held open per level, so what was checked is what is
// used: no component can be swapped for a link between the check and the open.
class Walk {
public:
    Walk(std::string root, std::string_view literalRoot) : root_(std::move(root)), literalRoot_(literalRoot) {}
    ~Walk() {
        for (int fd : directories_) ::close(fd);
    }
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    bool run(std::string_view below, InsideRoot& out, std::string* outsideLink) {
        const int top = ::open(root_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (top < 0) return false;
        directories_.push_back(top);
        std::deque<std::string> pending = componentsOf(below);
        std::string last = ".";
        for (int links = 0; !pending.empty();) {
            std::string name = std::move(pending.front());
            pending.pop_front();
            if (name == "..") {
                if (names_.empty()) return refuse(outsideLink, lastLink_.empty() ? std::string(below) : lastLink_);
                ::close(directories_.back());
                directories_.pop_back();
                names_.pop_back();
                last = ".";
                continue;
            }
            struct stat st {};
            if (::fstatat(directories_.back(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
                if (errno == ENOENT && pending.empty()) {  // a file yet to be made
                    last = name;
                    break;
                }
                return false;
            }
            if (S_ISLNK(st.st_mode)) {
                if (++links > kMostLinks) return failWith(ELOOP);
                if (!follow(name, pending, outsideLink)) return false;
                last = ".";
                continue;
            }
            if (pending.empty()) {
                last = name;
                break;
            }
            if (!S_ISDIR(st.st_mode)) return failWith(ENOTDIR);
            const int fd = ::openat(directories_.back(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (fd < 0) return false;
            directories_.push_back(fd);
            names_.push_back(std::move(name));
        }
        out.path = here() + (last == "." ? "" : "/" + last);
        if (out.path.empty()) out.path = "/";
        out.name = std::move(last);
        out.directory = directories_.back();
        directories_.pop_back();
        return true;
    }

private:
    std::string here() const {
        std::string path = root_ == "/" ? "" : root_;
        for (const std::string& name : names_) path += "/" + name;
        return path;
    }

    bool failWith(int error) {
        errno = error;
        return false;
    }

    bool refuse(std::string* outsideLink, std::string link) {
        if (outsideLink) *outsideLink = std::move(link);
        return failWith(EXDEV);
    }

    // Puts the link's target in front of what is left to walk; an absolute target starts again
    // from the root, and one that names no place inside the root is refused.
    bool follow(const std::string& name, std::deque<std::string>& pending, std::string* outsideLink) {
        char target[PATH_MAX];
        const ssize_t n = ::readlinkat(directories_.back(), name.c_str(), target, sizeof target);
        if (n < 0) return false;
        if (n == static_cast<ssize_t>(sizeof target)) return failWith(ENAMETOOLONG);
        std::string_view to(target, static_cast<size_t>(n));
        lastLink_ = here() + "/" + name + " (to " + std::string(to) + ")";
        if (to.starts_with('/')) {
            if (root_ != "/" && startsBelow(root_, to)) to.remove_prefix(root_.size());
            else if (root_ != "/" && !literalRoot_.empty() && startsBelow(literalRoot_, to)) to.remove_prefix(literalRoot_.size());
            else if (root_ != "/") return refuse(outsideLink, lastLink_);
            while (directories_.size() > 1) {
                ::close(directories_.back());
                directories_.pop_back();
            }
            names_.clear();
        }
        std::deque<std::string> more = componentsOf(to);
        pending.insert(pending.begin(), more.begin(), more.end());
        return true;
    }

    std::string root_;                     // the root's real path
    std::string_view literalRoot_;         // the root as the device names it, which links may use too
    std::vector<int> directories_;         // the root and each directory below it on the way
    std::vector<std::string> names_;       // the names of those below the root
    std::string lastLink_;                 // the latest link followed, for a refusal
};

}  // namespace

InsideRoot::InsideRoot(InsideRoot&& other) noexcept
    : directory(other.directory), name(std::move(other.name)), path(std::move(other.path)) {
    other.directory = -1;
}

InsideRoot& InsideRoot::operator=(InsideRoot&& other) noexcept {
    if (this != &other) {
        if (directory >= 0) ::close(directory);
        directory = other.directory;
        other.directory = -1;
        name = std::move(other.name);
        path = std::move(other.path);
    }
    return *this;
}

InsideRoot::~InsideRoot() {
    if (directory >= 0) ::close(directory);
}

bool isUnderRoot(const char* hostPath) {
    const std::string_view prefix = rootPrefix();
    const std::string_view path = hostPath;
    return path.starts_with(prefix) && path.size() > prefix.size() && path[prefix.size()] == '/';
}

std::string whyNotOpened(int error, const std::string& outsideLink) {
    return error == EXDEV ? outsideLink + " is a link leading out of the device root" : std::strerror(error);
}

bool resolveInsideRoot(const std::string& hostPath, InsideRoot& out, std::string* outsideLink) {
    const std::string_view prefix = rootPrefix();
    if (!isUnderRoot(hostPath.c_str())) {
        if (outsideLink) *outsideLink = hostPath + " (not under the device root)";
        errno = EXDEV;
        return false;
    }
    const std::string root = realPath(prefix.empty() ? std::string("/") : std::string(prefix));
    if (root.empty()) return false;
    Walk walk(root, prefix.starts_with('/') ? prefix : std::string_view());
    return walk.run(std::string_view(hostPath).substr(prefix.size()), out, outsideLink);
}

bool makeDirectoriesInsideRoot(const std::string& hostPath, std::string* outsideLink) {
    const int existing = openInsideRoot(hostPath, O_PATH | O_DIRECTORY | O_CLOEXEC, 0, outsideLink);
    if (existing >= 0) {
        ::close(existing);
        return true;  // the usual case: there already
    }
    if (errno != ENOENT) return false;
    const std::string_view prefix = rootPrefix();
    if (!isUnderRoot(hostPath.c_str())) return false;
    // Each level is resolved inside the root before anything is made in it.
    std::string level(prefix);
    for (const std::string& part : componentsOf(std::string_view(hostPath).substr(prefix.size()))) {
        level += "/" + part;
        InsideRoot at;
        if (!resolveInsideRoot(level, at, outsideLink)) return false;
        if (::mkdirat(at.directory, at.name.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    const int made = openInsideRoot(hostPath, O_PATH | O_DIRECTORY | O_CLOEXEC, 0, outsideLink);
    if (made < 0) return false;
    ::close(made);
    return true;
}

int openInsideRoot(const char* hostPath, int flags, mode_t mode, std::string* outsideLink) {
    if (!isUnderRoot(hostPath)) return ::open(hostPath, flags | O_NOFOLLOW, mode);
    return openUnderRoot(hostPath, flags, mode, outsideLink);
}

int openUnderRoot(const char* hostPath, int flags, mode_t mode, std::string* outsideLink) {
    if (!climbs(hostPath)) {
        const int fd = openWithoutLinks(hostPath, flags, mode);
        // ELOOP: some component is a link, to be followed only inside the root. A kernel without
        // openat2 (ENOSYS, or a filter's EPERM) takes the walk every time.
        if (fd >= 0 || (errno != ELOOP && errno != ENOSYS && errno != EPERM)) return fd;
    }
    InsideRoot resolved;
    if (!resolveInsideRoot(hostPath, resolved, outsideLink)) return -1;
    return ::openat(resolved.directory, resolved.name.c_str(), flags | O_NOFOLLOW, mode);
}

}  // namespace device
