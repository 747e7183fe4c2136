#pragma once
// Lines from a pipe, each without its newline, waiting at most a given time for the next.

#include <chrono>
#include <optional>
#include <string>

namespace simulator {

class LineReader {
public:
    explicit LineReader(int fd) : fd_(fd) {}

    enum class Status { Line, TimedOut, Ended };
    // The next line into `line`; a negative patience waits for ever.
    Status next(std::string& line, std::chrono::milliseconds patience = std::chrono::milliseconds(-1));

    static constexpr size_t kLongestLine = 1 << 20;  // a longer line is cut here

private:
    int fd_;
    std::string buffered_;
    bool ended_ = false;
};

}  // namespace simulator
