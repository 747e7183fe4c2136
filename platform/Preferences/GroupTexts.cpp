#include "GroupTexts.h"

namespace preferences {
namespace {

constexpr CGFloat kMargin = 15;
constexpr CGFloat kTitleHeight = 18, kTitleGap = 7;  // the title line and its gap above the rows
constexpr CGFloat kFooterGap = 7, kFooterBottom = 3;

Ref<UILabel> groupLabel(const std::string& text, CGRect frame) {
    auto label = make<UILabel>(frame);
    label->setText(text);
    label->setFont(UIFont::fontWithName("HelveticaNeue", 14));
    label->setTextColor(UIColor::colorWithRed(0.427, 0.427, 0.447, 1));
    return label;
}

std::string withoutTrailingBlanks(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '\t')) text.pop_back();
    return text;
}

}  // namespace

std::string upperCasedTitle(const std::string& text) {
    std::string out = text;
    for (size_t i = 0; i < out.size(); ++i) {
        auto byte = static_cast<unsigned char>(out[i]);
        if (byte >= 'a' && byte <= 'z') {
            out[i] = static_cast<char>(byte - 32);
        } else if (byte == 0xC3 && i + 1 < out.size()) {
            // U+00E0...U+00FE less the division sign: their capitals are 32 code points lower.
            auto next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0xA0 && next <= 0xBE && next != 0xB7) out[i + 1] = static_cast<char>(next - 32);
            ++i;
        }
    }
    return out;
}

Ref<UILabel> groupTitleLabel(const std::string& title, CGFloat groupTop, CGFloat tableWidth) {
    return groupLabel(upperCasedTitle(title), CGRectMake(kMargin, groupTop - kTitleGap - kTitleHeight, tableWidth - 2 * kMargin,
                                                         kTitleHeight));
}

Ref<UILabel> groupFooterLabel(const std::string& footer, CGFloat groupBottom, CGFloat tableWidth) {
    const std::string text = withoutTrailingBlanks(footer);
    const CGFloat width = tableWidth - 2 * kMargin;
    auto label = groupLabel(text, CGRectMake(kMargin, groupBottom + kFooterGap, width, 0));
    label->setNumberOfLines(0);
    const CGFloat height = label->sizeThatFits(CGSizeMake(width, 0)).height;
    if (height <= 0) return nullptr;
    label->setFrame(CGRectMake(kMargin, groupBottom + kFooterGap, width, height));
    return label;
}

CGFloat belowGroupFooter(const UILabel* footer, CGFloat groupBottom) {
    return groupBottom + kFooterGap + (footer ? footer->frame().size.height : 0) + kFooterBottom;
}

}  // namespace preferences
