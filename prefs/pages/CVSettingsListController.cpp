#include "pages/CVSettingsListController.h"

#include <array>
#include <span>
#include <vector>

#include "pages/PageTitles.h"
#include "pages/RestartObserver.h"
#include "pages/RowValues.h"

OBJC_IMPLEMENTATION(CVSettingsListController)

namespace {

using namespace rows;

// The colour tables the hook library reads the indices with: titles in index order from 1.
constexpr std::array<const char*, 14> kTextColourTitles = {"Black", "Blue", "Brown", "Cyan", "Dark Gray", "Gray", "Green",
                                                    "Light Gray", "Magenta", "Orange", "Purple", "Red", "White", "Yellow"};
constexpr std::array<const char*, 15> kBackgroundColourTitles = {"Black", "Blue", "Brown", "Clear", "Cyan", "Dark Gray", "Gray",
                                                          "Green", "Light Gray", "Magenta", "Orange", "Purple", "Red",
                                                          "White", "Yellow"};
constexpr long long kBackgroundClear = 4;
constexpr long long kTextBlack = 1;

Ref<NSDictionary> titledGroup(const char* title) { return row({{"cell", text("PSGroupCell")}, {"label", text(title)}}); }

// The keys every storing row carries: where its value goes and what is posted after a change.
void addStorage(std::vector<Entry>& entries) {
    entries.push_back({"defaults", text(CVSettingsListController::kPreferenceDomain)});
    entries.push_back({"PostNotification", text(kKillPhoneNotification)});
}

Ref<NSDictionary> dictionaryOf(std::vector<Entry> entries) {
    NSDictionary::Storage storage;
    for (auto& [key, value] : entries) storage.emplace(std::move(key), std::move(value));
    return make<NSDictionary>(std::move(storage));
}

Ref<NSDictionary> switchRow(const char* label, const char* key) {
    std::vector<Entry> entries{{"cell", text("PSSwitchCell")},
                               {"label", text(label)},
                               {"key", text(key)},
                               {"default", flag(false)},
                               {"cellClass", text("TXTintedSwitchCell")}};
    addStorage(entries);
    return dictionaryOf(std::move(entries));
}

Ref<NSDictionary> colourRow(const char* label, const char* key, long long defaultIndex,
                            std::span<const char* const> titles) {
    std::vector<Ref<NSObject>> titleObjects, valueObjects;
    for (size_t i = 0; i < titles.size(); ++i) {
        titleObjects.push_back(text(titles[i]));
        valueObjects.push_back(integer(static_cast<long long>(i) + 1));
    }
    std::vector<Entry> entries{{"cell", text("PSLinkListCell")},
                               {"label", text(label)},
                               {"key", text(key)},
                               {"default", integer(defaultIndex)},
                               {"detail", text("TXListItemsController")},
                               {"validTitles", make<NSArray>(std::move(titleObjects))},
                               {"validValues", make<NSArray>(std::move(valueObjects))}};
    addStorage(entries);
    return dictionaryOf(std::move(entries));
}

}  // namespace

std::optional<Ref<NSArray>> CVSettingsListController::customSpecifiers() const {
    return NSArray::arrayWithObjects({
        untitledGroup(),
        switchRow("Background", "kLCD"),
        switchRow("Blur Background", "Blur"),
        switchRow("Button Background", "ButtonColor"),
        titledGroup("Status Bar"),
        switchRow("Hide Status Bar", "kStatus"),
        colourRow("Text Colour", "fgc", kTextBlack, kTextColourTitles),
        colourRow("Background Colour", "bgc", kBackgroundClear, kBackgroundColourTitles),
        titledGroup("Call Button"),
        switchRow("Custom Colour", "enabled"),
        colourRow("Background Colour", "call", kBackgroundClear, kBackgroundColourTitles),
        titledGroup("Miscellaneous"),
        switchRow("Black Tab Buttons", "tab"),
        switchRow("Hide Voicemail Tab", "kVoice"),
    });
}

void CVSettingsListController::loadView() {
    TXTintedListController::loadView();
    registerRestartObserver();
}

void CVSettingsListController::viewWillAppear(bool animated) {
    TXTintedListController::viewWillAppear(animated);
    setTitle(kShownPageTitle);
}

void CVSettingsListController::viewWillDisappear(bool animated) {
    TXTintedListController::viewWillDisappear(animated);
    setTitle(kCoveredPageTitle);
}

void CVSettingsListController::viewDidDisappear(bool animated) {
    TXTintedListController::viewDidDisappear(animated);
    removeRestartObserver();
}
