#pragma once
// Key paths into a property list: keys of dictionaries and indices of arrays joined by dots
// ("AppleLanguages.0"); a backslash keeps a dot inside a key ("com\.example.flag").

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "objc/runtime.h"

namespace plutil {

using KeyPath = std::vector<std::string>;

KeyPath splitKeyPath(std::string_view text);

// The value at the path, or nil with `problem` set.
Ref<NSObject> valueAt(NSObject* root, const KeyPath& path, std::string& problem);

enum class Edit {
    Insert,   // a new key, or a new array element at an index (the count appends)
    Replace,  // an existing key or element, or a new key
    Remove,   // an existing key or element
};

// The tree with one change at the path: the containers along it are copied, everything else is
// shared with `root`. Nil with `problem` set when the change does not fit the tree.
Ref<NSObject> edited(NSObject* root, const KeyPath& path, Edit edit, NSObject* value, std::string& problem);

}  // namespace plutil
