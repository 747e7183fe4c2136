#include <mutex>
#include <string>
#include <unordered_map>

#include "CoreFoundation/CFBase.h"

CFStringRef CFStringMakeConstantString(std::string_view text) {
    struct Table {
        std::mutex lock;
        std::unordered_map<std::string, Ref<NSString>> strings;
    };
    // Constants outlive every other static, as literals do.
    static auto* table = new Table;
    std::lock_guard guard(table->lock);
    auto [it, inserted] = table->strings.try_emplace(std::string(text));
    if (inserted) it->second = NSString::string(text);
    return it->second.get();
}
