#pragma once
// What a page may tell the toolkit about itself. Every accessor is optional: no value means the page
// does not implement it, exactly what respondsToSelector: decides on the device. An implemented
// accessor may still answer nil (a headerView of nothing).

#include <optional>
#include <string>
#include <string_view>

#include "Foundation/NSArray.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIView.h"

using OptionalColour = std::optional<Ref<UIColor>>;

class TXListControllerProtocol {
public:
    virtual ~TXListControllerProtocol() = default;

    virtual std::optional<std::string> plistName() const { return std::nullopt; }
    virtual std::optional<Ref<NSArray>> customSpecifiers() const { return std::nullopt; }
    virtual std::optional<std::string> customTitle() const { return std::nullopt; }
    virtual std::optional<bool> showHeartImage() const { return std::nullopt; }
    virtual std::optional<bool> shiftHeartImage() const { return std::nullopt; }
    virtual std::optional<std::string> shareMessage() const { return std::nullopt; }
    virtual OptionalColour heartImageColor() const { return std::nullopt; }
    virtual std::optional<bool> tintNavigationTitleText() const { return std::nullopt; }
    virtual std::optional<bool> tintSwitches() const { return std::nullopt; }
    virtual OptionalColour tintColor() const { return std::nullopt; }
    virtual OptionalColour navigationTintColor() const { return std::nullopt; }
    virtual OptionalColour navigationTitleTintColor() const { return std::nullopt; }
    virtual OptionalColour switchTintColor() const { return std::nullopt; }
    virtual OptionalColour switchOnTintColor() const { return std::nullopt; }
    virtual std::optional<std::string> headerImage() const { return std::nullopt; }
    virtual std::optional<std::string> headerText() const { return std::nullopt; }
    virtual std::optional<std::string> headerSubText() const { return std::nullopt; }
    virtual std::optional<Ref<UIView>> headerView() const { return std::nullopt; }
    virtual OptionalColour headerColor() const { return std::nullopt; }

    // Whether the page implements the accessor of that selector name; answers respondsToSelector:.
    // Nullopt for a name that is not one of these accessors.
    std::optional<bool> implementsAccessor(std::string_view selector) const;
};

// The colour of a page's row icons, asked for by the specifier parser. Not one of the protocol's
// accessors, but optional in the same way.
class TXIconColorSource {
public:
    virtual ~TXIconColorSource() = default;
    virtual OptionalColour iconColor() const { return std::nullopt; }
};

// The first of the colours that is implemented, or nullopt: the toolkit's fallback chains.
inline OptionalColour firstImplemented(std::initializer_list<OptionalColour> colours) {
    for (const auto& c : colours)
        if (c) return c;
    return std::nullopt;
}
