#pragma once
// One domain's file as the store finds it: what it holds, or why it cannot be used. Opened without
// blocking, never through a symbolic link that leads out of the device root, and read only when it
// is a regular file.

#include <string>

#include "Foundation/NSDictionary.h"

namespace preferences {

enum class FileState {
    Missing,   // no file: the domain starts empty
    Read,      // a property-list dictionary, in `values`
    Corrupt,   // a regular file every reader refuses (`problem` says which limit it broke)
    Untouchable  // not to be read or replaced: not a regular file, outside the root, or unreadable
};

struct StoredFile {
    FileState state = FileState::Missing;
    Ref<NSDictionary> values;
    // Corrupt: which limit the file broke ("is larger than ..."); Untouchable: why it cannot be read.
    std::string problem;
};

StoredFile readStoredFile(const std::string& hostPath);

}  // namespace preferences
