#pragma once
// Opening files of the device so that a symbolic link cannot lead a reader or a writer out of the
// device root: what the device's own programs read, create or change stays on the device. Every
// component of a path is resolved inside the root, not only the last one, so a folder linked out
// is refused as a file linked out is.

#include <sys/types.h>

#include <string>

namespace device {

// A path resolved inside the device root: its directory, held open, and the last component's name
// there, which is no symbolic link (it may not exist yet). `path` is the same as a host path with
// every link followed.
struct InsideRoot {
    int directory = -1;
    std::string name;
    std::string path;

    InsideRoot() = default;
    InsideRoot(InsideRoot&& other) noexcept;
    InsideRoot& operator=(InsideRoot&& other) noexcept;
    ~InsideRoot();
};

// Resolves a host path under the device root, following each symbolic link only while it stays
// inside the root. Fails with errno EXDEV for a link that leads out, and then `outsideLink` (when
// given) names it: "LINK (to TARGET)".
bool resolveInsideRoot(const std::string& hostPath, InsideRoot& out, std::string* outsideLink = nullptr);

// mkdir -p of a host path inside the device root, never creating anything through a symbolic link
// that leads out of it; true when the directory exists inside the root afterwards.
bool makeDirectoriesInsideRoot(const std::string& hostPath, std::string* outsideLink = nullptr);

// open(2) of a host path under the device root, following links only inside it (never through a
// link that dangles out, which O_CREAT would follow). Fails with errno EXDEV for a link that leads
// out, named in `outsideLink`. A path without links costs one system call: hooks read on every call.
int openInsideRoot(const char* hostPath, int flags, mode_t mode = 0644, std::string* outsideLink = nullptr);
inline int openInsideRoot(const std::string& hostPath, int flags, mode_t mode = 0644, std::string* outsideLink = nullptr) {
    return openInsideRoot(hostPath.c_str(), flags, mode, outsideLink);
}

// The same for a path already known to be under the root (isUnderRoot), which is not asked again.
int openUnderRoot(const char* hostPath, int flags, mode_t mode = 0644, std::string* outsideLink = nullptr);

// Whether a host path names something under the device root (by its text, before any link).
bool isUnderRoot(const char* hostPath);

// Why an open of the above failed with `error`: "LINK (to TARGET) is a link leading out of the
// device root" for EXDEV, else the system's words.
std::string whyNotOpened(int error, const std::string& outsideLink);

}  // namespace device
