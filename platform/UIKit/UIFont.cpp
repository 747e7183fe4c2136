#include "UIKit/UIFont.h"

#include <cstdio>

OBJC_IMPLEMENTATION(UIFont)

namespace {

struct Face {
    const char* postScript;
    const char* fullName;
    const char* family;
    UIFont::Weight weight;
    bool italic;
};

using W = UIFont::Weight;
constexpr Face kCatalogue[] = {
    {"Helvetica", "Helvetica", "Helvetica", W::Regular, false},
    {"Helvetica-Light", "Helvetica Light", "Helvetica", W::Light, false},
    {"Helvetica-Bold", "Helvetica Bold", "Helvetica", W::Bold, false},
    {"Helvetica-Oblique", "Helvetica Oblique", "Helvetica", W::Regular, true},
    {"Helvetica-LightOblique", "Helvetica Light Oblique", "Helvetica", W::Light, true},
    {"Helvetica-BoldOblique", "Helvetica Bold Oblique", "Helvetica", W::Bold, true},
    {"HelveticaNeue", "Helvetica Neue", "Helvetica Neue", W::Regular, false},
    {"HelveticaNeue-Light", "Helvetica Neue Light", "Helvetica Neue", W::Light, false},
    {"HelveticaNeue-Bold", "Helvetica Neue Bold", "Helvetica Neue", W::Bold, false},
    {"HelveticaNeue-Italic", "Helvetica Neue Italic", "Helvetica Neue", W::Regular, true},
    {"HelveticaNeue-LightItalic", "Helvetica Neue Light Italic", "Helvetica Neue", W::Light, true},
    {"HelveticaNeue-BoldItalic", "Helvetica Neue Bold Italic", "Helvetica Neue", W::Bold, true},
    {"HelveticaNeue-Thin", "Helvetica Neue Thin", "Helvetica Neue", W::Thin, false},
    {"HelveticaNeue-UltraLight", "Helvetica Neue UltraLight", "Helvetica Neue", W::UltraLight, false},
    {"HelveticaNeue-Medium", "Helvetica Neue Medium", "Helvetica Neue", W::Medium, false},
};

}  // namespace

Ref<UIFont> UIFont::fontWithName(const std::string& name, CGFloat size) {
    for (const Face& f : kCatalogue)
        if (name == f.postScript || name == f.fullName) return make<UIFont>(f.postScript, f.family, f.weight, f.italic, size);
    return nullptr;
}

Ref<UIFont> UIFont::systemFontOfSize(CGFloat size) { return fontWithName("HelveticaNeue", size); }

std::string UIFont::description() const {
    char buf[128];
    std::snprintf(buf, sizeof buf, "%s %g", fontName_.c_str(), pointSize_);
    return buf;
}
