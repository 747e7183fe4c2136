// The binary reader on inputs that lie: every rule broken once, nesting, sharing and duplicates.

#include <gtest/gtest.h>

#include "BinaryBuilder.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "plist/PropertyList.h"

namespace {

// A dictionary {"k": <value>}, the value made by `value` (given the builder and the value's number).
template <class Make>
std::string dictionaryHolding(Make&& value, size_t refSize = 1) {
    BinaryBuilder b(refSize);
    const size_t top = b.add("");
    const size_t key = b.add(b.ascii("k"));
    const size_t v = b.add("");
    b.set(v, value(b, v));
    b.set(top, b.dict({key}, {v}));
    return b.bytes(top);
}

// A chain of `levels` one-element arrays around an empty one.
std::string nestedArrays(size_t levels) {
    BinaryBuilder b(2);
    for (size_t i = 0; i + 1 < levels; ++i) b.add(b.array({i + 1}));
    b.add(b.array({}));
    return b.bytes(0);
}

}  // namespace

TEST(BinaryReader, EveryBrokenRuleReadsAsUnreadable) {
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"reference past the object count", dictionaryHolding([](BinaryBuilder& b, size_t) { return b.array({99}); })},
        {"array containing itself", dictionaryHolding([](BinaryBuilder& b, size_t self) { return b.array({self}); })},
        {"count past the end", dictionaryHolding([](BinaryBuilder&, size_t) { return std::string("\x4E", 1); })},
        {"extended count past the end",
         dictionaryHolding([](BinaryBuilder&, size_t) { return "\x4F" + BinaryBuilder::integer(~0ULL >> 1); })},
        {"extended count not an integer", dictionaryHolding([](BinaryBuilder&, size_t) { return std::string("\xAF\x55xxxx"); })},
        {"UID", dictionaryHolding([](BinaryBuilder&, size_t) { return std::string("\x80\x01"); })},
        {"null", dictionaryHolding([](BinaryBuilder&, size_t) { return std::string(1, '\0'); })},
        {"fill", dictionaryHolding([](BinaryBuilder&, size_t) { return std::string("\x0F"); })},
        {"ordered set", dictionaryHolding([](BinaryBuilder&, size_t) { return std::string("\xB0"); })},
        {"real of 2 bytes", dictionaryHolding([](BinaryBuilder&, size_t) { return std::string("\x21\x00\x00", 3); })},
        {"UTF-16 U+0000", dictionaryHolding([](BinaryBuilder& b, size_t) { return b.utf16({'a', 0, 'b'}); })},
        {"lone high surrogate", dictionaryHolding([](BinaryBuilder& b, size_t) { return b.utf16({'a', 0xD83D}); })},
        {"lone low surrogate", dictionaryHolding([](BinaryBuilder& b, size_t) { return b.utf16({0xDE00, 'a'}); })},
        {"ASCII string with a high byte", dictionaryHolding([](BinaryBuilder& b, size_t) { return b.ascii("caf\xE9"); })},
        {"ASCII string with NUL", dictionaryHolding([](BinaryBuilder& b, size_t) { return b.ascii(std::string("a\0b", 3)); })},
        {"16-byte integer past 64 bits",
         dictionaryHolding([](BinaryBuilder&, size_t) { return "\x14" + std::string(7, '\0') + '\x01' + std::string(8, '\0'); })},
        {"key that is no string", [] {
             BinaryBuilder b;
             b.add(b.dict({1}, {1}));
             b.add(BinaryBuilder::integer(3, 1));
             return b.bytes(0);
         }()},
        {"key that is the dictionary itself", [] {
             BinaryBuilder b;
             b.add(b.dict({0}, {0}));
             return b.bytes(0);
         }()},
    };
    for (const auto& [name, bytes] : cases) {
        EXPECT_EQ(plist::parse(bytes), nullptr) << name;
        Ref<NSObject> value;
        const std::string_view key = "k";
        EXPECT_FALSE(plist::dictionaryValues(bytes, {&key, 1}, {&value, 1})) << name;
    }
}

TEST(BinaryReader, TrailersThatLieAreRefused) {
    BinaryBuilder b;
    b.add(b.array({1}));
    b.add("\x09");
    ASSERT_NE(plist::parse(b.bytes(0)), nullptr);
    EXPECT_EQ(plist::parse(b.file(2, 2)), nullptr) << "top object past the count";
    EXPECT_EQ(plist::parse(b.file(0, 1ULL << 60)), nullptr) << "object count past the offset table";
    EXPECT_EQ(plist::parse(b.file(0, 2, 0)), nullptr) << "offsets of no width";
    EXPECT_EQ(plist::parse(b.file(0, 2, 9)), nullptr) << "offsets wider than 8 bytes";
    std::string shifted = b.bytes(0);
    shifted[shifted.size() - 1] += 40;  // the offset table starts past the trailer
    EXPECT_EQ(plist::parse(shifted), nullptr);
    std::string intoTrailer = b.bytes(0);
    const size_t table = intoTrailer.size() - 32 - 2 * 4;
    intoTrailer[table + 3] = static_cast<char>(intoTrailer.size() - 10);  // the first object inside the trailer
    EXPECT_EQ(plist::parse(intoTrailer), nullptr);
    const std::string whole = b.bytes(0);
    for (size_t n = 0; n < whole.size(); ++n) EXPECT_EQ(plist::parse(whole.substr(0, n)), nullptr) << n;
}

TEST(BinaryReader, ValuesAtTheirEdgesReadAsWritten) {
    auto k = [](const std::string& value) {
        Ref<NSObject> root = plist::parse(dictionaryHolding([&](BinaryBuilder&, size_t) { return value; }));
        auto* d = objc_cast<NSDictionary>(root.get());
        return d ? Ref<NSObject>(d->objectForKey("k")) : nullptr;
    };
    Ref<NSObject> kept;
    auto* smiley = objc_cast<NSString>((kept = k(BinaryBuilder().utf16({'a', 0xD83D, 0xDE00}))).get());
    ASSERT_NE(smiley, nullptr);
    EXPECT_EQ(smiley->str(), "a\xF0\x9F\x98\x80");
    const std::string ones(8, '\xFF');
    auto* minusOne = objc_cast<NSNumber>((kept = k("\x14" + ones + ones)).get());
    ASSERT_NE(minusOne, nullptr) << "16 bytes, sign-extended";
    EXPECT_EQ(minusOne->longLongValue(), -1);
    const Ref<NSObject> mostKept = k("\x14" + std::string(8, '\0') + ones);
    const Ref<NSObject> minusOneKept = k("\x14" + ones + ones);
    minusOne = objc_cast<NSNumber>(minusOneKept.get());
    auto* most = objc_cast<NSNumber>(mostKept.get());
    ASSERT_NE(most, nullptr) << "2^64 - 1, as Cocoa writes an unsigned 64-bit value";
    EXPECT_EQ(most->description(), "18446744073709551615");
    EXPECT_EQ(most->intValue(), -1) << "the low 32 bits, as a C conversion takes them";
    EXPECT_TRUE(most->boolValue());
    EXPECT_FALSE(most->value().isEqualTo(minusOne->value())) << "the same bits, another value";
    EXPECT_EQ(k("\x14" + std::string(7, '\0') + "\x01" + ones), nullptr) << "2^64 + 2^64 - 1 is past every reader";
    EXPECT_EQ(k("\x14" + ones + std::string(8, '\0')), nullptr) << "below -2^63";
    auto* eight = objc_cast<NSNumber>((kept = k(BinaryBuilder::integer(0x80, 1))).get());
    ASSERT_NE(eight, nullptr);
    EXPECT_EQ(eight->longLongValue(), 128) << "one byte is unsigned";
    auto* negative = objc_cast<NSNumber>((kept = k(BinaryBuilder::integer(~0ULL, 8))).get());
    ASSERT_NE(negative, nullptr);
    EXPECT_EQ(negative->longLongValue(), -1) << "eight bytes are signed";
    auto* set = objc_cast<NSArray>((kept = k(std::string("\xC0"))).get());
    ASSERT_NE(set, nullptr) << "a set reads as an array";
}

TEST(BinaryReader, NestingIsLimitedCountingSharedPathsInFull) {
    EXPECT_NE(plist::parse(nestedArrays(plist::kMaxNesting)), nullptr);
    EXPECT_EQ(plist::parse(nestedArrays(plist::kMaxNesting + 1)), nullptr);
    EXPECT_EQ(plist::parse(nestedArrays(60000)), nullptr);

    // A chain of 300 reached first directly from the top, then again from the bottom of another chain
    // of 300: seen once, yet 601 deep.
    BinaryBuilder b(2);
    const size_t top = b.add("");
    const size_t shallow = 1;
    for (size_t i = 0; i < 300; ++i) b.add(i + 1 < 300 ? b.array({shallow + i + 1}) : b.array({}));
    const size_t deep = b.add("");
    for (size_t i = 0; i < 300; ++i) b.add(i + 1 < 300 ? b.array({deep + i + 2}) : b.array({shallow}));
    b.set(deep, b.array({deep + 1}));
    b.set(top, b.array({shallow, deep}));
    EXPECT_EQ(plist::parse(b.bytes(top)), nullptr);
}

TEST(BinaryReader, SharedObjectsAreReadOnceAndShared) {
    // 40 arrays, each holding the next 14 times: 14^40 members if copied per reference.
    BinaryBuilder b;
    for (size_t i = 0; i < 40; ++i) b.add(b.array(std::vector<size_t>(14, i + 1)));
    b.add("\x09");
    Ref<NSObject> root = plist::parse(b.bytes(0));
    auto* outer = objc_cast<NSArray>(root.get());
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->objectAtIndex(0), outer->objectAtIndex(13)) << "one object, referenced fourteen times";

    // One long key shared by many dictionaries would be copied into each: refused past a budget
    // linear in the input.
    BinaryBuilder keys(2);
    const size_t top = keys.add("");
    const size_t key = keys.add(keys.ascii(std::string(60000, 'k')));
    std::vector<size_t> members;
    for (size_t i = 0; i < 20000; ++i) members.push_back(keys.add(keys.dict({key}, {key})));
    keys.set(top, keys.array(members));
    EXPECT_EQ(plist::parse(keys.bytes(top)), nullptr);
    // The same in one flat dictionary, as the hooks read it: the key 20,000 times over.
    BinaryBuilder flat(2);
    const size_t flatTop = flat.add(""), flatKey = flat.add(flat.ascii(std::string(60000, 'k')));
    const size_t flatValue = flat.add("\x09");
    flat.set(flatTop, flat.dict(std::vector<size_t>(20000, flatKey), std::vector<size_t>(20000, flatValue)));
    Ref<NSObject> none;
    const std::string_view longKey = "k";
    EXPECT_FALSE(plist::dictionaryValues(flat.bytes(flatTop), {&longKey, 1}, {&none, 1}));

    // One key given 20,000 times over a 20,000-member array: the lookup makes the array once.
    BinaryBuilder repeated(2);
    const size_t dict = repeated.add(""), k = repeated.add(repeated.ascii("k")), big = repeated.add("");
    const size_t member = repeated.add("\x09");
    repeated.set(big, repeated.array(std::vector<size_t>(20000, member)));
    repeated.set(dict, repeated.dict(std::vector<size_t>(20000, k), std::vector<size_t>(20000, big)));
    Ref<NSObject> value;
    const std::string_view wanted = "k";
    ASSERT_TRUE(plist::dictionaryValues(repeated.bytes(dict), {&wanted, 1}, {&value, 1}));
    EXPECT_EQ(objc_cast<NSArray>(value.get())->count(), 20000u);
}

TEST(BinaryReader, AKeyGivenTwiceMeansItsLastValue) {
    BinaryBuilder b;
    const size_t top = b.add("");
    const size_t key = b.add(b.ascii("call")), sameKey = b.add(b.utf16({'c', 'a', 'l', 'l'}));
    const size_t thirteen = b.add(BinaryBuilder::integer(13, 1)), two = b.add(BinaryBuilder::integer(2, 1));
    b.set(top, b.dict({key, sameKey}, {thirteen, two}));
    const std::string twoLast = b.bytes(top);
    b.set(top, b.dict({key, sameKey, key}, {thirteen, two, thirteen}));
    const std::string thirteenLast = b.bytes(top);
    for (const auto& [bytes, expected] : {std::pair{twoLast, 2}, std::pair{thirteenLast, 13}}) {
        Ref<NSObject> root = plist::parse(bytes);
        auto* d = objc_cast<NSDictionary>(root.get());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->count(), 1u);
        EXPECT_EQ(objc_cast<NSNumber>(d->objectForKey("call"))->intValue(), expected);
        Ref<NSObject> value;
        const std::string_view wanted = "call";
        ASSERT_TRUE(plist::dictionaryValues(bytes, {&wanted, 1}, {&value, 1}));
        EXPECT_EQ(objc_cast<NSNumber>(value.get())->intValue(), expected);
    }
}
