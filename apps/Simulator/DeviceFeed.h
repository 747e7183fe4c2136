#pragma once
// What the device page shows, as it changes: the device's event lines, the Phone app's latest
// dialer picture and the Settings screen's latest picture. The device's threads put things in and
// never wait for a reader; each page stream takes what is new since it last looked, at its own pace.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace simulator {

struct Picture {
    uint64_t version = 0;  // 0: none yet
    std::shared_ptr<const std::string> png;
    double heightInPoints = 0;
    std::string targets;  // Settings only: the JSON array of the places a finger can touch, or ""
};

// How far one reader has got.
struct FeedCursor {
    uint64_t nextLine = 0;
    uint64_t dialer = 0, settings = 0;
    uint64_t rollCall = 0;  // the last roll call it answered
};

struct FeedUpdate {
    std::vector<std::string> lines;
    uint64_t skippedLines = 0;     // lines that fell out of the kept window before the reader got them
    uint64_t dialer = 0, settings = 0;  // new versions; 0 when unchanged
    bool closed = false;
};

// A JSON object line with the time it happened added as "at" (milliseconds since 1970), so a page
// that joins late still shows when each event happened; any other line as it is.
std::string stampedLine(std::string line, int64_t atMs);

class DeviceFeed {
public:
    static constexpr size_t kKeptLines = 500;

    void addLine(std::string line);  // stamped with the time it is added
    void setDialer(std::string png, double heightInPoints);
    void setSettings(std::string png, double heightInPoints, std::string targets);
    Picture dialer() const;
    Picture settings() const;

    // What is new after `cursor` (advanced past it); waits up to `patience` for something, and
    // returns at once when the feed is closed.
    FeedUpdate next(FeedCursor& cursor, std::chrono::milliseconds patience);
    // Waits up to `patience` for a dialer newer than `version`; true when one came.
    bool awaitDialerAfter(uint64_t version, std::chrono::milliseconds patience);
    // Wakes every waiting reader once, with or without news (so each can see whether it is still
    // wanted).
    void callTheRoll();
    // Wakes every waiting reader for good.
    void close();
    bool closed() const;

private:
    FeedUpdate collect(FeedCursor& cursor) const;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> lines_;
    uint64_t firstLine_ = 0;  // the number of lines_.front()
    Picture dialer_, settings_;
    uint64_t rollCalls_ = 0;
    bool closed_ = false;
};

}  // namespace simulator
