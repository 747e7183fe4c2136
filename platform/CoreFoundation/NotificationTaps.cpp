#include "NotificationTaps.h"

#include <mutex>
#include <utility>
#include <vector>

namespace cf {
namespace {

struct Taps {
    std::mutex lock;
    NotificationTapToken next = 1;
    std::vector<std::pair<NotificationTapToken, NotificationTap>> list;
};

// Never destroyed: a host may still post while other statics are torn down at exit.
Taps& taps() {
    static auto* t = new Taps;
    return *t;
}

}  // namespace

NotificationTapToken addNotificationTap(NotificationTap tap) {
    Taps& t = taps();
    std::lock_guard guard(t.lock);
    const NotificationTapToken token = t.next++;
    t.list.emplace_back(token, std::move(tap));
    return token;
}

void removeNotificationTap(NotificationTapToken token) {
    Taps& t = taps();
    std::lock_guard guard(t.lock);
    std::erase_if(t.list, [token](const auto& entry) { return entry.first == token; });
}

void reportNotificationCall(const NotificationCallRecord& record) {
    std::vector<std::pair<NotificationTapToken, NotificationTap>> current;
    {
        Taps& t = taps();
        std::lock_guard guard(t.lock);
        if (t.list.empty()) return;
        current = t.list;
    }
    // Called unlocked, so a tap may itself add or remove taps or use the centre.
    for (const auto& [token, tap] : current) tap(record);
}

}  // namespace cf
