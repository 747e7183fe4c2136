#include "toolkit/TXSharedHelper.h"

#include "CoreFoundation/CFBase.h"
#include "Foundation/NSURL.h"
#include "UIKit/UIApplication.h"

OBJC_IMPLEMENTATION(TXSharedHelper)

namespace {

bool canOpen(const char* scheme) { return UIApplication::sharedApplication()->canOpenURL(NSURL::URLWithString(scheme)); }

// The address is handed over as joined; text the URL parser refuses opens nothing.
void open(const std::string& address) { UIApplication::sharedApplication()->openURL(NSURL::URLWithString(address)); }

}  // namespace

void TXSharedHelper::openTwitter(const std::string& handle) {
    struct Client {
        const char* probe;
        const char* prefix;
    };
    static constexpr Client kClients[] = {
        {"tweetbot:", "tweetbot:///user_profile/"},
        {"twitterrific:", "twitterrific:///profile?screen_name="},
        {"tweetings:", "tweetings:///user?screen_name="},
        {"twitter:", "twitter://user?screen_name="},
    };
    for (const Client& client : kClients)
        if (canOpen(client.probe)) return open(client.prefix + handle);
    open(kTwitterWeb + handle);
}

void TXSharedHelper::openGitHub(const std::string& user) {
    if (canOpen("ioc:")) return open(std::string("ioc://") + kGitHubHost + "/" + user);
    open(std::string("https://") + kGitHubHost + "/" + user);
}

void TXSharedHelper::openEmail(const std::string& address, const std::string& subject) {
    // A subject is free text: a space would leave the URL parser nothing to return, and '&', '=',
    // '+' or '#' would split the query or end it.
    const Ref<NSString> text = NSString::string(subject);
    CFStringRef escaped = CFURLCreateStringByAddingPercentEscapes(nullptr, text.get(), nullptr, CFSTR("&=+#"),
                                                                  kCFStringEncodingUTF8);
    open("mailto:" + address + "?subject=" + escaped->str());
    CFRelease(escaped);
}
