// Opening profiles and mail in other applications, with different sets of installed apps.

#include <gtest/gtest.h>
#include <stdlib.h>

#include "DeviceRoot.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "UIKit/UIApplication.h"
#include "toolkit/TXSharedHelper.h"

namespace {

class SharedHelper : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("SIMULATOR_ROOT", device.path().c_str(), 1);
        UIApplication::clearOpenedURLs();
    }
    void TearDown() override { ::unsetenv("SIMULATOR_ROOT"); }

    // An installed app declaring the URL schemes, as its Info.plist does.
    void install(const std::string& app, std::initializer_list<const char*> schemes) {
        std::vector<Ref<NSObject>> list;
        for (const char* s : schemes) list.push_back(NSString::string(s));
        auto types = NSArray::arrayWithObjects(
            {NSDictionary::dictionaryWithObjectsAndKeys({{"CFBundleURLSchemes", make<NSArray>(std::move(list))}})});
        auto info = NSDictionary::dictionaryWithObjectsAndKeys({{"CFBundleURLTypes", types}});
        device.writeFile("/Applications/" + app + ".app/Info.plist", *plist::serialize(info, plist::Format::Binary));
    }
    static std::string lastOpened() {
        const auto& urls = UIApplication::openedURLs();
        return urls.empty() ? "<nothing>" : urls.back();
    }
    testing_support::DeviceRoot device;
};

}  // namespace

TEST_F(SharedHelper, TheFirstInstalledClientInOrderOpensTheProfile) {
    TXSharedHelper::openTwitter("BrannocVesk5");
    EXPECT_EQ(lastOpened(), "https://mobile.twitter.com/BrannocVesk5") << "no client: the mobile web site";
    install("Twitter", {"twitter"});
    TXSharedHelper::openTwitter("quillex");
    EXPECT_EQ(lastOpened(), "twitter://user?screen_name=quillex");
    install("Tweetings", {"tweetings"});
    TXSharedHelper::openTwitter("quillex");
    EXPECT_EQ(lastOpened(), "tweetings:///user?screen_name=quillex");
    install("Twitterrific", {"twitterrific"});
    TXSharedHelper::openTwitter("quillex");
    EXPECT_EQ(lastOpened(), "twitterrific:///profile?screen_name=quillex") << "Twitterrific before Tweetings";
    install("Tweetbot", {"tweetbot", "tweetbot-x"});
    TXSharedHelper::openTwitter("Pelo");
    EXPECT_EQ(lastOpened(), "tweetbot:///user_profile/Pelo") << "Tweetbot first, whatever else is there";
}

TEST_F(SharedHelper, AHandleIsPassedThroughAsGiven) {
    install("Twitterrific", {"twitterrific"});
    TXSharedHelper::openTwitter("@Pelo");
    EXPECT_EQ(lastOpened(), "twitterrific:///profile?screen_name=@Pelo");
    UIApplication::clearOpenedURLs();
    TXSharedHelper::openTwitter("two words");
    EXPECT_TRUE(UIApplication::openedURLs().empty()) << "an address the URL parser refuses opens nothing";
}

TEST_F(SharedHelper, CodeHostingProfilesOpenInTheClientOrOnTheSite) {
    TXSharedHelper::openGitHub("brannoc");
    EXPECT_EQ(lastOpened(), "https://github.com/brannoc");
    install("iOctocat", {"ioc"});
    TXSharedHelper::openGitHub("brannoc");
    EXPECT_EQ(lastOpened(), "ioc://github.com/brannoc");
}

TEST_F(SharedHelper, AMailWithASpacedSubjectStillOpens) {
    install("MobileMail", {"mailto", "message"});
    TXSharedHelper::openEmail("support@qelmor.com", "Corvane Support v1.4-3");
    EXPECT_EQ(lastOpened(), "mailto:support@qelmor.com?subject=Corvane%20Support%20v1.4-3");
    TXSharedHelper::openEmail("support@qelmor.com", "Tips & Tricks #1");
    EXPECT_EQ(lastOpened(), "mailto:support@qelmor.com?subject=Tips%20%26%20Tricks%20%231");
}
