#include "pages/CVCreditsListController.h"

#include "pages/PageTitles.h"
#include "pages/RowValues.h"
#include "toolkit/TXSharedHelper.h"

OBJC_IMPLEMENTATION(CVCreditsListController,
    objc::method("openBrannocTwitter", [](id self, SEL) { static_cast<CVCreditsListController*>(self)->openBrannocTwitter(); }),
    objc::method("openQuillexTwitter", [](id self, SEL) { static_cast<CVCreditsListController*>(self)->openQuillexTwitter(); }),
    objc::method("openPeloTwitter", [](id self, SEL) { static_cast<CVCreditsListController*>(self)->openPeloTwitter(); }))
OBJC_IMPLEMENTATION(CVBrannocPersonCell)
OBJC_IMPLEMENTATION(CVQuillexPersonCell)
OBJC_IMPLEMENTATION(CVPeloPersonCell)

namespace {

using namespace rows;

constexpr long long kPersonRowHeight = 100;

Ref<NSDictionary> personRow(const char* cellClass, const char* action) {
    return row({{"cell", text("PSLinkCell")}, {"cellClass", text(cellClass)}, {"height", integer(kPersonRowHeight)},
                {"action", text(action)}});
}

}  // namespace

std::optional<Ref<NSArray>> CVCreditsListController::customSpecifiers() const {
    return NSArray::arrayWithObjects({untitledGroup(), personRow("CVBrannocPersonCell", "openBrannocTwitter"),
                                      untitledGroup(), personRow("CVQuillexPersonCell", "openQuillexTwitter"),
                                      untitledGroup(), personRow("CVPeloPersonCell", "openPeloTwitter")});
}

void CVCreditsListController::openBrannocTwitter() { TXSharedHelper::openTwitter("BrannocVesk5"); }
void CVCreditsListController::openQuillexTwitter() { TXSharedHelper::openTwitter("quillex"); }
void CVCreditsListController::openPeloTwitter() { TXSharedHelper::openTwitter("Pelo"); }

void CVCreditsListController::viewWillAppear(bool animated) {
    TXTintedListController::viewWillAppear(animated);
    setTitle(kShownPageTitle);
}

void CVCreditsListController::viewWillDisappear(bool animated) {
    TXTintedListController::viewWillDisappear(animated);
    setTitle(kCoveredPageTitle);
}
