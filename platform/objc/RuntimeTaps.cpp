#include "RuntimeTaps.h"

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

namespace objc {
namespace {

struct Taps {
    std::mutex lock;
    RuntimeTapToken next = 1;
    std::vector<std::pair<RuntimeTapToken, RuntimeTap>> list;
};

// Never destroyed: pools are still pushed and popped while other statics are torn down at exit.
Taps& taps() {
    static auto* t = new Taps;
    return *t;
}

// Constant-initialised, so a lookup from any library's static initialiser may read it.
std::atomic<size_t> tapCount{0};

}  // namespace

RuntimeTapToken addRuntimeTap(RuntimeTap tap) {
    Taps& t = taps();
    std::lock_guard guard(t.lock);
    const RuntimeTapToken token = t.next++;
    t.list.emplace_back(token, std::move(tap));
    tapCount.store(t.list.size(), std::memory_order_release);
    return token;
}

void removeRuntimeTap(RuntimeTapToken token) {
    Taps& t = taps();
    std::lock_guard guard(t.lock);
    std::erase_if(t.list, [token](const auto& entry) { return entry.first == token; });
    tapCount.store(t.list.size(), std::memory_order_release);
}

bool runtimeTapped() { return tapCount.load(std::memory_order_acquire) != 0; }

void reportRuntimeCall(const RuntimeCallRecord& record) {
    std::vector<std::pair<RuntimeTapToken, RuntimeTap>> current;
    {
        Taps& t = taps();
        std::lock_guard guard(t.lock);
        current = t.list;
    }
    // Called unlocked, so a tap may itself look classes up or add and remove taps.
    for (const auto& [token, tap] : current) tap(record);
}

}  // namespace objc
