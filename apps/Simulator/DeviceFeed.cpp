#include "DeviceFeed.h"

namespace simulator {

std::string stampedLine(std::string line, int64_t atMs) {
    if (line.size() < 2 || line.front() != '{' || line.back() != '}') return line;
    const bool empty = line.find_first_not_of(" \t", 1) == line.size() - 1;
    line.pop_back();
    return line + (empty ? "" : ",") + "\"at\":" + std::to_string(atMs) + "}";
}

void DeviceFeed::addLine(std::string line) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    line = stampedLine(std::move(line), std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    {
        std::lock_guard lock(mutex_);
        lines_.push_back(std::move(line));
        if (lines_.size() > kKeptLines) {
            lines_.pop_front();
            ++firstLine_;
        }
    }
    changed_.notify_all();
}

void DeviceFeed::setDialer(std::string png, double heightInPoints) {
    {
        std::lock_guard lock(mutex_);
        dialer_ = {dialer_.version + 1, std::make_shared<const std::string>(std::move(png)), heightInPoints, {}};
    }
    changed_.notify_all();
}

void DeviceFeed::setSettings(std::string png, double heightInPoints, std::string targets) {
    {
        std::lock_guard lock(mutex_);
        settings_ = {settings_.version + 1, std::make_shared<const std::string>(std::move(png)), heightInPoints,
                     std::move(targets)};
    }
    changed_.notify_all();
}

Picture DeviceFeed::dialer() const {
    std::lock_guard lock(mutex_);
    return dialer_;
}

Picture DeviceFeed::settings() const {
    std::lock_guard lock(mutex_);
    return settings_;
}

FeedUpdate DeviceFeed::collect(FeedCursor& cursor) const {
    FeedUpdate update;
    update.closed = closed_;
    if (cursor.nextLine < firstLine_) {
        update.skippedLines = firstLine_ - cursor.nextLine;
        cursor.nextLine = firstLine_;
    }
    for (uint64_t n = cursor.nextLine; n < firstLine_ + lines_.size(); ++n) update.lines.push_back(lines_[n - firstLine_]);
    cursor.nextLine = firstLine_ + lines_.size();
    if (dialer_.version != cursor.dialer) update.dialer = cursor.dialer = dialer_.version;
    if (settings_.version != cursor.settings) update.settings = cursor.settings = settings_.version;
    cursor.rollCall = rollCalls_;
    return update;
}

FeedUpdate DeviceFeed::next(FeedCursor& cursor, std::chrono::milliseconds patience) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, patience, [&] {
        return closed_ || cursor.nextLine != firstLine_ + lines_.size() || cursor.dialer != dialer_.version ||
               cursor.settings != settings_.version || cursor.rollCall != rollCalls_;
    });
    return collect(cursor);
}

bool DeviceFeed::awaitDialerAfter(uint64_t version, std::chrono::milliseconds patience) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, patience, [&] { return closed_ || dialer_.version > version; }) && !closed_;
}

void DeviceFeed::callTheRoll() {
    {
        std::lock_guard lock(mutex_);
        ++rollCalls_;
    }
    changed_.notify_all();
}

void DeviceFeed::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
}

bool DeviceFeed::closed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}

}  // namespace simulator
