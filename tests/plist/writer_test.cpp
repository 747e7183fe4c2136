// Dates are written as Apple writes them: binary files keep the 64-bit real exactly, XML files name
// years 0001 to 9999 with four digits, and a date XML cannot name is refused rather than rewritten.

#include <gtest/gtest.h>

#include <cmath>

#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "plist/PropertyList.h"

namespace {

constexpr double kYear2100 = 3124137600.0;   // 2100-01-01, beyond 32-bit seconds from 2001
constexpr double kYear1900 = -3187296000.0;  // 1900-01-01, before them
constexpr double kYear0001 = -63113904000.0; // the first second XML can name

double readBack(const std::string& bytes) {
    const Ref<NSObject> read = plist::parse(bytes);
    auto* top = objc_cast<NSDictionary>(read.get());
    auto* date = top ? objc_cast<NSDate>(top->objectForKey("d")) : nullptr;
    return date ? date->timeIntervalSinceReferenceDate() : NAN;
}

std::optional<std::string> written(double seconds, plist::Format format) {
    auto top = make<NSMutableDictionary>();
    top->setObject(make<NSDate>(seconds), "d");
    return plist::serialize(top.get(), format);
}

TEST(PlistWriter, BinaryDatesKeepEverySecondAndItsFraction) {
    for (const double t : {kYear2100 + 0.25, kYear1900 - 0.5, 64e9, kYear0001 - 86400.0, 2147483647.0, -2147483648.0}) {
        const auto bytes = written(t, plist::Format::Binary);
        ASSERT_TRUE(bytes) << t;
        EXPECT_EQ(readBack(*bytes), t);
    }
}

TEST(PlistWriter, XMLDatesNameFourDigitYearsAndRefuseTheRest) {
    const auto first = written(kYear0001, plist::Format::XML);
    ASSERT_TRUE(first);
    EXPECT_NE(first->find("<date>0001-01-01T00:00:00Z</date>"), std::string::npos) << *first;
    EXPECT_EQ(readBack(*first), kYear0001);
    for (const double t : {kYear2100, kYear1900, kYear0001 + 999 * 365.25 * 86400}) {
        const auto bytes = written(t, plist::Format::XML);
        ASSERT_TRUE(bytes) << t;
        EXPECT_EQ(readBack(*bytes), std::floor(t)) << *bytes;
    }
    // Year 10000, the last second of year 0 and a date that is no time at all.
    for (const double t : {252423993600.0, kYear0001 - 1, double(NAN)})
        EXPECT_FALSE(written(t, plist::Format::XML)) << t;
}

}  // namespace
