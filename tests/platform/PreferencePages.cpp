#include "PreferencePages.h"

#include "Preferences/PreferencesStore.h"
#include "objc/message.h"

OBJC_IMPLEMENTATION(TestPage,
    objc::method("act", [](id self, SEL) { ++static_cast<TestPage*>(self)->acted; }),
    objc::method("actWith:", [](id self, SEL, id sender) { static_cast<TestPage*>(self)->actedWith = sender; }),
    objc::method("setColour:specifier:", [](id self, SEL, id value, id specifier) {
        auto* page = static_cast<TestPage*>(self);
        auto* number = objc_cast<NSNumber>(value);
        page->colourSetterValues.push_back(number ? number->longLongValue() : -1);
        page->setPreferenceValue(value, objc_cast<PSSpecifier>(specifier));
    }))
OBJC_IMPLEMENTATION(DetailPage)
OBJC_IMPLEMENTATION(RecordingCell)


Ref<PSSpecifier> TestPage::storedRow(const char* name, PSCellType type, const char* key, Ref<NSObject> fallback,
                                     const char* notification) {
    auto s = PSSpecifier::preferenceSpecifierNamed(NSString::string(name), this, SELECTOR("setPreferenceValue:specifier:"),
                                                   SELECTOR("readPreferenceValue:"), nullptr, type, nullptr);
    s->setProperty(NSString::string(key), "key");
    s->setProperty(fallback, "default");
    s->setProperty(NSString::string(kTestDomain), "defaults");
    if (notification) s->setProperty(NSString::string(notification), "PostNotification");
    return s;
}

Ref<PSSpecifier> TestPage::colourRow(const char* key, long long fallback) {
    auto s = PSSpecifier::preferenceSpecifierNamed(NSString::string("Colour"), this, SELECTOR("setColour:specifier:"),
                                                   SELECTOR("readPreferenceValue:"), PSListItemsController::class_(),
                                                   PSLinkListCell, nullptr);
    s->setProperty(NSString::string(key), "key");
    s->setProperty(NSNumber::numberWithInteger(fallback), "default");
    s->setProperty(NSString::string(kTestDomain), "defaults");
    s->setProperty(NSString::string(kTestNotification), "PostNotification");
    s->setValues(numbers({1, 2, 4}), strings({"Black", "Blue", "Cyan"}));
    return s;
}

Ref<PSSpecifier> TestPage::plainRow(const char* name, PSCellType type, Class detail) {
    return PSSpecifier::preferenceSpecifierNamed(NSString::string(name), this, nullptr, nullptr, detail, type, nullptr);
}

UITableViewCell* RecordingCell::initWithStyle(UITableViewCellStyle style, const std::string& reuse) {
    ++initialised;
    reuseSeen = reuse;
    return PSSwitchTableCell::initWithStyle(style, reuse);
}

void RecordingCell::layoutSubviews() {
    PSSwitchTableCell::layoutSubviews();
    titlesAtLayout.push_back(titleTextLabel()->text());
}

PostedNames::PostedNames() {
    token = cf::addNotificationTap([this](const cf::NotificationCallRecord& r) {
        if (r.call == cf::NotificationCall::Post) names.push_back(r.name);
    });
}

PostedNames::~PostedNames() { cf::removeNotificationTap(token); }

StoredValues::StoredValues() {
    token = PSListController::addStorageObserver([this](const std::string& domain, const std::string& key, id value) {
        entries.push_back(domain + " " + key + "=" + (value ? value->description() : "nil"));
    });
}

StoredValues::~StoredValues() { PSListController::removeStorageObserver(token); }

std::optional<long long> storedNumber(const char* key) {
    const auto nKept = PreferencesStore::readPreferenceValue(kTestDomain, key);
    auto* n = objc_cast<NSNumber>(nKept.get());
    return n ? std::optional<long long>(n->longLongValue()) : std::nullopt;
}

void ShownPage::show() {
    nav = UINavigationController::initWithRootViewController(page);
    nav->show();
}
