#include "EventStream.h"

#include <nlohmann/json.hpp>

namespace simulator {
namespace {

std::string pictureData(const Picture& picture) {
    nlohmann::json data = {{"version", picture.version}, {"height", picture.heightInPoints}};
    if (!picture.targets.empty()) data["targets"] = nlohmann::json::parse(picture.targets, nullptr, false);
    return data.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

std::string serverSentEvent(std::string_view name, std::string_view data) {
    std::string message = "event: ";
    message.append(name).append("\n");
    // A line break inside the data would end the field: each line becomes a field of its own.
    for (;;) {
        const size_t end = data.find_first_of("\r\n");
        message.append("data: ").append(data.substr(0, end)).append("\n");
        if (end == std::string_view::npos) break;
        data.remove_prefix(end + 1);
    }
    return message + "\n";
}

std::string eventsForUpdate(const FeedUpdate& update, const DeviceFeed& feed) {
    std::string messages;
    if (update.skippedLines) messages += serverSentEvent("skipped", std::to_string(update.skippedLines));
    for (const std::string& line : update.lines) messages += serverSentEvent("device", line);
    if (update.dialer) messages += serverSentEvent("dialer", pictureData(feed.dialer()));
    if (update.settings) messages += serverSentEvent("settings", pictureData(feed.settings()));
    return messages;
}

}  // namespace simulator
