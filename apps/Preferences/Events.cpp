#include "Events.h"

#include <cstdio>
#include <utility>

#include "CoreFoundation/CFNotificationRecording.h"
#include "JSONValues.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "Preferences/PSListController.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIViewController.h"
#include "device/JSON.h"

namespace settings {
namespace {

void print(const json::Writer& line) {
    std::fputs(line.str().c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

json::Writer event(const char* name) {
    json::Writer out;
    out.beginObject().key("event").string(name);
    return out;
}

void reportStored(const std::string& domain, const std::string& key, id value) {
    json::Writer out = event("stored");
    out.key("domain").string(domain).key("key").string(key).key("value");
    writeObject(out, value);
    print(out.endObject());
}

// The reason of the latest refusal no command has answered for yet.
std::optional<std::string>& pendingRefusal() {
    static std::optional<std::string> reason;
    return reason;
}

void reportRefused(const std::string& domain, const std::string& key, id value, const std::string& problem) {
    json::Writer out = event("refused");
    out.key("domain").string(domain).key("key").string(key).key("value");
    writeObject(out, value);
    print(out.key("reason").string(problem).endObject());
    pendingRefusal() = problem;
}

void reportNotificationCall(const cf::NotificationCallRecord& record) {
    if (record.call != cf::NotificationCall::Post) return;
    json::Writer out = event("posted");
    out.key("name");
    if (record.hasName)
        out.string(record.name);
    else
        out.null();
    print(out.endObject());
}

void reportPresentation(UIViewController* controller, bool presenting) {
    json::Writer out = event(presenting ? "presented" : "dismissed");
    print(out.key("class").string(controller ? controller->className() : "").endObject());
}

void reportOpenedURL(const std::string& url) {
    json::Writer out = event("openURL");
    print(out.key("url").string(url).endObject());
}

// A device without a mail account keeps mail shut without a word, as an iPhone does: the line says
// which file would make it one.
void reportCanSendMail(bool canSend) {
    if (canSend) return;
    json::Writer out = event("noMailAccount");
    print(out.key("accounts").string(MFMailComposeViewController::kAccountsFile).endObject());
}

}  // namespace

void startReportingEvents() {
    PSListController::setStorageObserver(reportStored);
    PSListController::setRefusalObserver(reportRefused);
    cf::addNotificationTap(reportNotificationCall);
    UIViewController::setPresentationObserver(reportPresentation);
    UIApplication::setOpenURLObserver(reportOpenedURL);
    MFMailComposeViewController::setCanSendMailObserver(reportCanSendMail);
}

void reportSystemCall(const std::string& command, int status) {
    json::Writer out = event("system");
    print(out.key("command").string(command).key("status").integer(status).endObject());
}

std::optional<std::string> takeRefusal() { return std::exchange(pendingRefusal(), std::nullopt); }

}  // namespace settings
