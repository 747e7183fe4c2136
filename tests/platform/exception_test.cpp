#include <gtest/gtest.h>

#include "Foundation/NSException.h"
#include "Foundation/NSNumber.h"

TEST(NSException, MadeWithAllocInitHasNoNameNoReasonAndStillRaises) {
    auto plain = make<NSException>();
    EXPECT_EQ(plain->name(), nullptr);
    EXPECT_EQ(plain->reason(), nullptr);
    EXPECT_EQ(plain->userInfo(), nullptr);
    try {
        plain->raise();
        FAIL() << "raise returned";
    } catch (const NSExceptionError& e) {
        EXPECT_EQ(e.exception(), plain.get());
        EXPECT_STREQ(e.what(), "(null): (null)");
    }
}

TEST(NSException, CarriesNameReasonAndUserInfoToTheCatcher) {
    auto info = NSDictionary::dictionaryWithObjectsAndKeys({{"row", NSNumber::numberWithInteger(3)}});
    NSException* raised = nullptr;
    try {
        auto e = NSException::exceptionWithName(NSString::string(NSInternalInconsistencyException),
                                                NSString::string("no rows"), info);
        raised = e.get();
        e->raise();
    } catch (const std::exception& caught) {  // reachable as a plain C++ exception too
        EXPECT_STREQ(caught.what(), "NSInternalInconsistencyException: no rows");
        auto* error = dynamic_cast<const NSExceptionError*>(&caught);
        ASSERT_NE(error, nullptr);
        // The exception outlives the scope that made it: the error owns it.
        EXPECT_EQ(error->exception(), raised);
        EXPECT_EQ(error->exception()->userInfo(), info.get());
        EXPECT_EQ(error->exception()->reason()->str(), "no rows");
    }
}

TEST(NSException, RaiseWithAFormattedReason) {
    try {
        NSException::raise(NSInvalidArgumentException, "row %d of %s", 4, "page");
        FAIL() << "raise returned";
    } catch (const NSExceptionError& e) {
        EXPECT_EQ(e.exception()->name()->str(), "NSInvalidArgumentException");
        EXPECT_EQ(e.exception()->reason()->str(), "row 4 of page");
        EXPECT_EQ(e.exception()->description(), "NSInvalidArgumentException: row 4 of page");
    }
}
