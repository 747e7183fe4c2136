// Corvane.dylib loaded by the substrate loader into a process of its own making: UIKit gives it
// UIApplication and the tab button (UITabBarButton), the test a keypad shape (TPPathView), and the
// other six hooked classes are missing.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "DeviceRoot.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIColor.h"
#include "UIKit/UITabBar.h"
#include "objc/RuntimeRecording.h"
#include "objc/message.h"
#include "substrate/HookRecording.h"
#include "substrate/substrate.h"

namespace {

// A keypad shape that keeps every fill it is given, so one colour object can be told from another.
class TPPathView : public NSObject {
    OBJC_INTERFACE(TPPathView, NSObject)

public:
    TPPathView() = default;
    std::vector<Ref<UIColor>> fills;
};

}  // namespace

OBJC_IMPLEMENTATION(TPPathView, objc::method("setFillColor:", [](id self, SEL, id colour) {
    static_cast<TPPathView*>(self)->fills.push_back(objc_cast<UIColor>(colour));
}))

namespace {

// One thing the library asked of the runtime or the substrate while it was loaded.
struct Event {
    enum Kind { Push, Pop, Lookup, Hook } kind;
    std::string name;     // the class name looked up, or the selector hooked
    Class cls = nullptr;  // the class found, or the class handed to the substrate
    void* pool = nullptr;
    bool installed = false;

    std::string text() const {
        switch (kind) {
            case Push: return "push";
            case Pop: return "pop";
            case Lookup: return "class " + name;
            case Hook: return "hook " + name;
        }
        return "?";
    }
};

// Standard error, the descriptor NSLog writes to, into a scratch file while it lives.
class CapturedErrors {
public:
    CapturedErrors() : file_(std::tmpfile()), saved_(dup(STDERR_FILENO)) { dup2(fileno(file_), STDERR_FILENO); }
    ~CapturedErrors() {
        restore();
        std::fclose(file_);
    }
    CapturedErrors(const CapturedErrors&) = delete;
    CapturedErrors& operator=(const CapturedErrors&) = delete;

    // Ends the capture and gives what was written, one entry per line.
    std::vector<std::string> lines() {
        restore();
        std::string text;
        std::rewind(file_);
        for (int c; (c = std::fgetc(file_)) != EOF;) text.push_back(static_cast<char>(c));
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) out.push_back(line);
        return out;
    }

private:
    void restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
        saved_ = -1;
    }
    FILE* file_;
    int saved_;
};

struct Loading {
    testing_support::DeviceRoot device;
    std::vector<std::string> loaded;
    std::vector<Event> events;
    std::vector<std::string> logged;
};

// The library is loaded once per process, as on the device; every test looks at that one load.
const Loading& load() {
    static Loading l;  // its device is removed when the process ends
    static const bool done = [] {
        ::setenv("SIMULATOR_ROOT", l.device.path().c_str(), 1);  // a device with no preference file
        l.device.installHookLibrary();
        const auto runtimeTap = objc::addRuntimeTap([](const objc::RuntimeCallRecord& r) {
            switch (r.call) {
                case objc::RuntimeCall::PoolPush: l.events.push_back({Event::Push, {}, nullptr, r.pool}); break;
                case objc::RuntimeCall::PoolPop: l.events.push_back({Event::Pop, {}, nullptr, r.pool}); break;
                case objc::RuntimeCall::ClassLookup: l.events.push_back({Event::Lookup, r.name, r.found}); break;
            }
        });
        const auto hookTap = substrate::addHookTap([](const substrate::HookCallRecord& r) {
            l.events.push_back({Event::Hook, r.selector, r.cls, nullptr, r.installed});
        });
        {
            CapturedErrors errors;
            l.loaded = substrate::loadTweaks("com.apple.mobilephone", "MobilePhone");
            l.logged = errors.lines();
        }
        substrate::removeHookTap(hookTap);
        objc::removeRuntimeTap(runtimeTap);
        return true;
    }();
    (void)done;
    return l;
}

const std::vector<std::pair<const char*, const char*>> kHookTable = {
    {"UIApplication", "_setApplicationIsOpaque:"},
    {"UIApplication", "_setBackgroundStyle:"},
    {"TPPathView", "setFillColor:"},
    {"UIStatusBarStyleAttributes", "foregroundStyle"},
    {"UIStatusBarNewUIStyleAttributes", "initWithRequest:backgroundColor:foregroundColor:"},
    {"PHHandsetDialerLCDView", "lcdColor"},
    {"PHHandsetDialerView", "dialerColor"},
    {"TPSuperBottomBarButton", "setBackgroundColor:"},
    {"MobilePhoneApplication", "showsPhoneVoicemail"},
    {"UITabBarButton", "_setContentTintColor:forState:"},
};

}  // namespace

TEST(HookLoading, TheConstructorHooksTheTableInOrderInsideOnePoolLookingEachClassUpOnce) {
    const Loading& l = load();
    ASSERT_EQ(l.loaded, std::vector<std::string>{"Corvane.dylib"});

    std::vector<std::string> expected{"push"};
    const char* previousClass = "";
    for (const auto& [cls, selector] : kHookTable) {
        if (std::string(cls) != previousClass) expected.push_back(std::string("class ") + cls);
        expected.push_back(std::string("hook ") + selector);
        previousClass = cls;
    }
    expected.push_back("pop");
    std::vector<std::string> seen;
    for (const Event& e : l.events) seen.push_back(e.text());
    EXPECT_EQ(seen, expected);

    // Each hook goes to the class just looked up, missing ones included, and the pool popped is the
    // one pushed.
    Class lastFound = nullptr;
    for (const Event& e : l.events) {
        if (e.kind == Event::Lookup) lastFound = e.cls;
        if (e.kind == Event::Hook) {
            EXPECT_EQ(e.cls, lastFound) << e.name;
        }
    }
    ASSERT_FALSE(l.events.empty());
    EXPECT_EQ(l.events.front().pool, l.events.back().pool);
}

TEST(HookLoading, InAProcessLackingSomeClassesTheRestAreHookedAndEachMissingOneLogsALine) {
    const Loading& l = load();
    std::vector<std::string> installed, missingLines;
    for (const Event& e : l.events)
        if (e.kind == Event::Hook && e.installed) installed.push_back(e.name);
    EXPECT_EQ(installed, (std::vector<std::string>{"_setApplicationIsOpaque:", "_setBackgroundStyle:", "setFillColor:",
                                                    "_setContentTintColor:forState:"}));

    std::vector<std::string> expectedLines;
    for (const auto& [cls, selector] : kHookTable)
        if (!objc_getClass(cls))
            expectedLines.push_back(std::string("MS:Warning: nil class argument for selector ") + selector);
    ASSERT_EQ(expectedLines.size(), 6u);
    std::vector<std::string> logged;
    for (const std::string& line : l.logged) {
        const auto at = line.find("] ");
        logged.push_back(at == std::string::npos ? line : line.substr(at + 2));
    }
    EXPECT_EQ(logged, expectedLines);

    // The installed hooks answer: without a preference file "Blur" is off, so the app is made opaque;
    // with "tab" on, the tab button is tinted black. It is the last class of the table, so a library
    // that gave up at its first missing class would miss it.
    UIApplication* app = UIApplication::sharedApplication();
    objc_msgSend<void(BOOL)>(app, SELECTOR("_setApplicationIsOpaque:"), NO);
    EXPECT_TRUE(app->isOpaque());
    l.device.writePreferences(NSDictionary::dictionaryWithObjectsAndKeys({{"tab", NSNumber::numberWithBool(true)}}));
    auto tab = make<UITabBarButton>();
    objc_msgSend<void(id, NSUInteger)>(tab, SELECTOR("_setContentTintColor:forState:"), UIColor::redColor(), 4ul);
    l.device.removePreferences();
    ASSERT_TRUE(tab->contentTintColorForState(UIControlStateSelected));
    EXPECT_TRUE(tab->contentTintColorForState(UIControlStateSelected)->isEqual(*UIColor::blackColor()));
    EXPECT_FALSE(tab->contentTintColorForState(UIControlStateNormal));
}

TEST(HookLoading, TheKeypadFillIsANewColourOnEveryCall) {
    load();
    auto shape = make<TPPathView>();
    for (int i = 0; i < 2; ++i)
        objc_msgSend<void(id)>(shape, SELECTOR("setFillColor:"), UIColor::redColor());
    ASSERT_EQ(shape->fills.size(), 2u);
    for (const auto& fill : shape->fills) {
        ASSERT_TRUE(fill);
        EXPECT_TRUE(fill->isEqual(*UIColor::colorWithRed(239 / 255.0, 239 / 255.0, 239 / 255.0, 0.0)));
    }
    // Both are kept alive above, so a second object cannot reuse the first one's address.
    EXPECT_NE(shape->fills[0].get(), shape->fills[1].get());
}
