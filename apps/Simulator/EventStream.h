#pragma once
// The page's live feed as server-sent events: "device" for each event line of the device,
// "dialer" and "settings" when a new picture is in, "skipped" when a slow reader lost lines, and
// "ended" last, when the device ends.

#include <string>
#include <string_view>

#include "DeviceFeed.h"

namespace simulator {

// One message: "event: NAME" and the data, one "data:" field per line of it.
std::string serverSentEvent(std::string_view name, std::string_view data);

// The messages for what a reader found new; `feed` gives the pictures' sizes.
std::string eventsForUpdate(const FeedUpdate& update, const DeviceFeed& feed);

// A comment line that keeps an idle stream open and finds a vanished reader.
inline constexpr std::string_view kKeepAlive = ": still here\n\n";

}  // namespace simulator
