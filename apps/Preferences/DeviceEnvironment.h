#pragma once
// The process environment of an app of the device: SIMULATOR_ROOT names the device root, and PATH
// holds the device's own program directories only, so that a shell command run by a pane finds the
// device's tools (its killall) and never the build machine's.

#include <optional>
#include <string>

namespace settings {

// The PATH of a device root: ROOT/usr/bin, ROOT/bin, ROOT/usr/sbin, ROOT/sbin.
std::string devicePath(const std::string& root);

// Sets SIMULATOR_ROOT and PATH for the device root, made absolute; the problem when the root
// cannot be resolved.
std::optional<std::string> enterDevice(const std::string& root);

}  // namespace settings
