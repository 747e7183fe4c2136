// What is written reads back the same, and the key lookup agrees with the full reader on every
// input, mutated ones included; files that are not regular files read as nothing, at once.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>

#include "DeviceRoot.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "plist/PropertyList.h"
#include "objc/message.h"

namespace {

Ref<NSDictionary> everyKind() {
    return NSDictionary::dictionaryWithObjectsAndKeys(
        {{"kVoice", NSNumber::numberWithBool(true)},
         {"call", NSNumber::numberWithInteger(13)},
         {"big", NSNumber::numberWithInteger(-(1LL << 40))},
         {"real", NSNumber::numberWithDouble(0.1)},
         {"text", NSString::string("Caf\xC3\xA9 \xF0\x9F\x98\x80 <&>")},
         {"ascii", NSString::string("plain")},
         {"data", make<NSData>(std::string("\0\x01\xFF", 3))},
         {"date", make<NSDate>(86401)},
         {"list", NSArray::arrayWithObjects({NSNumber::numberWithBool(false), make<NSArray>(), make<NSDictionary>()})},
         {"K\xC3\xA9y", NSDictionary::dictionaryWithObjectsAndKeys({{"inner", NSNumber::numberWithInteger(1)}})}});
}

const std::vector<std::string_view> kKeys = {"kVoice", "call", "list", "K\xC3\xA9y", "absent"};

// The lookup of kKeys agrees with the full reader on these bytes.
void expectAgreement(const std::string& bytes, const std::string& label) {
    Ref<NSObject> whole = plist::parse(bytes);
    auto* dictionary = objc_cast<NSDictionary>(whole.get());
    std::vector<Ref<NSObject>> values(kKeys.size());
    ASSERT_EQ(plist::dictionaryValues(bytes, kKeys, values), dictionary != nullptr) << label;
    if (!dictionary) return;
    for (size_t i = 0; i < kKeys.size(); ++i)
        ASSERT_TRUE(plist::sameValue(values[i], dictionary->objectForKey(kKeys[i]))) << label << " " << kKeys[i];
}

}  // namespace

TEST(PropertyListReader, EveryKindReadsBackAsWrittenInBothEncodings) {
    for (auto format : {plist::Format::Binary, plist::Format::XML}) {
        const std::string bytes = *plist::serialize(everyKind(), format);
        EXPECT_TRUE(plist::sameValue(plist::parse(bytes), everyKind())) << bytes;
        EXPECT_TRUE(plist::sameValue(format == plist::Format::Binary ? plist::parseBinary(bytes) : plist::parseXML(bytes),
                                     everyKind()));
        expectAgreement(bytes, "as written");
    }
    EXPECT_FALSE(plist::sameValue(NSNumber::numberWithBool(true), NSNumber::numberWithInteger(1)));
    EXPECT_FALSE(plist::sameValue(NSArray::arrayWithObjects({NSString::string("a")}), make<NSArray>()));
}

// The product's read: a value is made when asked for, and the one handed out stays the dictionary's
// when the rest is made too.
TEST(PropertyListReader, AFileDictionaryMakesValuesWhenAskedAndKeepsThoseHandedOut) {
    testing_support::DeviceRoot device;
    ::setenv("SIMULATOR_ROOT", device.path().c_str(), 1);
    const auto read = [&] {
        return objc_msgSend<id(id)>(objc_classAsObject(NSDictionary::class_()), SELECTOR("dictionaryWithContentsOfFile:"),
                                    NSString::string("/prefs.plist").get());
    };
    void* pool = objc_autoreleasePoolPush();
    for (auto format : {plist::Format::Binary, plist::Format::XML}) {
        device.writeFile("/prefs.plist", *plist::serialize(everyKind(), format));
        auto* file = objc_cast<NSDictionary>(read());
        ASSERT_NE(file, nullptr);
        id call = objc_msgSend<id(id)>(file, SELECTOR("objectForKey:"), NSString::string("call").get());
        EXPECT_TRUE(plist::sameValue(call, NSNumber::numberWithInteger(13)));
        EXPECT_EQ(objc_msgSend<id(id)>(file, SELECTOR("objectForKey:"), NSString::string("absent").get()), nullptr);
        EXPECT_TRUE(plist::sameValue(file, everyKind()));
        EXPECT_EQ(file->objectForKey("call"), call);
    }
    device.writeFile("/prefs.plist", "<plist><array/></plist>");
    EXPECT_EQ(read(), nullptr) << "a file that is no dictionary reads as none";
    objc_autoreleasePoolPop(pool);
    ::unsetenv("SIMULATOR_ROOT");
}

TEST(PropertyListReader, TheKeyLookupAgreesWithTheFullReaderOnMutatedFiles) {
    for (auto format : {plist::Format::Binary, plist::Format::XML}) {
        const std::string bytes = *plist::serialize(everyKind(), format);
        for (size_t at = 0; at < bytes.size(); ++at) {
            for (unsigned char with : {0x00, 0x01, 0x0F, 0x56, 0x6D, 0x80, 0xFF, 0x3C, 0x3E, 0x2F}) {
                std::string mutated = bytes;
                mutated[at] = static_cast<char>(with);
                expectAgreement(mutated, std::to_string(at) + " <- " + std::to_string(with));
            }
            expectAgreement(bytes.substr(0, at), "cut at " + std::to_string(at));
        }
    }
}

TEST(PropertyListReader, FilesThatAreNotRegularReadAsNothingWithoutBlocking) {
    testing_support::DeviceRoot device;
    const std::string fifo = device / "/fifo.plist";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(plist::readFile(fifo), nullptr);
    ::setenv("SIMULATOR_ROOT", device.path().c_str(), 1);
    EXPECT_EQ(objc_msgSend<id(id)>(objc_classAsObject(NSDictionary::class_()), SELECTOR("dictionaryWithContentsOfFile:"),
                                   NSString::string("/fifo.plist").get()),
              nullptr);
    ::unsetenv("SIMULATOR_ROOT");

    const std::string socketPath = device / "/socket.plist";
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(plist::readFile(socketPath), nullptr);
    ::close(s);

    EXPECT_EQ(plist::readFile(device.path()), nullptr) << "a directory";
    device.writeFile("/big.plist", *plist::serialize(NSString::string(std::string(plist::kMaxFileBytes, 'x')), plist::Format::XML));
    EXPECT_EQ(plist::readFile(device / "/big.plist"), nullptr) << "a valid file over the size cap";
    device.writeFile("/fits.plist", *plist::serialize(NSString::string(std::string(plist::kMaxFileBytes / 2, 'x')), plist::Format::Binary));
    EXPECT_NE(plist::readFile(device / "/fits.plist"), nullptr) << "larger than one read";
}
