// The writer refuses a value libplist cannot hold rather than writing another one.

#include <gtest/gtest.h>

#include <cmath>

#include "Foundation/NSData.h"
#include "Foundation/PropertyList.h"

TEST(PlistWriter, DatesBeyondThirtyTwoBitSecondsAreRefusedAndTheLimitsKept) {
    for (const auto format : {plist::Format::Binary, plist::Format::XML}) {
        for (const double beyond : {2147483648.0, -2147483649.0, 64e9, double(NAN)})
            EXPECT_FALSE(plist::serialize(make<NSDate>(beyond), format)) << beyond;
        for (const double limit : {2147483647.0, -2147483648.0}) {
            const auto bytes = plist::serialize(make<NSDate>(limit), format);
            ASSERT_TRUE(bytes) << limit;
            const Ref<NSObject> read = plist::parse(*bytes);
            auto* date = objc_cast<NSDate>(read.get());
            ASSERT_TRUE(date) << limit;
            EXPECT_EQ(date->timeIntervalSinceReferenceDate(), limit);
        }
    }
}
