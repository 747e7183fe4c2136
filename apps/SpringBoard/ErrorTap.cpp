#include "ErrorTap.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace springboard {

struct ErrorTap::Shared {
    std::mutex mutex;
    std::condition_variable ended;
    std::deque<std::string> lines;
    std::string partial;
    bool done = false;

    void keep(std::string line) {
        if (line.size() > kLongestLine) line.resize(kLongestLine);
        lines.push_back(std::move(line));
        if (lines.size() > kKeptLines) lines.pop_front();
    }
};

namespace {

void writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // the launcher's own standard error is gone: the lines are still kept
        data += n;
        size -= static_cast<size_t>(n);
    }
}

}  // namespace

ErrorTap::~ErrorTap() { closeAppEnd(); }

int ErrorTap::open() {
    closeAppEnd();
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return -1;
    appEnd_ = ends[1];
    shared_ = std::make_shared<Shared>();
    // Detached: it holds what it shares, so a pipe held open by a stray child costs only a thread.
    std::thread([shared = shared_, fd = ends[0]] {
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            writeAll(STDERR_FILENO, buffer, static_cast<size_t>(n));
            std::lock_guard lock(shared->mutex);
            for (ssize_t i = 0; i < n; ++i) {
                if (buffer[i] != '\n') {
                    if (shared->partial.size() <= kLongestLine) shared->partial += buffer[i];
                    continue;
                }
                shared->keep(std::move(shared->partial));
                shared->partial.clear();
            }
        }
        ::close(fd);
        std::lock_guard lock(shared->mutex);
        shared->done = true;
        shared->ended.notify_all();
    }).detach();
    return appEnd_;
}

void ErrorTap::closeAppEnd() {
    if (appEnd_ >= 0) ::close(appEnd_);
    appEnd_ = -1;
}

std::vector<std::string> ErrorTap::lastWords(std::chrono::milliseconds patience) {
    closeAppEnd();
    if (!shared_) return {};
    std::unique_lock lock(shared_->mutex);
    shared_->ended.wait_for(lock, patience, [this] { return shared_->done; });
    std::vector<std::string> words(shared_->lines.begin(), shared_->lines.end());
    if (!shared_->partial.empty()) words.push_back(shared_->partial);
    if (words.size() > kKeptLines) words.erase(words.begin());
    return words;
}

}  // namespace springboard
