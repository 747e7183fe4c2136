#include "Foundation/DeviceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <limits.h>
#include <stdlib.h>

#include <cerrno>
#include <memory>

#include "Foundation/DevicePath.h"

namespace device {
namespace {

// The path with every symbolic link followed; empty when some part of it does not exist.
std::string realPath(const std::string& path) {
    std::unique_ptr<char, decltype(&::free)> resolved(::realpath(path.c_str(), nullptr), &::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

}  // namespace

bool staysInsideRoot(const std::string& hostPath) {
    const std::string root = realPath(device::root());
    const std::string target = realPath(hostPath);
    if (root.empty() || target.empty()) return false;
    return target == root || (target.starts_with(root) && (root == "/" || target[root.size()] == '/'));
}

bool makeDirectoriesInsideRoot(const std::string& hostPath) {
    std::string root = device::root();
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    if (!hostPath.starts_with(root + "/")) return false;
    if (staysInsideRoot(hostPath)) return true;  // the usual case: there already
    if (!staysInsideRoot(root)) return false;
    // Each directory is checked before anything is made inside it.
    for (size_t slash = root.size(); slash != std::string::npos;) {
        slash = hostPath.find('/', slash + 1);
        const std::string prefix = hostPath.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) return false;
        if (!staysInsideRoot(prefix)) return false;
    }
    return true;
}

int openInsideRoot(const std::string& hostPath, int flags, mode_t mode) {
    const int fd = ::open(hostPath.c_str(), flags | O_NOFOLLOW, mode);
    if (fd >= 0 || errno != ELOOP) return fd;
    // The last component is a symbolic link: follow it only to a file inside the root.
    if (!staysInsideRoot(hostPath)) {
        errno = EXDEV;
        return -1;
    }
    return ::open(realPath(hostPath).c_str(), flags | O_NOFOLLOW, mode);
}

}  // namespace device
