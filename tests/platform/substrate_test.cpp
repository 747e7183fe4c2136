#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "DeviceRoot.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "substrate/substrate.h"

namespace {

class Speaker : public NSObject {
    OBJC_INTERFACE(Speaker, NSObject)

public:
    Speaker() = default;
};

class Parrot : public Speaker {
    OBJC_INTERFACE(Parrot, Speaker)

public:
    Parrot() = default;
};

class Chick : public Parrot {
    OBJC_INTERFACE(Chick, Parrot)

public:
    Chick() = default;
};

}  // namespace

OBJC_IMPLEMENTATION(Speaker, objc::method("volume:", [](id, SEL, int x) -> int { return x; }),
                    objc::method("pitch", [](id, SEL) -> int { return 1; }))
OBJC_IMPLEMENTATION(Parrot, objc::method("pitch", [](id, SEL) -> int { return 2; }))
OBJC_IMPLEMENTATION(Chick)

namespace {

int (*previousParrotPitch)(id, SEL);
int LouderParrotPitch(id self, SEL cmd) { return previousParrotPitch(self, cmd) * 10; }

int (*previousParrotVolume)(id, SEL, int);
int ParrotVolume(id self, SEL cmd, int x) { return previousParrotVolume(self, cmd, x) + 100; }

int (*previousSpeakerVolume)(id, SEL, int);
int SpeakerVolume(id self, SEL cmd, int x) { return previousSpeakerVolume(self, cmd, x) * 2; }

int (*untouched)(id, SEL);
int Never(id, SEL) { return -1; }

double (*wrongSlot)(id, SEL, double);
double WrongShape(id, SEL, double) { return 0; }

int send(id o, const char* sel) { return objc_msgSend<int()>(o, sel_registerName(sel)); }
int send(id o, const char* sel, int x) { return objc_msgSend<int(int)>(o, sel_registerName(sel), x); }

}  // namespace

TEST(MSHookMessageEx, SwapsAMethodTheClassDefinesAndHandsBackTheOldOne) {
    MSHookMessageEx(Parrot::class_(), SELECTOR("pitch"), &LouderParrotPitch, &previousParrotPitch);
    ASSERT_NE(previousParrotPitch, nullptr);
    EXPECT_EQ(send(make<Parrot>(), "pitch"), 20);
    EXPECT_EQ(send(make<Chick>(), "pitch"), 20) << "subclasses see the hook";
    EXPECT_EQ(send(make<Speaker>(), "pitch"), 1) << "the superclass is untouched";
}

TEST(MSHookMessageEx, AnInheritedMethodIsAddedToTheClassAndCallsUpAtEachCall) {
    MSHookMessageEx(Parrot::class_(), SELECTOR("volume:"), &ParrotVolume, &previousParrotVolume);
    ASSERT_NE(previousParrotVolume, nullptr);
    EXPECT_NE(Parrot::class_()->ownMethod(SELECTOR("volume:")), nullptr);
    EXPECT_EQ(send(make<Parrot>(), "volume:", 3), 103);
    EXPECT_EQ(send(make<Speaker>(), "volume:", 3), 3) << "the superclass keeps its own method";
    // A later hook on the superclass is honoured by the earlier subclass hook.
    MSHookMessageEx(Speaker::class_(), SELECTOR("volume:"), &SpeakerVolume, &previousSpeakerVolume);
    EXPECT_EQ(send(make<Speaker>(), "volume:", 3), 6);
    EXPECT_EQ(send(make<Parrot>(), "volume:", 3), 106);
    EXPECT_EQ(send(make<Chick>(), "volume:", 3), 106);
}

TEST(MSHookMessageEx, NilClassUnknownSelectorAndWrongSignatureInstallNothing) {
    untouched = nullptr;
    MSHookMessageEx(static_cast<Class>(nullptr), SELECTOR("pitch"), &Never, &untouched);
    EXPECT_EQ(untouched, nullptr);
    MSHookMessageEx(Chick::class_(), SELECTOR("sing"), &Never, &untouched);
    EXPECT_EQ(untouched, nullptr);
    EXPECT_FALSE(make<Chick>()->respondsToSelector(SELECTOR("sing")));
    MSHookMessageEx(Chick::class_(), SELECTOR("volume:"), &WrongShape, &wrongSlot);
    EXPECT_EQ(wrongSlot, nullptr);
    EXPECT_EQ(Chick::class_()->ownMethod(SELECTOR("volume:")), nullptr);
}

namespace {

class TweakLoader : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("SIMULATOR_ROOT", device.path().c_str(), 1); }
    void TearDown() override { ::unsetenv("SIMULATOR_ROOT"); }

    void install(const std::string& name, const NSDictionary* filter) {
        device.copyFile(CORVANE_TEST_TWEAK, kDirectory + name + ".dylib");
        if (filter) {
            auto root = NSDictionary::dictionaryWithObjectsAndKeys({{"Filter", Ref<NSObject>(const_cast<NSDictionary*>(filter))}});
            device.writeFile(kDirectory + name + ".plist", *plist::serialize(root, plist::Format::XML));
        }
    }
    static Ref<NSArray> list(std::initializer_list<const char*> items) {
        std::vector<Ref<NSObject>> out;
        for (const char* s : items) out.push_back(NSString::string(s));
        return make<NSArray>(std::move(out));
    }
    std::vector<std::string> load() { return substrate::loadTweaks("com.apple.mobilephone", "MobilePhone"); }

    const std::string kDirectory = "/Library/MobileSubstrate/DynamicLibraries/";
    testing_support::DeviceRoot device;
};

using Names = std::vector<std::string>;

}  // namespace

TEST_F(TweakLoader, LoadsOnlyLibrariesWhoseFilterMatchesInCaseInsensitiveOrder) {
    install("beta", NSDictionary::dictionaryWithObjectsAndKeys({{"Bundles", list({"com.apple.Preferences", "com.apple.mobilephone"})}}));
    install("Alpha", NSDictionary::dictionaryWithObjectsAndKeys({{"Executables", list({"MobilePhone"})}}));
    install("Other", NSDictionary::dictionaryWithObjectsAndKeys({{"Bundles", list({"com.apple.Preferences"})}}));
    install("Everywhere", nullptr);
    EXPECT_EQ(load(), (Names{"Alpha.dylib", "beta.dylib", "Everywhere.dylib"}));
}

TEST_F(TweakLoader, SeveralListsMustAllMatchUnlessModeIsAny) {
    install("Both", NSDictionary::dictionaryWithObjectsAndKeys(
                        {{"Bundles", list({"com.apple.mobilephone"})}, {"Executables", list({"Preferences"})}}));
    install("Either", NSDictionary::dictionaryWithObjectsAndKeys({{"Bundles", list({"com.apple.mobilephone"})},
                                                                  {"Executables", list({"Preferences"})},
                                                                  {"Mode", NSString::string("Any")}}));
    install("Classes", NSDictionary::dictionaryWithObjectsAndKeys({{"Classes", list({"NoSuchClass", "Parrot"})}}));
    EXPECT_EQ(load(), (Names{"Classes.dylib", "Either.dylib"}));
}

TEST_F(TweakLoader, CoreFoundationVersionRangesAreHalfOpen) {
    auto range = [](std::initializer_list<double> bounds) {
        std::vector<Ref<NSObject>> items;
        for (double b : bounds) items.push_back(NSNumber::numberWithDouble(b));
        return NSDictionary::dictionaryWithObjectsAndKeys({{"CoreFoundationVersion", make<NSArray>(std::move(items))}});
    };
    install("AtLeast", range({800}));
    install("TooNew", range({900}));
    install("Below", range({800, substrate::kCoreFoundationVersion}));
    install("Within", range({800, 1000}));
    EXPECT_EQ(load(), (Names{"AtLeast.dylib", "Within.dylib"}));
}

TEST_F(TweakLoader, EmptyOrCorruptFiltersLoadNothing) {
    install("Empty", NSDictionary::dictionaryWithObjectsAndKeys({}));
    install("Corrupt", nullptr);
    device.writeFile(kDirectory + "Corrupt.plist", "<plist><dict><key>Filter");
    device.writeFile(kDirectory + "Broken.dylib", "not a shared object");
    install("Listed", nullptr);
    device.writeFile(kDirectory + "Listed.plist",
                     *plist::serialize(NSDictionary::dictionaryWithObjectsAndKeys({{"Filter", list({"MobilePhone"})}}),
                                       plist::Format::Binary));
    EXPECT_EQ(load(), Names{});
}
