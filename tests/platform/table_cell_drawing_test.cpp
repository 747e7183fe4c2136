// Cells lay out their parts in the iOS 7 metrics and draw their ground, hairlines and accessory.

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "PreferencePages.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIStringDrawing.h"

namespace {

using Pixel = std::array<uint8_t, 4>;
constexpr Pixel kWhite{255, 255, 255, 255}, kHairline{200, 199, 204, 255}, kChevron{199, 199, 204, 255};

Ref<UIImage> icon() { return UIImage::imageWithCGImage(CGImage::create(58, 58), 2); }

void expectFrame(CGRect actual, CGRect expected, const char* what) {
    EXPECT_TRUE(actual.origin.x == expected.origin.x && actual.origin.y == expected.origin.y &&
                actual.size.width == expected.size.width && actual.size.height == expected.size.height)
        << what << ": (" << actual.origin.x << ", " << actual.origin.y << ", " << actual.size.width << ", "
        << actual.size.height << ")";
}

// The cell drawn alone at scale 2.
Ref<CGImage> draw(UITableViewCell* cell) {
    cell->layoutIfNeeded();
    UIGraphicsBeginImageContextWithOptions(cell->bounds().size, true, 2);
    EXPECT_TRUE(cell->drawViewHierarchyInRect(cell->bounds()));
    Ref<CGImage> image = UIGraphicsGetImageFromCurrentImageContext()->CGImage();
    UIGraphicsEndImageContext();
    return image;
}

// Pixels of `image` in the point rect `area` (scale 2) that are `colour`.
int count(const CGImage* image, CGRect area, Pixel colour) {
    int n = 0;
    for (int y = static_cast<int>(area.origin.y * 2); y < static_cast<int>(CGRectGetMaxY(area) * 2); ++y)
        for (int x = static_cast<int>(area.origin.x * 2); x < static_cast<int>(CGRectGetMaxX(area) * 2); ++x)
            n += image->pixel(x, y) == colour;
    return n;
}

// Pixels in `area` that are neither white nor the hairline: ink of some mark.
int inked(const CGImage* image, CGRect area) {
    const int all = static_cast<int>(area.size.width * 2) * static_cast<int>(area.size.height * 2);
    return all - count(image, area, kWhite) - count(image, area, kHairline);
}

// A product cell that shows its row through a label of its own put on the cell.
class OwnViewsCell : public PSTableCell {
    OBJC_INTERFACE(OwnViewsCell, PSTableCell)

public:
    OwnViewsCell() = default;
    UITableViewCell* initWithStyle(UITableViewCellStyle style, const std::string& reuse) override {
        if (!PSTableCell::initWithStyle(style, reuse)) return nullptr;
        addSubview(make<UILabel>(CGRectMake(84, 18, 320, 44)));
        return this;
    }
};

// The columns (in pixels) where row y of `image` holds a pixel passing `test`: first and last; -1 when none.
std::pair<int, int> columns(const CGImage* image, bool (*test)(Pixel)) {
    std::pair<int, int> span{-1, -1};
    for (int y = 0; y < image->height(); ++y)
        for (int x = 0; x < image->width(); ++x)
            if (test(image->pixel(x, y))) {
                if (span.first < 0 || x < span.first) span.first = x;
                span.second = std::max(span.second, x);
            }
    return span;
}

bool blackInk(Pixel p) { return p[0] < 100 && p[0] == p[2]; }
// The value's grey (142, 142, 147) and its softer edges, but not the paler chevron.
bool valueInk(Pixel p) { return p[0] < 185 && p[2] >= p[0] + 4 && p[0] == p[1]; }

}  // namespace

OBJC_IMPLEMENTATION(OwnViewsCell)

TEST(TableCellLayout, EachKindOfRowPlacesItsTitleIconAndAccessory) {
    ShownPage shown;
    auto withIcon = shown.page->plainRow("Settings", PSLinkCell, DetailPage::class_());
    withIcon->setProperty(icon(), "iconImage");
    auto person = shown.page->plainRow("", PSLinkCell);
    person->setProperty(objc_classAsObject(OwnViewsCell::class_()), "cellClass");
    shown.page->setSpecifiers(NSArray::arrayWithObjects({
        shown.page->plainRow("Plain", PSTitleValueCell), shown.page->plainRow("Support", PSLinkCell), withIcon,
        shown.page->storedRow("Hide", PSSwitchCell, "kHide", NSNumber::numberWithBool(false)), person}));
    shown.show();

    auto* plain = shown.page->cellAtRow(0);
    expectFrame(plain->textLabel()->frame(), CGRectMake(15, 0, 290, 44), "a title alone");
    EXPECT_EQ(plain->separatorInset(), 15);
    EXPECT_TRUE(CGRectIsEmpty(plain->accessoryFrame()));

    auto* link = shown.page->cellAtRow(1);
    EXPECT_EQ(link->accessoryType(), UITableViewCellAccessoryDisclosureIndicator) << "a link opening no page still leads on";
    expectFrame(link->accessoryFrame(), CGRectMake(297, 15.5, 8, 13), "the chevron");
    expectFrame(link->textLabel()->frame(), CGRectMake(15, 0, 272, 44), "a title 10 points short of the chevron");

    auto* iconRow = shown.page->cellAtRow(2);
    expectFrame(iconRow->imageView()->frame(), CGRectMake(15, 7.5, 29, 29), "the icon");
    expectFrame(iconRow->textLabel()->frame(), CGRectMake(59, 0, 228, 44), "a title after the icon");
    EXPECT_EQ(iconRow->separatorInset(), 59);

    auto* toggle = objc_cast<PSSwitchTableCell>(shown.page->cellAtRow(3));
    expectFrame(toggle->switchControl()->frame(), CGRectMake(254, 6.5, 51, 31), "the switch");
    expectFrame(toggle->textLabel()->frame(), CGRectMake(15, 0, 231, 44), "a title 8 points short of the switch");
    toggle->setFrame(CGRectMake(0, 0, 320, 100));
    toggle->layoutIfNeeded();
    expectFrame(toggle->switchControl()->frame(), CGRectMake(254, 34.5, 51, 31), "the switch of a taller row");

    EXPECT_EQ(shown.page->cellAtRow(4)->accessoryType(), UITableViewCellAccessoryDisclosureIndicator)
        << "a link row leads on whatever views of its own a product's cell shows";
}

TEST(TableCellLayout, ChoicesAreCheckedAndTheTitleMakesRoomForTheCheck) {
    auto cell = make<UITableViewCell>();
    cell->textLabel()->setText("Red");
    cell->setAccessoryType(UITableViewCellAccessoryCheckmark);
    cell->layoutIfNeeded();
    expectFrame(cell->accessoryFrame(), CGRectMake(291, 16.5, 14, 11), "the check");
    expectFrame(cell->textLabel()->frame(), CGRectMake(15, 0, 268, 44), "a title 8 points short of the check");
    cell->setAccessoryType(UITableViewCellAccessoryNone);
    cell->layoutIfNeeded();
    EXPECT_EQ(cell->textLabel()->frame().size.width, 290) << "an unchecked choice gives the room back";
}

TEST(TableCellLayout, TheDetailTextKeepsItsWidthOrFortyPercentAndTheTitleEndsBeforeIt) {
    auto cell = make<UITableViewCell>();
    cell->initWithStyle(UITableViewCellStyleValue1, "");
    cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    cell->textLabel()->setText("Short");
    cell->detailTextLabel()->setText("Blue");
    cell->layoutIfNeeded();
    const CGFloat blue = std::ceil(UITextWidth("Blue", cell->detailTextLabel()->font()));
    expectFrame(cell->detailTextLabel()->frame(), CGRectMake(287 - blue, 0, blue, 44), "a value that fits, at the right");

    cell->textLabel()->setText("Farbe der Hintergrundbeleuchtung des Ziffernblocks");
    cell->setNeedsLayout();
    cell->layoutIfNeeded();
    const CGRect title = cell->textLabel()->frame(), value = cell->detailTextLabel()->frame();
    EXPECT_EQ(value.size.width, blue) << "a short value keeps its width beside a long title";
    EXPECT_EQ(CGRectGetMaxX(title) + 8, value.origin.x) << "the title ends 8 points before the value";

    cell->detailTextLabel()->setText("Dunkelblau mit einem Hauch von Grün und Grau");
    cell->setNeedsLayout();
    cell->layoutIfNeeded();
    EXPECT_NEAR(cell->detailTextLabel()->frame().size.width, 0.4 * 272, 1e-9) << "a long value keeps 40% of the room";
    EXPECT_EQ(CGRectGetMaxX(cell->textLabel()->frame()) + 8, cell->detailTextLabel()->frame().origin.x);
}

TEST(TableCellDrawing, HairlinesRunFromTheInsetOrAcrossTheGroupsEdges) {
    auto cell = make<UITableViewCell>();
    cell->textLabel()->setText("");
    Ref<CGImage> middle = draw(cell);
    EXPECT_EQ(middle->pixel(10, 40), kWhite) << "the cell's ground";
    EXPECT_EQ(middle->pixel(20, 87), kWhite) << "no hairline left of the inset";
    EXPECT_EQ(middle->pixel(32, 87), kHairline);
    EXPECT_EQ(middle->pixel(639, 87), kHairline);
    EXPECT_EQ(middle->pixel(20, 0), kWhite) << "no top hairline inside a group";

    cell->setGroupEdges(true, true);
    Ref<CGImage> alone = draw(cell);
    EXPECT_EQ(alone->pixel(0, 0), kHairline) << "the group's top";
    EXPECT_EQ(alone->pixel(639, 0), kHairline);
    EXPECT_EQ(alone->pixel(0, 87), kHairline) << "the group's bottom";
    EXPECT_EQ(alone->pixel(0, 86), kWhite);

    cell->setGroupEdges(false, false);
    cell->imageView()->setImage(icon());
    Ref<CGImage> withIcon = draw(cell);
    EXPECT_EQ(withIcon->pixel(116, 87), kWhite) << "under an icon the hairline starts at the text";
    EXPECT_EQ(withIcon->pixel(118, 87), kHairline);
}

TEST(TableCellDrawing, TheChevronIsGreyAndTheCheckTakesTheTintOnlyWhenChecked) {
    auto cell = make<UITableViewCell>();
    Ref<CGImage> none = draw(cell);
    EXPECT_EQ(inked(none, CGRectMake(280, 5, 40, 34)), 0);

    cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    Ref<CGImage> chevron = draw(cell);
    EXPECT_GT(count(chevron, CGRectMake(297, 15.5, 8, 13), kChevron), 10);
    EXPECT_EQ(inked(chevron, CGRectMake(200, 0, 96, 44)), 0) << "nothing left of the chevron";
    EXPECT_EQ(chevron->pixel(2 * 297 + 1, 2 * 22), kWhite) << "its back is open at the middle";
    EXPECT_EQ(chevron->pixel(2 * 304, 2 * 22), kChevron) << "its tip at the right";

    auto table = make<UIView>(CGRectMake(0, 0, 320, 44));
    table->setTintColor(UIColor::redColor());
    table->addSubview(cell);
    cell->setAccessoryType(UITableViewCellAccessoryCheckmark);
    Ref<CGImage> check = draw(cell);
    EXPECT_GT(count(check, CGRectMake(291, 16.5, 14, 11), Pixel{255, 0, 0, 255}), 10) << "in the tint it inherits";
    EXPECT_EQ(count(check, CGRectMake(297, 15.5, 8, 13), kChevron), 0);
}

TEST(TableCellDrawing, TheValueIsGreyAtTheRightAndALongTitleStopsShortOfIt) {
    auto cell = make<UITableViewCell>();
    cell->initWithStyle(UITableViewCellStyleValue1, "");
    cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    cell->textLabel()->setText("Hintergrundfarbe der Anruftaste und des Ziffernblocks");
    cell->detailTextLabel()->setText("Blau");
    Ref<CGImage> picture = draw(cell);
    const auto [titleStart, titleEnd] = columns(picture, blackInk);
    const auto [valueStart, valueEnd] = columns(picture, valueInk);
    ASSERT_GE(titleStart, 0) << "the title is drawn";
    ASSERT_GE(valueStart, 0) << "the value is drawn in its grey";
    EXPECT_NEAR(titleStart, 2 * 15, 4) << "the title starts at the margin";
    EXPECT_GT(titleEnd, 2 * 200) << "the title takes the room the value leaves";
    EXPECT_GT(valueStart - titleEnd, 2 * 8) << "and its ellipsis ends before the value";
    EXPECT_NEAR(valueEnd, 2 * 287, 4) << "the value ends 10 points short of the chevron";
}
