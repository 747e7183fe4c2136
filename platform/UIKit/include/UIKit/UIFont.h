#pragma once
// Fonts of the iOS 7 catalogue: the Helvetica and Helvetica Neue families, by PostScript name
// ("HelveticaNeue-Light") or full name ("Helvetica Neue Light"). Drawing maps them to the machine's
// fonts (Roboto stands in for Helvetica) with weight and slant kept.

#include <string>

#include "CoreGraphics/CGGeometry.h"
#include "objc/runtime.h"

class UIFont : public NSObject {
    OBJC_INTERFACE(UIFont, NSObject)

public:
    enum class Weight { UltraLight, Thin, Light, Regular, Medium, Bold };

    UIFont() = default;
    UIFont(std::string postScriptName, std::string familyName, Weight weight, bool italic, CGFloat size)
        : fontName_(std::move(postScriptName)), familyName_(std::move(familyName)), weight_(weight),
          italic_(italic), pointSize_(size) {}

    // Nil for a name the catalogue does not have.
    static Ref<UIFont> fontWithName(const std::string& name, CGFloat size);
    static Ref<UIFont> systemFontOfSize(CGFloat size);

    const std::string& fontName() const { return fontName_; }
    const std::string& familyName() const { return familyName_; }
    CGFloat pointSize() const { return pointSize_; }
    Weight weight() const { return weight_; }
    bool isItalic() const { return italic_; }
    std::string description() const override;

private:
    std::string fontName_, familyName_;
    Weight weight_ = Weight::Regular;
    bool italic_ = false;
    CGFloat pointSize_ = 17;
};
