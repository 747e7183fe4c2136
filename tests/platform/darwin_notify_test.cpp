#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "CoreFoundation/CFNotificationRecording.h"
#include "CoreFoundation/CoreFoundation.h"
#include "Foundation/NSNumber.h"

// Registrations made without an observer can never be removed, so every test uses names of its own.

namespace {

struct Delivery {
    CFNotificationCenterRef center;
    void* observer;
    std::string name;
    const void* object;
    CFDictionaryRef userInfo;
};

std::vector<Delivery>& deliveries() {
    static std::vector<Delivery> list;
    return list;
}

void record(CFNotificationCenterRef center, void* observer, CFStringRef name, const void* object,
            CFDictionaryRef userInfo) {
    deliveries().push_back({center, observer, name ? name->str() : "", object, userInfo});
}

int otherCalls = 0;
void other(CFNotificationCenterRef, void*, CFStringRef, const void*, CFDictionaryRef) { ++otherCalls; }

CFNotificationCenterRef darwin() { return CFNotificationCenterGetDarwinNotifyCenter(); }

void post(const char* name) {
    CFNotificationCenterPostNotification(darwin(), NSString::string(name), nullptr, nullptr, true);
}

size_t deliveriesOf(const std::string& name) {
    size_t n = 0;
    for (const auto& d : deliveries()) n += d.name == name;
    return n;
}

// Counts the calls the centre sees while it lives.
class CallLog {
public:
    CallLog() : token_(cf::addNotificationTap([this](const cf::NotificationCallRecord& r) { calls.push_back(r); })) {}
    ~CallLog() { cf::removeNotificationTap(token_); }
    size_t count(cf::NotificationCall kind, const std::string& name) const {
        size_t n = 0;
        for (const auto& c : calls) n += c.call == kind && c.name == name;
        return n;
    }
    std::vector<cf::NotificationCallRecord> calls;

private:
    cf::NotificationTapToken token_;
};

}  // namespace

TEST(DarwinCentre, IsOneCentreAndCFSTRConstantsAreInterned) {
    EXPECT_NE(darwin(), nullptr);
    EXPECT_EQ(darwin(), CFNotificationCenterGetDarwinNotifyCenter());
    CFStringRef a = CFSTR("test.interned");
    CFStringRef b = CFSTR("test.interned");
    EXPECT_EQ(a, b);
    EXPECT_EQ(a->str(), "test.interned");
    EXPECT_NE(CFSTR("test.interned.other"), a);
}

TEST(DarwinCentre, RemovalWithoutObserverEndsNothing) {
    deliveries().clear();
    CFNotificationCenterAddObserver(darwin(), nullptr, record, CFSTR("test.null"), nullptr, 0);
    CFNotificationCenterRemoveObserver(darwin(), nullptr, CFSTR("test.null"), nullptr);
    CFNotificationCenterRemoveObserver(darwin(), nullptr, nullptr, nullptr);
    CFNotificationCenterRemoveEveryObserver(darwin(), nullptr);
    EXPECT_EQ(cf::darwinRegistrationCount("test.null"), 1u);
    post("test.null");
    ASSERT_EQ(deliveriesOf("test.null"), 1u);
    EXPECT_EQ(deliveries().back().observer, nullptr);
}

TEST(DarwinCentre, RegisteringTheSameTripleAgainIsOneRegistration) {
    deliveries().clear();
    int observerA = 0, observerB = 0;
    for (int i = 0; i < 3; ++i) {
        CFNotificationCenterAddObserver(darwin(), nullptr, record, CFSTR("test.dup"), nullptr, 0);
        // Object and suspension behaviour do not make a registration different.
        CFNotificationCenterAddObserver(darwin(), &observerA, record, CFSTR("test.dup"), &i,
                                        CFNotificationSuspensionBehaviorDeliverImmediately);
    }
    EXPECT_EQ(cf::darwinRegistrationCount("test.dup"), 2u);
    // A different observer or callback is a registration of its own.
    CFNotificationCenterAddObserver(darwin(), &observerB, record, CFSTR("test.dup"), nullptr, 0);
    CFNotificationCenterAddObserver(darwin(), &observerA, other, CFSTR("test.dup"), nullptr, 0);
    EXPECT_EQ(cf::darwinRegistrationCount("test.dup"), 4u);

    otherCalls = 0;
    post("test.dup");
    EXPECT_EQ(deliveriesOf("test.dup"), 3u);
    EXPECT_EQ(otherCalls, 1);
    CFNotificationCenterRemoveEveryObserver(darwin(), &observerA);
    CFNotificationCenterRemoveEveryObserver(darwin(), &observerB);
}

TEST(DarwinCentre, PostingReachesOnlyThatNameAndCarriesOnlyTheName) {
    deliveries().clear();
    int observer = 0;
    CFNotificationCenterAddObserver(darwin(), &observer, record, CFSTR("test.pass"), nullptr, 0);
    CFNotificationCenterAddObserver(darwin(), &observer, record, CFSTR("test.pass.elsewhere"), nullptr, 0);
    auto info = NSDictionary::dictionaryWithObjectsAndKeys({{"k", NSNumber::numberWithInteger(7)}});
    const int object = 42;
    // The name is matched by its text, not by the object that carries it.
    CFNotificationCenterPostNotification(darwin(), NSString::string("test.pass"), &object, info, false);
    ASSERT_EQ(deliveries().size(), 1u);
    const Delivery& d = deliveries()[0];
    EXPECT_EQ(d.center, darwin());
    EXPECT_EQ(d.observer, &observer);
    EXPECT_EQ(d.name, "test.pass");
    EXPECT_EQ(d.object, nullptr) << "the Darwin centre drops the object";
    EXPECT_EQ(d.userInfo, nullptr) << "and the user info";
    post("test.pass.nobody");
    EXPECT_EQ(deliveries().size(), 1u);
    CFNotificationCenterRemoveEveryObserver(darwin(), &observer);
}

TEST(DarwinCentre, RemovalEndsTheObserversRegistrationsByNameOrAll) {
    deliveries().clear();
    int mine = 0, theirs = 0;
    for (const char* name : {"test.rm.a", "test.rm.b"}) {
        CFNotificationCenterAddObserver(darwin(), &mine, record, NSString::string(name), nullptr, 0);
        CFNotificationCenterAddObserver(darwin(), &theirs, record, NSString::string(name), nullptr, 0);
    }
    CFNotificationCenterRemoveObserver(darwin(), &mine, CFSTR("test.rm.a"), nullptr);
    EXPECT_EQ(cf::darwinRegistrationCount("test.rm.a"), 1u);
    EXPECT_EQ(cf::darwinRegistrationCount("test.rm.b"), 2u);
    // No name: every name of that observer.
    CFNotificationCenterRemoveObserver(darwin(), &mine, nullptr, nullptr);
    EXPECT_EQ(cf::darwinRegistrationCount("test.rm.b"), 1u);
    post("test.rm.a");
    post("test.rm.b");
    ASSERT_EQ(deliveries().size(), 2u);
    EXPECT_EQ(deliveries()[0].observer, &theirs);
    EXPECT_EQ(deliveries()[1].observer, &theirs);
    CFNotificationCenterRemoveEveryObserver(darwin(), &theirs);
    EXPECT_EQ(cf::darwinRegistrationCount("test.rm.a") + cf::darwinRegistrationCount("test.rm.b"), 0u);
}

TEST(DarwinCentre, CallsWithoutCentreCallbackOrNameDoNothing) {
    int observer = 0;
    int foreign = 0;
    auto* notDarwin = reinterpret_cast<CFNotificationCenterRef>(&foreign);
    CFNotificationCenterAddObserver(nullptr, &observer, record, CFSTR("test.refused"), nullptr, 0);
    CFNotificationCenterAddObserver(notDarwin, &observer, record, CFSTR("test.refused"), nullptr, 0);
    CFNotificationCenterAddObserver(darwin(), &observer, nullptr, CFSTR("test.refused"), nullptr, 0);
    CFNotificationCenterAddObserver(darwin(), &observer, record, nullptr, nullptr, 0);
    EXPECT_EQ(cf::darwinRegistrationCount("test.refused"), 0u);
    deliveries().clear();
    CFNotificationCenterPostNotification(darwin(), nullptr, nullptr, nullptr, true);
    CFNotificationCenterPostNotification(nullptr, CFSTR("test.refused"), nullptr, nullptr, true);
    EXPECT_TRUE(deliveries().empty());
}

// Delivery under change: each callback removes or adds registrations of the name being posted.
namespace {
int reentrantRuns[3];
int lateObserver = 0;
void removesTheNext(CFNotificationCenterRef center, void* observer, CFStringRef name, const void*, CFDictionaryRef) {
    ++reentrantRuns[0];
    CFNotificationCenterRemoveObserver(center, static_cast<int*>(observer) + 1, name, nullptr);
    CFNotificationCenterAddObserver(center, &lateObserver, record, name, nullptr, 0);
}
void removed(CFNotificationCenterRef, void*, CFStringRef, const void*, CFDictionaryRef) { ++reentrantRuns[1]; }
void removesItself(CFNotificationCenterRef center, void* observer, CFStringRef, const void*, CFDictionaryRef) {
    ++reentrantRuns[2];
    CFNotificationCenterRemoveEveryObserver(center, observer);
}
}  // namespace

TEST(DarwinCentre, CallbacksMayChangeRegistrationsWhileBeingDelivered) {
    deliveries().clear();
    int observers[3] = {};
    CFNotificationCenterAddObserver(darwin(), &observers[0], removesTheNext, CFSTR("test.reenter"), nullptr, 0);
    CFNotificationCenterAddObserver(darwin(), &observers[1], removed, CFSTR("test.reenter"), nullptr, 0);
    CFNotificationCenterAddObserver(darwin(), &observers[2], removesItself, CFSTR("test.reenter"), nullptr, 0);

    post("test.reenter");
    // The removed registration is not called after its removal; the added one waits for the next posting.
    EXPECT_EQ(reentrantRuns[0], 1);
    EXPECT_EQ(reentrantRuns[1], 0);
    EXPECT_EQ(reentrantRuns[2], 1);
    EXPECT_EQ(deliveriesOf("test.reenter"), 0u);
    EXPECT_EQ(cf::darwinRegistrationCount("test.reenter"), 2u);

    post("test.reenter");
    EXPECT_EQ(reentrantRuns[0], 2);
    EXPECT_EQ(reentrantRuns[2], 1);
    EXPECT_EQ(deliveriesOf("test.reenter"), 1u);
    CFNotificationCenterRemoveEveryObserver(darwin(), &observers[0]);
    CFNotificationCenterRemoveEveryObserver(darwin(), &lateObserver);
}

TEST(DarwinCentre, TapsSeeEveryCallEvenThoseThatChangeNothing) {
    int observer = 0;
    std::vector<std::string> order;
    {
        CallLog log;
        CFNotificationCenterAddObserver(darwin(), &observer, record, CFSTR("test.tap"), nullptr, 0);
        CFNotificationCenterAddObserver(darwin(), &observer, record, CFSTR("test.tap"), nullptr, 0);
        CFNotificationCenterRemoveObserver(darwin(), nullptr, CFSTR("test.tap"), nullptr);
        CFNotificationCenterRemoveObserver(darwin(), &observer, CFSTR("test.tap"), nullptr);
        post("test.tap");

        EXPECT_EQ(log.count(cf::NotificationCall::AddObserver, "test.tap"), 2u);
        EXPECT_EQ(log.count(cf::NotificationCall::RemoveObserver, "test.tap"), 2u);
        EXPECT_EQ(log.count(cf::NotificationCall::Post, "test.tap"), 1u);
        ASSERT_EQ(log.calls.size(), 5u);
        EXPECT_EQ(log.calls[0].registrations, 1u);  // new
        EXPECT_EQ(log.calls[0].callback, &record);
        EXPECT_EQ(log.calls[0].observer, &observer);
        EXPECT_EQ(log.calls[1].registrations, 0u);  // repeat
        EXPECT_EQ(log.calls[2].registrations, 0u);  // NULL observer ends nothing
        EXPECT_EQ(log.calls[2].observer, nullptr);
        EXPECT_EQ(log.calls[3].registrations, 1u);
        EXPECT_EQ(log.calls[4].registrations, 0u);  // nobody left to call
    }
    // The tap reports a posting before its callbacks run, so a host prints events in order.
    CFNotificationCenterAddObserver(darwin(), &order, [](CFNotificationCenterRef, void* o, CFStringRef,
                                                         const void*, CFDictionaryRef) {
        static_cast<std::vector<std::string>*>(o)->push_back("delivered");
    }, CFSTR("test.tap.order"), nullptr, 0);
    const auto token = cf::addNotificationTap([&order](const cf::NotificationCallRecord& r) {
        if (r.call == cf::NotificationCall::Post) order.push_back("posted " + r.name);
    });
    post("test.tap.order");
    cf::removeNotificationTap(token);
    post("test.tap.order");
    EXPECT_EQ(order, (std::vector<std::string>{"posted test.tap.order", "delivered", "delivered"}));
    CFNotificationCenterRemoveEveryObserver(darwin(), &order);
}

namespace {
std::atomic<int> concurrentRuns{0};
void countRun(CFNotificationCenterRef, void*, CFStringRef, const void*, CFDictionaryRef) { ++concurrentRuns; }
}  // namespace

TEST(DarwinCentre, PostsFromSeveralThreadsWhileOthersRegister) {
    int observer = 0;
    CFNotificationCenterAddObserver(darwin(), &observer, countRun, CFSTR("test.threads"), nullptr, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            int churn = 0;
            for (int i = 0; i < 500; ++i) {
                if (t == 0) {
                    CFNotificationCenterAddObserver(darwin(), &churn, countRun, CFSTR("test.threads.churn"), nullptr, 0);
                    CFNotificationCenterRemoveObserver(darwin(), &churn, CFSTR("test.threads.churn"), nullptr);
                } else {
                    post("test.threads");
                }
            }
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(concurrentRuns.load(), 3 * 500);
    EXPECT_EQ(cf::darwinRegistrationCount("test.threads.churn"), 0u);
    CFNotificationCenterRemoveEveryObserver(darwin(), &observer);
}
