#pragma once
// Opens a person's profile or a new mail message in another application. Class methods only.

#include <string>

#include "objc/runtime.h"

class TXSharedHelper : public NSObject {
    OBJC_INTERFACE(TXSharedHelper, NSObject)

public:
    TXSharedHelper() = delete;

    // The first installed microblogging client, else the service's mobile web site.
    static void openTwitter(const std::string& handle);
    // The code-hosting client when installed, else the site.
    static void openGitHub(const std::string& user);
    // A new message to `address`; the subject is percent-encoded so any subject opens.
    static void openEmail(const std::string& address, const std::string& subject);

    static constexpr const char* kTwitterWeb = "https://mobile.twitter.com/";
    static constexpr const char* kGitHubHost = "github.com";
};
