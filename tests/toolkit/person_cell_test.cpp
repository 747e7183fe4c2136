// The credits cell's layout, built when the cell is made, on a phone and on a tablet.

#include <gtest/gtest.h>
#include <stdlib.h>

#include "DeviceRoot.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "objc/message.h"
#include "toolkit/TXPersonCell.h"

namespace {

class Someone : public TXPersonCell {
    OBJC_INTERFACE(Someone, TXPersonCell)

public:
    Someone() = default;
    std::string name() const override { return "Brannoc Vesk"; }
    std::string personDescription() const override { return "The Developer"; }
    std::string imageName() const override { return "brannoc.png"; }
};

class Nobody : public TXPersonCell {
    OBJC_INTERFACE(Nobody, TXPersonCell)

public:
    Nobody() = default;
    std::string imageName() const override { return "missing.png"; }
};

// A view that answers `bundle` by message, as the page's table does on the device.
class BundleView : public UIView {
    OBJC_INTERFACE(BundleView, UIView)

public:
    BundleView() = default;
};

// Made by name, as the framework makes a row's cell.
Ref<TXPersonCell> cellOf(Class cls) {
    Ref<NSObject> cell = cls->createInstance();
    auto reuse = NSString::string("PSLinkCell");
    objc_msgSend<id(NSInteger, id)>(cell, SELECTOR("initWithStyle:reuseIdentifier:"), NSInteger{0},
                                     static_cast<id>(reuse.get()));
    return Ref<TXPersonCell>(objc_cast<TXPersonCell>(cell.get()));
}

class PersonCell : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("SIMULATOR_ROOT", device.path().c_str(), 1); }
    void TearDown() override { ::unsetenv("SIMULATOR_ROOT"); }
    void tablet() {
        device.writeFile("/var/mobile/Library/Preferences/com.apple.device.plist",
                         *plist::serialize(NSDictionary::dictionaryWithObjectsAndKeys({{"DeviceClass", NSString::string("iPad")}}),
                                           plist::Format::Binary));
    }
    testing_support::DeviceRoot device;
};

}  // namespace

OBJC_IMPLEMENTATION(Someone)
OBJC_IMPLEMENTATION(Nobody)
OBJC_IMPLEMENTATION(BundleView, objc::method("bundle", [](id, SEL) -> id { return NSBundle::mainBundle(); }))

TEST_F(PersonCell, LaysOutPictureNameAndDescriptionOnAPhone) {
    auto cell = cellOf(Someone::class_());
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->background()->frame(), CGRectMake(9, 18, 65, 65));
    ASSERT_TRUE(cell->background()->image()) << "the picture from the bundle holding the class";
    EXPECT_EQ(cell->nameLabel()->frame(), CGRectMake(84, 18, 320, 44));
    EXPECT_EQ(cell->descriptionLabel()->frame(), CGRectMake(84, 42, 320, 44));
    EXPECT_EQ(cell->nameLabel()->text(), "Brannoc Vesk");
    EXPECT_EQ(cell->descriptionLabel()->text(), "The Developer");
    EXPECT_EQ(cell->nameLabel()->font()->fontName(), "HelveticaNeue");
    EXPECT_EQ(cell->nameLabel()->font()->pointSize(), 21);
    EXPECT_FALSE(cell->nameLabel()->hasCustomTextColor());
    EXPECT_EQ(cell->descriptionLabel()->font()->fontName(), "Helvetica");
    EXPECT_EQ(cell->descriptionLabel()->font()->pointSize(), 15);
    EXPECT_NEAR(cell->descriptionLabel()->textColor()->red(), 0.45098, 1e-5);
    EXPECT_EQ(cell->descriptionLabel()->backgroundColor(), UIColor::clearColor());
    // Added to the cell itself, in the order picture, name, description.
    const auto& views = cell->subviews();
    ASSERT_GE(views.size(), 3u);
    EXPECT_EQ(views[views.size() - 3].get(), cell->background());
    EXPECT_EQ(views[views.size() - 2].get(), cell->nameLabel());
    EXPECT_EQ(views.back().get(), cell->descriptionLabel());
    EXPECT_EQ(cell->button(), nullptr);
}

TEST_F(PersonCell, ATabletGetsTheLargerLightName) {
    tablet();
    auto cell = cellOf(Someone::class_());
    EXPECT_EQ(cell->nameLabel()->font()->fontName(), "Helvetica-Light");
    EXPECT_EQ(cell->nameLabel()->font()->pointSize(), 30);
    EXPECT_EQ(cell->descriptionLabel()->font()->pointSize(), 15);
}

TEST_F(PersonCell, AnUnconfiguredOrPicturelessPersonStillLaysOut) {
    auto plain = cellOf(TXPersonCell::class_());
    EXPECT_EQ(plain->nameLabel()->text(), "");
    EXPECT_EQ(plain->descriptionLabel()->text(), "");
    EXPECT_EQ(plain->background()->image(), nullptr);
    auto missing = cellOf(Nobody::class_());
    EXPECT_EQ(missing->background()->image(), nullptr);
    EXPECT_EQ(missing->background()->frame(), CGRectMake(9, 18, 65, 65));
    missing->updateImage();
    EXPECT_EQ(missing->background()->frame(), CGRectMake(9, 18, 65, 65));
}

TEST_F(PersonCell, TextsComeFromTheBundleOfTheViewHoldingTheCell) {
    auto cell = cellOf(Someone::class_());
    EXPECT_EQ(cell->localizedString("Colour"), "Colour") << "in no view: the key";
    auto table = make<BundleView>();
    table->addSubview(cell);
    EXPECT_EQ(cell->localizedString("Colour"), "Farbe");
    EXPECT_EQ(cell->localizedString("Empty"), "") << "an empty translation is still a translation";
    EXPECT_EQ(cell->localizedString("No Entry"), "No Entry");
}
