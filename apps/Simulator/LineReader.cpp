#include "LineReader.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace simulator {

LineReader::Status LineReader::next(std::string& line, std::chrono::milliseconds patience) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + patience;
    for (;;) {
        const size_t newline = buffered_.find('\n');
        if (newline != std::string::npos || buffered_.size() >= kLongestLine || (ended_ && !buffered_.empty())) {
            const size_t length = newline != std::string::npos ? newline : std::min(buffered_.size(), kLongestLine);
            line = buffered_.substr(0, length);
            buffered_.erase(0, newline != std::string::npos ? length + 1 : length);
            return Status::Line;
        }
        if (ended_) return Status::Ended;
        int wait = -1;
        if (patience.count() >= 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) return Status::TimedOut;
            wait = static_cast<int>(left);
        }
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, wait);
        if (ready < 0 && errno != EINTR) return Status::Ended;
        if (ready <= 0) continue;
        char chunk[8192];
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0)
            ended_ = true;
        else
            buffered_.append(chunk, static_cast<size_t>(n));
    }
}

}  // namespace simulator
