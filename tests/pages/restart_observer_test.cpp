#include <gtest/gtest.h>

#include "PaneDevice.h"
#include "UIKit/UIKit.h"
#include "pages/CVSettingsListController.h"
#include "pages/CorvaneListController.h"
#include "pages/RestartObserver.h"

namespace {

using cf::NotificationCall;

void post(const NSObject* object = nullptr, CFDictionaryRef userInfo = nullptr) {
    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(),
                                         CFStringMakeConstantString(kKillPhoneNotification), object, userInfo, true);
}

template <class Page>
void checkRegistersOnLoadAndRemovesOnDisappear() {
    PaneDevice device;
    NotificationRecorder recorder;
    auto page = make<Page>();
    auto navigation = UINavigationController::initWithRootViewController(page);
    navigation->show();
    ASSERT_EQ(recorder.count(NotificationCall::AddObserver), 1u);
    const cf::NotificationCallRecord& added = recorder.calls().front();
    EXPECT_EQ(added.observer, nullptr);
    EXPECT_EQ(added.callback, &KillPhoneCallback);
    EXPECT_EQ(added.name, kKillPhoneNotification);
    EXPECT_EQ(recorder.count(NotificationCall::RemoveObserver), 0u);

    // Covered: the disappear pair removes once; shown again with its view loaded: nothing new.
    navigation->pushViewController(make<UIViewController>(), false);
    navigation->popViewControllerAnimated(false);
    page->viewWillAppear(false);
    page->viewWillDisappear(false);
    EXPECT_EQ(recorder.count(NotificationCall::AddObserver), 1u);
    ASSERT_EQ(recorder.count(NotificationCall::RemoveObserver), 1u);
    for (const auto& call : recorder.calls()) {
        if (call.call != NotificationCall::RemoveObserver) continue;
        EXPECT_EQ(call.observer, nullptr);
        EXPECT_TRUE(call.hasName);
        EXPECT_EQ(call.name, kKillPhoneNotification);
    }
}

}  // namespace

TEST(RestartObserver, RootPageRegistersOncePerViewLoadAndRemovesOncePerDisappearance) {
    checkRegistersOnLoadAndRemovesOnDisappear<CorvaneListController>();
}

TEST(RestartObserver, SettingsPageFollowsTheSameCycle) {
    checkRegistersOnLoadAndRemovesOnDisappear<CVSettingsListController>();
}

TEST(RestartObserver, ADeliveryRunsTheRestartCommandOnceWhateverItCarries) {
    PaneDevice device;
    make<CorvaneListController>()->view();
    ASSERT_EQ(cf::darwinRegistrationCount(kKillPhoneNotification), 1u);
    post();
    EXPECT_EQ(device.killallRuns(), std::vector<std::string>{"-9 MobilePhone"});
    auto info = NSDictionary::dictionaryWithObjectsAndKeys({{"why", NSString::string("test")}});
    post(UIColor::redColor(), info);
    EXPECT_EQ(device.killallRuns().size(), 2u) << "object and user info change nothing";
}

TEST(RestartObserver, BothPagesAndAChoiceListLeaveOneRegistrationThatStillRestarts) {
    PaneDevice device;
    auto root = make<CorvaneListController>();
    auto navigation = UINavigationController::initWithRootViewController(root);
    navigation->show();
    ASSERT_TRUE(root->tapRow(1));
    auto* settings = objc_cast<CVSettingsListController>(navigation->topViewController());
    ASSERT_TRUE(settings);
    ASSERT_TRUE(settings->tapRow(6)) << "Text Colour opens its list";
    EXPECT_EQ(settings->title(), "Back");
    navigation->popViewControllerAnimated(false);
    EXPECT_EQ(settings->title(), "");
    navigation->popViewControllerAnimated(false);
    // Removals without an observer end nothing, and the two pages' registrations are one.
    EXPECT_EQ(cf::darwinRegistrationCount(kKillPhoneNotification), 1u);
    post();
    EXPECT_EQ(device.killallRuns().size(), 1u);
}
