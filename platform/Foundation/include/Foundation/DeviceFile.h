#pragma once
// Opening files of the device so that a symbolic link cannot lead a writer out of the device root:
// what the device's own programs create or change stays on the device.

#include <sys/types.h>

#include <string>

namespace device {

// Whether an existing host path, every symbolic link in it followed, lies inside the device root.
bool staysInsideRoot(const std::string& hostPath);

// mkdir -p of a host path inside the device root, never creating anything through a symbolic link
// that leads out of it; true when the directory exists inside the root afterwards.
bool makeDirectoriesInsideRoot(const std::string& hostPath);

// open(2) of a host path, except that a symbolic link in its last component is followed only when
// it ends inside the device root (never when it dangles, which O_CREAT would follow out). Fails with
// errno EXDEV for a link that leads out.
int openInsideRoot(const std::string& hostPath, int flags, mode_t mode = 0644);

}  // namespace device
