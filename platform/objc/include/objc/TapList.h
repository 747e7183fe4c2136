#pragma once
// The list of recording taps a stand-in framework keeps for tests that watch what a library asks
// of it (lookups, hooks, notifications). Each framework keeps one, never destroyed: calls still
// arrive while other statics are torn down at exit.

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

namespace objc {

template <class Record>
class TapList {
public:
    using Tap = std::function<void(const Record&)>;
    using Token = size_t;

    Token add(Tap tap) {
        std::lock_guard guard(lock_);
        const Token token = next_++;
        list_.emplace_back(token, std::move(tap));
        count_.store(list_.size(), std::memory_order_release);
        return token;
    }

    void remove(Token token) {
        std::lock_guard guard(lock_);
        std::erase_if(list_, [token](const auto& entry) { return entry.first == token; });
        count_.store(list_.size(), std::memory_order_release);
    }

    // Whether any tap is in place: the one check a watched call pays while nobody watches.
    bool any() const { return count_.load(std::memory_order_acquire) != 0; }

    // Runs every tap with the record, unlocked, so a tap may itself make watched calls or add and
    // remove taps; one added or removed meanwhile takes effect from the next report.
    void report(const Record& record) const {
        if (!any()) return;
        std::vector<std::pair<Token, Tap>> current;
        {
            std::lock_guard guard(lock_);
            current = list_;
        }
        for (const auto& [token, tap] : current) tap(record);
    }

private:
    mutable std::mutex lock_;
    Token next_ = 1;
    std::vector<std::pair<Token, Tap>> list_;
    std::atomic<size_t> count_{0};
};

}  // namespace objc
