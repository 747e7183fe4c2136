#include "KeyPath.h"

#include <charconv>
#include <optional>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"

namespace plutil {
namespace {

// An array index: decimal digits only, without a leading zero ("01" is a key, as Apple reads it).
std::optional<size_t> indexOf(const std::string& component) {
    size_t index = 0;
    const char* end = component.data() + component.size();
    const auto [stop, error] = std::from_chars(component.data(), end, index);
    if (component.empty() || error != std::errc() || stop != end) return std::nullopt;
    if (component.size() > 1 && component.front() == '0') return std::nullopt;
    return index;
}

std::string describe(const KeyPath& path, size_t depth) {
    std::string text;
    for (size_t i = 0; i < depth; ++i) text += (i ? "." : "") + path[i];
    return text;
}

Ref<NSObject> editedAt(NSObject* node, const KeyPath& path, size_t depth, Edit edit, NSObject* value,
                       std::string& problem) {
    const std::string& component = path[depth];
    const bool last = depth + 1 == path.size();
    const std::string where = "'" + describe(path, depth + 1) + "'";
    if (auto* dictionary = objc_cast<NSDictionary>(node)) {
        NSObject* current = dictionary->objectForKey(component);
        Ref<NSObject> replacement;
        if (!last) {
            if (!current) {
                problem = "no value at " + where;
                return nullptr;
            }
            replacement = editedAt(current, path, depth + 1, edit, value, problem);
            if (!replacement) return nullptr;
        } else if (edit == Edit::Insert && current) {
            problem = "a value already exists at " + where;
            return nullptr;
        } else if (edit == Edit::Remove && !current) {
            problem = "no value to remove at " + where;
            return nullptr;
        } else {
            replacement = edit == Edit::Remove ? nullptr : Ref<NSObject>(value);
        }
        auto copy = make<NSMutableDictionary>(dictionary->entries());
        copy->setObject(replacement, component);
        return copy;
    }
    if (auto* array = objc_cast<NSArray>(node)) {
        const std::optional<size_t> index = indexOf(component);
        const size_t count = array->count();
        const bool appending = last && edit == Edit::Insert;
        if (!index || *index > count || (*index == count && !appending)) {
            problem = index ? "index out of range at " + where : "'" + component + "' is not an array index at " + where;
            return nullptr;
        }
        std::vector<Ref<NSObject>> items = array->objects();
        if (!last) {
            Ref<NSObject> replacement = editedAt(items[*index], path, depth + 1, edit, value, problem);
            if (!replacement) return nullptr;
            items[*index] = replacement;
        } else if (edit == Edit::Insert) {
            items.insert(items.begin() + static_cast<std::ptrdiff_t>(*index), Ref<NSObject>(value));
        } else if (edit == Edit::Replace) {
            items[*index] = value;
        } else {
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(*index));
        }
        return make<NSMutableArray>(std::move(items));
    }
    problem = "'" + describe(path, depth) + "' holds neither a dictionary nor an array";
    if (depth == 0) problem = "the top level holds neither a dictionary nor an array";
    return nullptr;
}

}  // namespace

KeyPath splitKeyPath(std::string_view text) {
    KeyPath path(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            path.back() += text[++i];
        } else if (text[i] == '.') {
            path.emplace_back();
        } else {
            path.back() += text[i];
        }
    }
    return path;
}

Ref<NSObject> valueAt(NSObject* root, const KeyPath& path, std::string& problem) {
    NSObject* node = root;
    for (size_t depth = 0; depth < path.size() && node; ++depth) {
        if (auto* dictionary = objc_cast<NSDictionary>(node)) {
            node = dictionary->objectForKey(path[depth]);
        } else if (auto* array = objc_cast<NSArray>(node)) {
            const std::optional<size_t> index = indexOf(path[depth]);
            node = index ? array->objectAtIndex(*index) : nullptr;
        } else {
            node = nullptr;
        }
    }
    if (!node) problem = "no value at '" + describe(path, path.size()) + "'";
    return node;
}

Ref<NSObject> edited(NSObject* root, const KeyPath& path, Edit edit, NSObject* value, std::string& problem) {
    return editedAt(root, path, 0, edit, value, problem);
}

}  // namespace plutil
