#include "toolkit/TXTintedListController.h"

#include "Foundation/NSException.h"
#include "Foundation/NSLog.h"
#include "Social/SLComposeViewController.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UISwitch.h"
#include "objc/message.h"
#include "toolkit/PageTints.h"
#include "toolkit/TXSpecifierParser.h"
#include "toolkit/UIImage+Colored.h"

OBJC_IMPLEMENTATION(TXTintedListController,
    objc::method("heartWasTouched", [](id self, SEL) { static_cast<TXTintedListController*>(self)->heartWasTouched(); }))

NSArray* TXTintedListController::specifiers() {
    if (_specifiers) return _specifiers;
    if (auto table = customSpecifiers()) {
        _specifiers = TXSpecifierParser::specifiersFromArray(table->get(), this);
        if (auto title = customTitle()) setTitle(localizedString(*title));
    } else if (auto name = plistName()) {
        _specifiers = loadSpecifiersFromPlistName(*name, this);
    } else {
        // A page with no rows at all is a programming error.
        make<NSException>()->raise();
    }
    localizedSpecifiersWithSpecifiers(_specifiers);
    return _specifiers;
}

std::string TXTintedListController::localizedString(const std::string& key) {
    // The bundle gives the key back for a missing entry; an entry that is empty stays empty.
    NSBundle* b = bundle();
    return b ? b->localizedString(key, key) : key;
}

std::string TXTintedListController::navigationTitle() { return localizedString(PSListController::navigationTitle()); }

NSArray* TXTintedListController::localizedSpecifiersWithSpecifiers(NSArray* specifiers) {
    NSLog("localizedSpecifiersWithSpecifiers");
    if (!specifiers) return specifiers;
    for (const auto& item : *specifiers) {
        auto* s = objc_cast<PSSpecifier>(item.get());
        if (!s) continue;
        if (NSString* name = s->name()) s->setName(NSString::string(localizedString(name->str())));
        if (auto* footer = objc_cast<NSString>(s->propertyForKey("footerText")))
            s->setProperty(NSString::string(localizedString(footer->str())), "footerText");
        if (NSDictionary* titles = s->titleDictionary()) {
            auto translated = make<NSMutableDictionary>();
            for (const auto& [value, title] : *titles) {
                auto* text = objc_cast<NSString>(title.get());
                translated->setObject(text ? NSString::string(localizedString(text->str())).get() : title.get(), value);
            }
            s->setTitleDictionary(translated);
        }
    }
    return specifiers;
}

Ref<UIColor> TXTintedListController::defaultTintBlue() { return make<UIView>()->tintColor(); }

OptionalColour TXTintedListController::heartImageColor() const {
    if (auto c = firstImplemented({navigationTintColor(), tintColor()})) return c;
    return defaultTintBlue();
}

bool TXTintedListController::respondsToSelector(SEL sel) const {
    const std::string_view name = sel_getName(sel);
    if (auto implemented = implementsAccessor(name)) return *implemented;
    if (name == "iconColor") {
        auto* source = dynamic_cast<const TXIconColorSource*>(this);
        return source && source->iconColor().has_value();
    }
    return PSListController::respondsToSelector(sel);
}

void TXTintedListController::installHeartButton() {
    Ref<UIImage> heart = UIImage::imageNamed("heart.png", NSBundle::bundleForClass(TXTintedListController::class_()));
    if (auto colour = heartImageColor()) heart = changeImageColor(heart, *colour);
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setFrame({{0, 0}, heart ? heart->size() : CGSize{}});
    button->setBackgroundImage(heart, UIControlStateNormal);
    button->addTarget(this, SELECTOR("heartWasTouched"), UIControlEventTouchUpInside);
    button->setShowsTouchWhenHighlighted(true);
    auto item = UIBarButtonItem::initWithCustomView(button);
    if (shiftHeartImage().value_or(false)) {
        // A negative spacer puts the heart 16 points nearer the screen edge.
        auto spacer = UIBarButtonItem::initWithBarButtonSystemItem(UIBarButtonSystemItemFixedSpace, nullptr, nullptr);
        spacer->setWidth(-16);
        navigationItem()->setRightBarButtonItems({spacer, item}, false);
    } else {
        navigationItem()->setRightBarButtonItem(item);
    }
}

void TXTintedListController::applySwitchTints() {
    if (auto wanted = tintSwitches(); wanted && !*wanted) return;
    UISwitchAppearance* appearance = UISwitch::appearanceWhenContainedIn(isa());
    if (auto onTint = firstImplemented({switchOnTintColor(), tintColor()})) appearance->setOnTintColor(*onTint);
    if (auto tint = firstImplemented({switchTintColor(), tintColor()})) appearance->setTintColor(*tint);
}

void TXTintedListController::loadView() {
    PSListController::loadView();
    if (showHeartImage().value_or(false)) installHeartButton();
    setupHeader();
    applySwitchTints();
}

void TXTintedListController::heartWasTouched() {
    auto sheet = SLComposeViewController::composeViewControllerForServiceType(SLServiceTypeTwitter);
    sheet->setInitialText(shareMessage().value_or(kDefaultShareMessage));
    presentViewController(sheet, true, nullptr);
}

namespace {

Ref<UILabel> headerLabel(CGRect frame, const std::string& text, CGFloat size) {
    auto label = make<UILabel>(frame);
    label->setText(text);
    label->setFont(UIFont::fontWithName("HelveticaNeue-Light", size));
    label->setBackgroundColor(UIColor::clearColor());
    label->setTextAlignment(NSTextAlignmentCenter);
    return label;
}

}  // namespace

void TXTintedListController::setupHeader() {
    std::optional<Ref<UIView>> header;
    if (auto name = headerImage()) {
        auto view = make<UIView>(CGRectMake(0, 0, this->view()->bounds().size.width, 100));
        Ref<UIImage> picture = UIImage::imageNamed(*name, bundle());
        auto imageView = make<UIImageView>(picture.get());
        const CGRect own = imageView->frame();
        imageView->setFrame(CGRectMake(own.origin.x, 10, own.size.width, picture ? picture->size().height : 0));
        view->addSubview(imageView);
        header = view;
    }
    if (auto text = headerText()) {
        auto view = make<UIView>(CGRectMake(0, 0, UIScreen::mainScreen()->bounds().size.width, 60));
        const CGRect v = view->frame();
        auto title = headerLabel(CGRectMake(0, 17, v.size.width, v.size.height - 10), localizedString(*text), 48);
        const auto colour = [this](UILabel* label) {
            if (auto tint = tintColor()) label->setTextColor(*tint);
            if (auto own = headerColor()) label->setTextColor(*own);
        };
        colour(title);
        if (auto sub = headerSubText()) {
            view->setFrame(CGRectMake(v.origin.x, v.origin.y, v.size.width, v.size.height + 35));
            CGRect t = title->frame();
            title->setFrame(CGRectMake(t.origin.x, 10, t.size.width, t.size.height - 5));
            view->addSubview(title);
            t = title->frame();
            auto subtitle = headerLabel(CGRectMake(view->frame().origin.x, t.origin.y + t.size.height,
                                                   view->frame().size.width, 20),
                                        localizedString(*sub), 16);
            colour(subtitle);
            view->addSubview(subtitle);
        } else {
            const CGRect t = title->frame();
            title->setFrame(CGRectMake(t.origin.x, 5, t.size.width, t.size.height));
            view->addSubview(title);
        }
        header = view;
    }
    if (auto custom = headerView()) header = *custom;
    if (header && *header) {
        (*header)->setBackgroundColor(UIColor::clearColor());
        table()->setTableHeaderView(*header);
    }
}

void TXTintedListController::viewWillAppear(bool animated) {
    applyPageTints(*this, *this);
    PSListController::viewWillAppear(animated);
}

void TXTintedListController::viewWillDisappear(bool animated) {
    PSListController::viewWillDisappear(animated);
    clearPageTints(*this);
}
