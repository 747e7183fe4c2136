#pragma once

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "objc/runtime.h"

class NSArray : public NSObject {
    OBJC_INTERFACE(NSArray, NSObject)

public:
    NSArray() = default;
    explicit NSArray(std::vector<Ref<NSObject>> items) : items_(std::move(items)) {}
    static Ref<NSArray> arrayWithObjects(std::initializer_list<Ref<NSObject>> items) {
        return make<NSArray>(std::vector<Ref<NSObject>>(items));
    }

    size_t count() const { return items_.size(); }
    // nil past the end, rather than an exception: callers here only read tables they built.
    id objectAtIndex(size_t i) const { return i < items_.size() ? items_[i].get() : nullptr; }
    const std::vector<Ref<NSObject>>& objects() const { return items_; }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

protected:
    std::vector<Ref<NSObject>> items_;
};

class NSMutableArray : public NSArray {
    OBJC_INTERFACE(NSMutableArray, NSArray)

public:
    NSMutableArray() = default;
    explicit NSMutableArray(std::vector<Ref<NSObject>> items) : NSArray(std::move(items)) {}
    void addObject(id obj) { items_.emplace_back(obj); }
    void removeAllObjects() { items_.clear(); }
    void insertObject(id obj, size_t index) { items_.insert(items_.begin() + std::min(index, items_.size()), Ref<NSObject>(obj)); }
};
