// The process-wide list of storage observers: hosts print what the pane stores, tests count it.

#include "Preferences/PSListController.h"
#include "StorageObservers.h"

namespace {

struct Registry {
    std::vector<std::pair<PSListController::StorageObserverToken, PSListController::StorageObserver>> observers;
    PSListController::StorageObserverToken nextToken = 1;
    PSListController::StorageObserverToken hostToken = 0;
    PSListController::RefusalObserver refusalObserver;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

}  // namespace

PSListController::StorageObserverToken PSListController::addStorageObserver(StorageObserver observer) {
    if (!observer) return 0;
    Registry& r = registry();
    r.observers.emplace_back(r.nextToken, std::move(observer));
    return r.nextToken++;
}

void PSListController::removeStorageObserver(StorageObserverToken token) {
    std::erase_if(registry().observers, [token](const auto& entry) { return entry.first == token; });
}

void PSListController::setStorageObserver(StorageObserver observer) {
    Registry& r = registry();
    removeStorageObserver(r.hostToken);
    r.hostToken = addStorageObserver(std::move(observer));
}

void PSListController::setRefusalObserver(RefusalObserver observer) { registry().refusalObserver = std::move(observer); }

namespace preferences {

void reportStored(const std::string& domain, const std::string& key, id value) {
    // A copy: an observer may add or remove observers while it runs.
    const auto observers = registry().observers;
    for (const auto& [token, observer] : observers) observer(domain, key, value);
}

void reportRefused(const std::string& domain, const std::string& key, id value, const std::string& problem) {
    const auto observer = registry().refusalObserver;
    if (observer) observer(domain, key, value, problem);
}

}  // namespace preferences
