// The XML reader's property-list meanings, and its strictness about shape and text.

#include <gtest/gtest.h>

#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "plist/PropertyList.h"

namespace {

std::string document(const std::string& value) { return "<?xml version=\"1.0\"?>\n<plist version=\"1.0\">" + value + "</plist>"; }

Ref<NSObject> read(const std::string& value) { return plist::parse(document(value)); }

std::string described(const std::string& value) {
    Ref<NSObject> v = read(value);
    if (!v) return "unreadable";
    if (auto* n = objc_cast<NSNumber>(v.get())) return n->description();
    if (auto* s = objc_cast<NSString>(v.get())) return "'" + s->str() + "'";
    if (auto* d = objc_cast<NSData>(v.get())) return "data " + d->bytes();
    if (auto* d = objc_cast<NSDate>(v.get())) return "date " + std::to_string(static_cast<long long>(d->timeIntervalSinceReferenceDate()));
    return v->className();
}

}  // namespace

TEST(XMLReader, ValuesHaveTheirPropertyListMeanings) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"<integer>010</integer>", "10"},
        {"<integer>08</integer>", "8"},
        {"<integer>-5</integer>", "-5"},
        {"<integer>+7</integer>", "7"},
        {"<integer> 12\n</integer>", "12"},
        {"<integer>0x1F</integer>", "31"},
        {"<integer>-0x10</integer>", "-16"},
        {"<integer>9223372036854775807</integer>", "9223372036854775807"},
        {"<integer>-9223372036854775808</integer>", "-9223372036854775808"},
        {"<integer>9223372036854775808</integer>", "9223372036854775808"},
        {"<integer>18446744073709551615</integer>", "18446744073709551615"},
        {"<integer>18446744073709551616</integer>", "unreadable"},
        {"<integer>-9223372036854775809</integer>", "unreadable"},
        {"<integer>1.5</integer>", "unreadable"},
        {"<integer>0x</integer>", "unreadable"},
        {"<integer></integer>", "unreadable"},
        {"<integer>--1</integer>", "unreadable"},
        {"<real>1.5</real>", "1.5"},
        {"<real>-2e3</real>", "-2000"},
        {"<real>.25</real>", "0.25"},
        {"<real>1e999</real>", "inf"},
        {"<real>nan</real>", "nan"},
        {"<real>1.5x</real>", "unreadable"},
        {"<real>+-1</real>", "unreadable"},
        {"<true/>", "1"},
        {"<false> </false>", "0"},
        {"<true>yes</true>", "unreadable"},
        {"<date>2001-01-02T00:00:01Z</date>", "date 86401"},
        {"<date>2000-12-31T23:59:59Z</date>", "date -1"},
        {"<date>2001-02-29T00:00:00Z</date>", "unreadable"},
        {"<date>2001-01-01</date>", "unreadable"},
        {"<data>aGVs\n bG8=</data>", "data hello"},
        {"<data>aGVsbA</data>", "data hell"},
        {"<data>aGVs\"bG8= </data>", "data hello"},
        {"<data>=aGVs*bG8</data>", "data hello"},
        {"<data>aGVsbA==aGVs</data>", "data hell"},
        {"<data>a*==</data>", "unreadable"},
        {"<string>a &lt;b&gt; &amp; &#x263A;<![CDATA[<c>]]></string>", "'a <b> & \xE2\x98\xBA<c>'"},
        {"<string>  </string>", "'  '"},
        {"<string> <![CDATA[x]]> </string>", "' x '"},
        {"<string/>", "''"},
        {"<string>Caf\xE9</string>", "unreadable"},
        {"<string>\xC0\x80</string>", "unreadable"},
        {"<string>\xED\xA0\x80</string>", "unreadable"},
        {"<string>a&#0;b</string>", "unreadable"},
        {"<string>a&#x000;b</string>", "unreadable"},
        {"<string>&#10;</string>", "'\n'"},
        {"<string>a<b/></string>", "unreadable"},
        {"<set/>", "unreadable"},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(described(value), expected) << value;
}

TEST(XMLReader, KeysPairWithValuesStrictly) {
    EXPECT_NE(read("<dict><key>a</key><true/><key>b</key><array><false/></array></dict>"), nullptr);
    EXPECT_NE(read("<dict>\n  <!-- note -->\n  <key>a</key> <true/>\n</dict>"), nullptr);
    for (const char* broken : {
             "<dict><key>a</key></dict>",                      // a key without its value
             "<dict><key>a</key><key>b</key><true/></dict>",   // two keys in a row
             "<dict><true/></dict>",                           // a value without its key
             "<dict><key>a<b/></key><true/></dict>",           // a key holding an element
             "<dict><key>\xFF</key><true/></dict>",            // a key that is not UTF-8
             "<array><key>a</key></array>",                    // a key outside a dictionary
             "<array>text<true/></array>",                     // text between values
             "<array><true/>",                                 // not well-formed
         })
        EXPECT_EQ(read(broken), nullptr) << broken;
    EXPECT_EQ(plist::parse("<dict><key>a</key><true/></dict>"), nullptr) << "no plist element";
    EXPECT_EQ(plist::parse(document("<true/><false/>")), nullptr) << "two values";
    EXPECT_EQ(plist::parse(document("")), nullptr) << "no value";
    EXPECT_EQ(plist::parse(document("<true/>") + "<plist><true/></plist>"), nullptr) << "two plist elements";
}

TEST(XMLReader, AKeyGivenTwiceMeansItsLastValueToEveryReader) {
    const std::string bytes = document("<dict><key>call</key><integer>13</integer><key>call</key><integer>2</integer></dict>");
    Ref<NSObject> root = plist::parse(bytes);
    auto* d = objc_cast<NSDictionary>(root.get());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(objc_cast<NSNumber>(d->objectForKey("call"))->intValue(), 2);
    Ref<NSObject> value;
    const std::string_view key = "call";
    ASSERT_TRUE(plist::dictionaryValues(bytes, {&key, 1}, {&value, 1}));
    EXPECT_EQ(objc_cast<NSNumber>(value.get())->intValue(), 2);
}

TEST(XMLReader, NestingIsLimited) {
    auto nested = [](size_t levels) {
        std::string s;
        for (size_t i = 0; i < levels; ++i) s += "<array>";
        for (size_t i = 0; i < levels; ++i) s += "</array>";
        return document(s);
    };
    EXPECT_NE(plist::parse(nested(plist::kMaxNesting)), nullptr);
    EXPECT_EQ(plist::parse(nested(plist::kMaxNesting + 1)), nullptr);
    EXPECT_EQ(plist::parse(nested(40000)), nullptr);
}
