// One change from end to end with real processes: the Settings app stores a value, the pane's
// restart command kills the running Phone app through the device's killall, the launcher starts a
// new one, and the new one shows the change. A second device beside it is never touched.

#include <gtest/gtest.h>

#include "ReportFields.h"
#include "RunningDevice.h"

using testing_support::messageField;

TEST(EndToEnd, ASwitchFlippedInSettingsRestartsThePhoneAppWithTheNewValue) {
    RunningDevice device, bystander;
    const std::string before = device.awaitLaunchAndReport();
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(messageField(before, "showsPhoneVoicemail", "returned"), "true");
    ASSERT_FALSE(bystander.awaitLaunchAndReport().empty());

    device.forgetReport();
    auto settings = device.run("open Corvane; tap Settings; tap Hide Voicemail Tab");
    EXPECT_EQ(settings.status, 0) << settings.err;
    EXPECT_NE(settings.out.find("{\"event\":\"system\",\"command\":\"killall -9 MobilePhone\",\"status\":0}"),
              std::string::npos)
        << settings.out;

    auto exited = device.nextEvent();
    ASSERT_TRUE(exited);
    EXPECT_NE(exited->find("\"event\":\"exited\""), std::string::npos) << *exited;
    EXPECT_EQ(eventNumber(*exited, "signal"), 9);
    const std::string after = device.awaitLaunchAndReport();
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(messageField(after, "showsPhoneVoicemail", "returned"), "false");
    EXPECT_EQ(messageField(after, "showsPhoneVoicemail", "received"), "null");

    EXPECT_FALSE(bystander.nextEvent(std::chrono::milliseconds(300))) << "the other device's app kept running";
    EXPECT_EQ(messageField(bystander.report(), "showsPhoneVoicemail", "returned"), "true");
    EXPECT_EQ(device.stopLauncher(), 0);
    EXPECT_EQ(bystander.stopLauncher(), 0);
}
