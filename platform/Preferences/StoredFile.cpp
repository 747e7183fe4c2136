#include "StoredFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "device/DeviceFile.h"
#include "device/RegularFile.h"
#include "plist/PropertyList.h"

namespace preferences {
namespace {

StoredFile refused(FileState state, std::string problem) { return StoredFile{state, nullptr, std::move(problem)}; }

std::string overCap() { return "is larger than the " + std::to_string(plist::kMaxFileBytes) + "-byte limit"; }

}  // namespace

StoredFile readStoredFile(const std::string& hostPath) {
    std::string link;
    const int fd = device::openInsideRoot(hostPath, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0, &link);
    if (fd < 0) {
        if (errno == ENOENT) return {};
        if (errno == ENXIO) return refused(FileState::Untouchable, "not a regular file");
        return refused(FileState::Untouchable, device::whyNotOpened(errno, link));
    }
    struct stat st {};
    std::string bytes;
    device::FileStatus status = device::FileStatus::Failed;
    if (::fstat(fd, &st) == 0) {
        status = !S_ISREG(st.st_mode)                                        ? device::FileStatus::NotRegular
                 : static_cast<size_t>(st.st_size) > plist::kMaxFileBytes    ? device::FileStatus::TooLarge
                                                                             : device::readToEnd(fd, plist::kMaxFileBytes, bytes);
    }
    const int error = errno;
    ::close(fd);
    switch (status) {
        case device::FileStatus::Read: break;
        case device::FileStatus::TooLarge: return refused(FileState::Corrupt, overCap());
        case device::FileStatus::NotRegular: return refused(FileState::Untouchable, "not a regular file");
        default: return refused(FileState::Untouchable, std::strerror(error));
    }
    std::string why;
    Ref<NSObject> root = plist::parse(bytes, &why);
    if (auto* dictionary = objc_cast<NSDictionary>(root.get())) return StoredFile{FileState::Read, dictionary, {}};
    if (root) why = "its top value is not a dictionary";
    return refused(FileState::Corrupt, "is not a readable property-list dictionary (" + why + ")");
}

}  // namespace preferences
