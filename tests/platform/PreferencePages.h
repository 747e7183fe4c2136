#pragma once
// Pages, cells and helpers shared by the Preferences framework tests: a page whose rows a test
// builds, a detail page, a cell class that records how the framework drives it, and a page shown
// through a real navigation controller on a scratch device.

#include <optional>
#include <string>
#include <vector>

#include "CoreFoundation/CFNotificationRecording.h"
#include "Foundation/NSNumber.h"
#include "Preferences/PSListController.h"
#include "ScratchDevice.h"

// Choice arrays, spelled briefly.
inline Ref<NSArray> numbers(std::initializer_list<long long> values) {
    std::vector<Ref<NSObject>> items;
    for (long long v : values) items.push_back(NSNumber::numberWithInteger(v));
    return make<NSArray>(std::move(items));
}

inline Ref<NSArray> strings(std::initializer_list<const char*> values) {
    std::vector<Ref<NSObject>> items;
    for (const char* v : values) items.push_back(NSString::string(v));
    return make<NSArray>(std::move(items));
}

inline constexpr const char* kTestDomain = "com.test.prefs";
inline constexpr const char* kTestNotification = "com.test.prefs/Changed";

class TestPage : public PSListController {
    OBJC_INTERFACE(TestPage, PSListController)

public:
    TestPage() = default;
    NSBundle* bundle() const override { return bundleOverride ? bundleOverride : PSListController::bundle(); }

    // A row that keeps its value in the test domain through the page's default setter and getter.
    Ref<PSSpecifier> storedRow(const char* name, PSCellType type, const char* key, Ref<NSObject> fallback,
                               const char* notification = kTestNotification);
    // A choice row over the colours Black = 1, Blue = 2, Cyan = 4, opening a PSListItemsController.
    Ref<PSSpecifier> colourRow(const char* key, long long fallback);
    // A row with no value of its own.
    Ref<PSSpecifier> plainRow(const char* name, PSCellType type = PSLinkCell, Class detail = nullptr);

    NSBundle* bundleOverride = nullptr;
    int acted = 0;
    NSObject* actedWith = nullptr;
    // The values given to the page's own colour setter, which stores through the default one.
    std::vector<long long> colourSetterValues;
};

class DetailPage : public PSListController {
    OBJC_INTERFACE(DetailPage, PSListController)

public:
    DetailPage() = default;
};

// A product-style cell: its own initialiser and layout, both driven by name or by the framework.
class RecordingCell : public PSSwitchTableCell {
    OBJC_INTERFACE(RecordingCell, PSSwitchTableCell)

public:
    RecordingCell() = default;
    UITableViewCell* initWithStyle(UITableViewCellStyle style, const std::string& reuse) override;
    void layoutSubviews() override;

    static inline int initialised = 0;
    std::string reuseSeen;
    // The title each layout saw, in order.
    std::vector<std::string> titlesAtLayout;
};

// Every Darwin notification posted while it lives.
struct PostedNames {
    PostedNames();
    ~PostedNames();
    PostedNames(const PostedNames&) = delete;
    PostedNames& operator=(const PostedNames&) = delete;
    std::vector<std::string> names;
    cf::NotificationTapToken token;
};

// Every value stored through the framework while it lives, as "domain key=value".
struct StoredValues {
    StoredValues();
    ~StoredValues();
    StoredValues(const StoredValues&) = delete;
    StoredValues& operator=(const StoredValues&) = delete;
    std::vector<std::string> entries;
    PSListController::StorageObserverToken token;
};

// The stored number under a key of the test domain; nullopt when nothing is stored.
std::optional<long long> storedNumber(const char* key);

// A page shown as the root of a navigation controller, on a scratch device.
struct ShownPage {
    ShownPage() = default;
    // Rows must be set before the page is shown, as a product page builds them on first request.
    void show();
    ScratchDevice device;
    PostedNames posts;
    Ref<TestPage> page = make<TestPage>();
    Ref<UINavigationController> nav;
};
