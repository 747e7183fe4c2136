#pragma once
// The app's standard error on its way to the launcher's own: passed through as it comes, with the
// last few lines kept, so a crash that repeats can be told with the app's last words.

#include <chrono>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace springboard {

class ErrorTap {
public:
    static constexpr size_t kKeptLines = 5;
    static constexpr size_t kLongestLine = 300;  // a longer line is cut here

    ErrorTap() = default;
    ~ErrorTap();
    ErrorTap(const ErrorTap&) = delete;
    ErrorTap& operator=(const ErrorTap&) = delete;

    // A new pipe for one launch; the end the app writes to, or -1 when there is none (the app then
    // shares the launcher's standard error as before).
    int open();
    // After the fork: the launcher's copy of the app's end is closed.
    void closeAppEnd();
    // The app's last lines, once every writer has closed the pipe or after `patience` (a child the
    // app left behind may hold it open).
    std::vector<std::string> lastWords(std::chrono::milliseconds patience);

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    int appEnd_ = -1;
};

}  // namespace springboard
