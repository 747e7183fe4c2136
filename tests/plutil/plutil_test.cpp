// plutil on a file holding every kind of value: each verb's output, the file after each change,
// the errors, and changes made while the Settings app's store writes the same file.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <bit>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "DeviceRoot.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Preferences/PreferencesStore.h"

namespace {

using testing_support::DeviceRoot;
using testing_support::run;

// The fixture's values, as plutil's JSON writes them.
constexpr const char* kFixtureJSON =
    R"({"AppleLanguages":["en"],"blob":"AAH+/w==","count":3,"enabled":true,"name":"Ann",)"
    R"("nested":{"k":"v","list":[1,2]},"ratio":0.25,"when":"2024-05-01T12:30:00Z"})";
constexpr double kFixtureDate = 736259400;  // 2024-05-01T12:30:00Z

Ref<NSObject> fixture() {
    return NSDictionary::dictionaryWithObjectsAndKeys({
        {"AppleLanguages", NSArray::arrayWithObjects({NSString::string("en")})},
        {"blob", make<NSData>(std::string("\x00\x01\xfe\xff", 4))},
        {"count", NSNumber::numberWithInteger(3)},
        {"enabled", NSNumber::numberWithBool(true)},
        {"name", NSString::string("Ann")},
        {"nested", NSDictionary::dictionaryWithObjectsAndKeys(
                       {{"k", NSString::string("v")},
                        {"list", NSArray::arrayWithObjects({NSNumber::numberWithInteger(1), NSNumber::numberWithInteger(2)})}})},
        {"ratio", NSNumber::numberWithDouble(0.25)},
        {"when", make<NSDate>(kFixtureDate)},
    });
}

// The fixture's JSON with one change: `from` replaced by `to` (both must be there).
std::string fixtureWith(const std::string& from, const std::string& to) {
    std::string json = kFixtureJSON;
    const auto at = json.find(from);
    if (at == std::string::npos) ADD_FAILURE() << from;
    return at == std::string::npos ? json : json.replace(at, from.size(), to);
}

class Plutil : public ::testing::Test {
protected:
    Plutil() { writeFixture(plist::Format::XML); }

    void writeFixture(plist::Format format) const { scratch_.writeFile("/fixture.plist", *plist::serialize(fixture(), format)); }
    std::string file() const { return scratch_ / "/fixture.plist"; }
    std::string bytes() const { return scratch_.readFile("/fixture.plist"); }

    // plutil with FILE and OUT in `words` standing for the fixture and a scratch output path.
    testing_support::ProcessResult plutil(std::vector<std::string> words) const {
        for (auto& word : words) {
            if (word == "FILE") word = file();
            if (word == "OUT") word = scratch_ / "/out";
        }
        words.insert(words.begin(), CORVANE_PLUTIL);
        return run(words);
    }
    std::string json() const { return plutil({"-convert", "json", "-o", "-", "FILE"}).out; }

    DeviceRoot scratch_;
};

struct Case {
    std::vector<std::string> words;
    int status;
    std::string out;    // standard output, exactly
    std::string err;    // found in standard error ("" when there must be none)
    std::string after;  // the file's JSON afterwards; "" when it must be byte for byte as it was
};

TEST_F(Plutil, EachVerbAndItsErrors) {
    const std::string fixtureJSON = std::string(kFixtureJSON) + "\n";
    const Case cases[] = {
        // Output of every value kind.
        {{"-convert", "json", "-o", "-", "FILE"}, 0, fixtureJSON, "", ""},
        {{"-extract", "nested", "json", "FILE"}, 0, "{\"k\":\"v\",\"list\":[1,2]}\n", "", ""},
        {{"-extract", "name", "raw", "FILE"}, 0, "Ann\n", "", ""},
        {{"-extract", "count", "raw", "-o", "-", "FILE"}, 0, "3\n", "", ""},
        {{"-extract", "ratio", "raw", "FILE"}, 0, "0.25\n", "", ""},
        {{"-extract", "enabled", "raw", "FILE"}, 0, "true\n", "", ""},
        {{"-extract", "when", "raw", "FILE"}, 0, "2024-05-01T12:30:00Z\n", "", ""},
        {{"-extract", "blob", "raw", "FILE"}, 0, "AAH+/w==\n", "", ""},
        {{"-extract", "nested.list.1", "raw", "FILE"}, 0, "2\n", "", ""},
        {{"-extract", "nested", "raw", "FILE"}, 1, "", "not an array or a dictionary", ""},
        {{"-extract", "missing", "json", "FILE"}, 1, "", "no value at 'missing'", ""},
        {{"-extract", "AppleLanguages.1", "json", "FILE"}, 1, "", "no value at 'AppleLanguages.1'", ""},
        {{"-p", "FILE"}, 0,
         "{\n  \"AppleLanguages\" => [\n    0 => \"en\"\n  ]\n  \"blob\" => {length = 4, bytes = 0x0001feff}\n"
         "  \"count\" => 3\n  \"enabled\" => true\n  \"name\" => \"Ann\"\n  \"nested\" => {\n    \"k\" => \"v\"\n"
         "    \"list\" => [\n      0 => 1\n      1 => 2\n    ]\n  }\n  \"ratio\" => 0.25\n"
         "  \"when\" => 2024-05-01T12:30:00Z\n}\n",
         "", ""},
        // Changes: one key, the rest of the file kept.
        {{"-insert", "AppleLanguages.0", "-string", "fr", "FILE"}, 0, "", "", fixtureWith(R"(["en"])", R"(["fr","en"])")},
        {{"-insert", "AppleLanguages.1", "-string", "de", "FILE"}, 0, "", "", fixtureWith(R"(["en"])", R"(["en","de"])")},
        {{"-replace", "AppleLanguages.0", "-string", "it", "FILE"}, 0, "", "", fixtureWith(R"(["en"])", R"(["it"])")},
        {{"-remove", "AppleLanguages.0", "FILE"}, 0, "", "", fixtureWith(R"(["en"])", "[]")},
        {{"-replace", "name", "-string", "Zoë \"Z\"", "FILE"}, 0, "", "", fixtureWith(R"("Ann")", R"("Zoë \"Z\"")")},
        {{"-replace", "nested.k", "-integer", "-7", "FILE"}, 0, "", "", fixtureWith(R"("k":"v")", R"("k":-7)")},
        {{"-remove", "nested.list", "FILE"}, 0, "", "", fixtureWith(R"(,"list":[1,2])", "")},
        {{"-insert", "b", "-bool", "NO", "FILE"}, 0, "", "", fixtureWith(R"("blob")", R"("b":false,"blob")")},
        {{"-insert", "b", "-float", "1e3", "FILE"}, 0, "", "", fixtureWith(R"("blob")", R"("b":1000.0,"blob")")},
        {{"-insert", "b", "-date", "1999-12-31T23:59:59Z", "FILE"}, 0, "", "", fixtureWith(R"("blob")", R"("b":"1999-12-31T23:59:59Z","blob")")},
        {{"-insert", "b", "-date", "2100-01-01T00:00:00Z", "FILE"}, 0, "", "", fixtureWith(R"("blob")", R"("b":"2100-01-01T00:00:00Z","blob")")},
        {{"-insert", "b", "-data", "AAEC", "FILE"}, 0, "", "", fixtureWith(R"("blob")", R"("b":"AAEC","blob")")},
        {{"-insert", "b", "-array", "FILE"}, 0, "", "", fixtureWith(R"("blob")", R"("b":[],"blob")")},
        {{"-insert", "b", "-dictionary", "FILE"}, 0, "", "", fixtureWith(R"("blob")", R"("b":{},"blob")")},
        {{"-insert", "nested.a\\.b", "-bool", "1", "FILE"}, 0, "", "", fixtureWith(R"({"k")", R"({"a.b":true,"k")")},
        // Changes that do not fit leave the file as it was.
        {{"-insert", "name", "-string", "Bob", "FILE"}, 1, "", "a value already exists at 'name'", ""},
        {{"-insert", "AppleLanguages.2", "-string", "x", "FILE"}, 1, "", "index out of range at 'AppleLanguages.2'", ""},
        {{"-replace", "AppleLanguages.1", "-string", "x", "FILE"}, 1, "", "index out of range", ""},
        {{"-insert", "nested.list.first", "-integer", "1", "FILE"}, 1, "", "'first' is not an array index", ""},
        {{"-replace", "nested.list.01", "-integer", "5", "FILE"}, 1, "", "'01' is not an array index", ""},
        {{"-extract", "nested.list.01", "raw", "FILE"}, 1, "", "no value at 'nested.list.01'", ""},
        {{"-insert", "count.sub", "-integer", "1", "FILE"}, 1, "", "'count' holds neither a dictionary nor an array", ""},
        {{"-insert", "missing.k", "-integer", "1", "FILE"}, 1, "", "no value at 'missing'", ""},
        {{"-remove", "missing", "FILE"}, 1, "", "no value to remove at 'missing'", ""},
        {{"-remove", "x", scratch_ / "/none.plist"}, 1, "", "No such file", ""},
        // Values that are not what their type says, and command lines no verb allows.
        {{"-insert", "a", "-integer", "12x", "FILE"}, 2, "", "'12x' is not a 64-bit integer", ""},
        {{"-insert", "a", "-integer", "99999999999999999999", "FILE"}, 2, "", "not a 64-bit integer", ""},
        {{"-insert", "a", "-float", "nan", "FILE"}, 2, "", "not a finite number", ""},
        {{"-insert", "a", "-bool", "maybe", "FILE"}, 2, "", "not a bool", ""},
        {{"-insert", "a", "-date", "2024-02-30T00:00:00Z", "FILE"}, 2, "", "not a date", ""},
        {{"-insert", "a", "-date", "0000-01-01T00:00:00Z", "FILE"}, 2, "", "not a date", ""},
        {{"-insert", "a", "-date", "2024-05-01 12:30:00", "FILE"}, 2, "", "not a date", ""},
        {{"-insert", "a", "-data", "AAE", "FILE"}, 2, "", "not base64", ""},
        {{"-insert", "a", "-string", "\xff", "FILE"}, 2, "", "not valid UTF-8", ""},
        {{"-insert", "a", "FILE"}, 2, "", "-insert needs exactly one of", ""},
        {{"-replace", "a", "-bool", "1", "-integer", "1", "FILE"}, 2, "", "-replace needs exactly one of", ""},
        {{"-remove", "a", "-bool", "1", "FILE"}, 2, "", "a value type goes only with -insert or -replace", ""},
        {{"-lint", "-p", "FILE"}, 2, "", "choose one of -create", ""},
        {{"FILE"}, 2, "", "plutil: no verb given\nusage: plutil", ""},
        {{"-lint", "-o", "OUT", "FILE"}, 2, "", "-o goes only with -convert or -extract", ""},
        {{"-p", "-s", "FILE"}, 2, "", "-s goes only with -lint", ""},
        {{"-p", "FILE", "FILE"}, 2, "", "-p takes one FILE", ""},
        {{"-convert", "json", "-o", "OUT", "FILE", "FILE"}, 2, "", "-convert takes one FILE with -o", ""},
        {{"-extract", "a"}, 2, "", "-extract needs a format", ""},
        {{"-extract", "a", "yaml", "FILE"}, 2, "", "-extract cannot write the format 'yaml'", ""},
        {{"-convert", "raw", "FILE"}, 2, "", "-convert cannot write the format 'raw'", ""},
        {{"-convert", "json", "FILE"}, 2, "", "JSON, which is not a property list: give -o", ""},
        {{"-create", "json", "FILE"}, 2, "", "-create cannot write the format 'json'", ""},
        {{"-insert", "a", "-string"}, 2, "", "option '-string' needs a value", ""},
        {{"-lint"}, 2, "", "no FILE given", ""},
        {{"--help=x"}, 2, "", "takes no value", ""},
    };
    const std::string original = bytes();
    for (const Case& c : cases) {
        std::string line;
        for (const auto& word : c.words) line += word + " ";
        SCOPED_TRACE(line);
        const auto result = plutil(c.words);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.out, c.out);
        if (c.err.empty()) {
            EXPECT_EQ(result.err, "");
        } else {
            EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
        }
        if (c.after.empty()) {
            EXPECT_EQ(bytes(), original);
        } else {
            EXPECT_EQ(json(), c.after + "\n");
        }
        writeFixture(plist::Format::XML);
    }
}

TEST_F(Plutil, HelpCreateLintAndConvert) {
    for (const char* help : {"-help", "--help"}) {
        const auto result = plutil({help});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out.rfind("usage: plutil ", 0), 0u) << result.out;
        EXPECT_NE(result.out.find("-insert|-replace KEYPATH"), std::string::npos);
        EXPECT_EQ(result.err, "");
    }

    // A change keeps the file's encoding and its permissions.
    ASSERT_EQ(::chmod(file().c_str(), 0600), 0);
    ASSERT_EQ(plutil({"-convert", "binary1", "FILE"}).status, 0);
    struct stat st {};
    ASSERT_EQ(::stat(file().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(bytes().rfind("bplist00", 0), 0u);
    EXPECT_EQ(json(), std::string(kFixtureJSON) + "\n");
    ASSERT_EQ(plutil({"-replace", "count", "-integer", "4", "FILE"}).status, 0);
    EXPECT_EQ(bytes().rfind("bplist00", 0), 0u);
    ASSERT_EQ(plutil({"-convert", "xml1", "-o", "OUT", "FILE"}).status, 0);
    EXPECT_EQ(scratch_.readFile("/out").rfind("<?xml", 0), 0u);
    EXPECT_EQ(bytes().rfind("bplist00", 0), 0u);

    // -create, then AppleLanguages written by hand from nothing.
    const std::string created = scratch_ / "/new/.GlobalPreferences.plist";
    EXPECT_EQ(plutil({"-create", "binary1", created}).status, 1);  // no such directory
    EXPECT_FALSE(scratch_.exists("/new"));
    const std::string global = scratch_ / "/.GlobalPreferences.plist";
    ASSERT_EQ(plutil({"-create", "binary1", global}).status, 0);
    ASSERT_EQ(plutil({"-insert", "AppleLanguages", "-array", global}).status, 0);
    ASSERT_EQ(plutil({"-insert", "AppleLanguages.0", "-string", "fr", global}).status, 0);
    ASSERT_EQ(plutil({"-insert", "AppleLanguages.1", "-string", "en", global}).status, 0);
    Ref<NSObject> root = plist::readFile(global);
    auto* top = objc_cast<NSDictionary>(root.get());
    ASSERT_NE(top, nullptr);
    auto* list = objc_cast<NSArray>(top->objectForKey("AppleLanguages"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2u);
    EXPECT_EQ(objc_cast<NSString>(list->objectAtIndex(0))->str(), "fr");
    // -create makes new files only: an existing one is kept as it was.
    const auto again = plutil({"-create", "xml1", "FILE"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("already exists"), std::string::npos) << again.err;
    EXPECT_NE(json(), "{}\n");

    // -lint tells each file's fault and fails if any has one.
    scratch_.writeFile("/empty.plist", "");
    scratch_.writeFile("/garbage.plist", "<plist><dict><key>a</key></dict></plist>");
    scratch_.writeFile("/truncated.plist", "bplist00\x01");
    scratch_.writeFile("/huge.plist", std::string(plist::kMaxFileBytes + 1, ' '));
    ASSERT_EQ(::mkfifo((scratch_ / "/fifo.plist").c_str(), 0644), 0);  // must not hang the tool
    const auto lint = plutil({"-lint", global, scratch_ / "/empty.plist", scratch_ / "/garbage.plist",
                              scratch_ / "/truncated.plist", scratch_ / "/huge.plist", scratch_ / "/fifo.plist",
                              scratch_ / "/missing.plist", scratch_.path()});
    EXPECT_EQ(lint.status, 1);
    EXPECT_EQ(lint.out, global + ": OK\n" + scratch_ / "/empty.plist: the file is empty\n" +
                            scratch_ / "/garbage.plist: not a readable property list (XML): missing value for key 'a' at line 1\n" +
                            scratch_ / "/truncated.plist: not a readable property list (binary): a binary property list that breaks the format's rules\n" +
                            scratch_ / "/huge.plist: larger than 1048576 bytes, which no property list here may be\n" +
                            scratch_ / "/fifo.plist: not a regular file\n" +
                            scratch_ / "/missing.plist: No such file or directory\n" + scratch_.path() +
                            ": not a regular file\n");
    const auto silent = plutil({"-lint", "-s", global});
    EXPECT_EQ(silent.status, 0);
    EXPECT_EQ(silent.out, "");
    // A file that holds no property list is not edited, nor moved aside.
    EXPECT_EQ(plutil({"-insert", "a", "-bool", "1", scratch_ / "/garbage.plist"}).status, 1);
    EXPECT_EQ(scratch_.readFile("/garbage.plist"), "<plist><dict><key>a</key></dict></plist>");
}

// -lint names the broken rule and its line, as Apple's tool does.
TEST_F(Plutil, LintSaysWhatIsWrongAndOnWhichLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"<?xml version=\"1.0\"?>\n<plist>\n<dict>\n<key>a</key><sting>x</sting>\n</dict></plist>",
         "unexpected element <sting> at line 4"},
        {"<plist><dict>\n<key>a</key><true/>\n<key>b</key>\n</dict></plist>", "missing value for key 'b' at line 3"},
        {"<plist><dict><key>a</key>\n\n<integer>12x</integer></dict></plist>", "<integer> '12x' is not an integer"},
        {"<plist><dict>\n<key>a</key><true/>\n</plist>", "XML that is not well-formed (Start-end tags mismatch) at line 3"},
        {"{\"a\": true}", "this looks like JSON, which is not a property list"},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><plist><dict/></plist>",
         "the encoding 'iso-8859-1', where only UTF-8 and UTF-16 are read"},
    };
    for (const auto& [text, reason] : cases) {
        scratch_.writeFile("/fixture.plist", text);
        const auto lint = plutil({"-lint", "FILE"});
        EXPECT_EQ(lint.status, 1) << text;
        EXPECT_NE(lint.out.find(": not a readable property list (XML): " + reason), std::string::npos) << lint.out;
    }
}

// Output goes where the path leads without replacing what is there: a FIFO, a device and a stream
// are written in place, a link's target is replaced and the link kept; and only a device's
// preference folder, where the Settings app locks, gets lock files.
TEST_F(Plutil, OutputsWriteThroughWhatThePathIsAndLockOnlyWhereTheStoreDoes) {
    const auto xml = plutil({"-convert", "xml1", "-o", "-", "FILE"});
    ASSERT_EQ(xml.status, 0);
    EXPECT_EQ(plutil({"-convert", "xml1", "-o", "/dev/stdout", "FILE"}).out, xml.out);

    const std::string fifo = scratch_ / "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // Held open both ways, so neither end waits for the other: what plutil writes waits in the pipe.
    const int pipe = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(pipe, 0);
    EXPECT_EQ(plutil({"-convert", "xml1", "-o", fifo, "FILE"}).status, 0);
    std::string received(xml.out.size() + 1, '\0');
    received.resize(static_cast<size_t>(std::max<ssize_t>(0, ::read(pipe, received.data(), received.size()))));
    ::close(pipe);
    EXPECT_EQ(received, xml.out);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));

    const std::string null = scratch_ / "/null";
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {  // the machine's null device, as root
        EXPECT_EQ(plutil({"-convert", "binary1", "-o", null, "FILE"}).status, 0);
        EXPECT_TRUE(std::filesystem::is_character_file(null));
    }
    const auto directory = plutil({"-convert", "xml1", "-o", scratch_.path(), "FILE"});
    EXPECT_EQ(directory.status, 1);
    EXPECT_NE(directory.err.find("is a directory"), std::string::npos) << directory.err;

    // A link to the fixture, and one to an output yet to be made: both stay links.
    const std::string link = scratch_ / "/link.plist", dangling = scratch_ / "/dangling.plist";
    std::filesystem::create_symlink("fixture.plist", link);
    std::filesystem::create_symlink(scratch_ / "/made.plist", dangling);
    ASSERT_EQ(plutil({"-insert", "through", "-bool", "YES", link}).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(json(), fixtureWith(R"("when")", R"("through":true,"when")") + "\n");
    ASSERT_EQ(plutil({"-convert", "binary1", "-o", dangling, "FILE"}).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_EQ(scratch_.readFile("/made.plist").rfind("bplist00", 0), 0u);
    ASSERT_EQ(plutil({"-create", "xml1", scratch_ / "/created.plist"}).status, 0);
    EXPECT_EQ(plutil({"-create", "xml1", "-o", "OUT"}).status, 2);
    for (const auto& entry : std::filesystem::directory_iterator(scratch_.path()))
        EXPECT_NE(entry.path().extension(), ".lock") << entry.path();

    const std::string folder = scratch_ / "/var/mobile/Library/Preferences";
    std::filesystem::create_directories(folder);
    ASSERT_EQ(plutil({"-create", "binary1", folder + "/x.plist"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(folder + "/x.plist.lock"));
    ASSERT_EQ(plutil({"-insert", "k", "-bool", "NO", folder + "/x.plist"}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(folder + "/x.plist.lock"));
}

// Dates a phone holds beyond 32-bit seconds from 2001 (years 1900 and 2200): a change elsewhere in
// the file keeps them, in either encoding.
TEST_F(Plutil, DatesBeyondThirtyTwoBitSecondsSurviveChanges) {
    scratch_.writeFile("/fixture.plist",
                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                       "<key>early</key><date>1900-01-01T00:00:00Z</date>"
                       "<key>late</key><date>2200-08-22T16:00:00Z</date></dict></plist>\n");
    const std::string expected = "{\"early\":\"1900-01-01T00:00:00Z\",\"late\":\"2200-08-22T16:00:00Z\"";
    ASSERT_EQ(plutil({"-insert", "more", "-bool", "YES", "FILE"}).status, 0);
    EXPECT_EQ(json(), expected + ",\"more\":true}\n");
    ASSERT_EQ(plutil({"-convert", "binary1", "FILE"}).status, 0);
    ASSERT_EQ(plutil({"-remove", "more", "FILE"}).status, 0);
    EXPECT_EQ(json(), expected + "}\n");
    EXPECT_EQ(scratch_.readFile("/fixture.plist").rfind("bplist00", 0), 0u);
}

// plutil and the Settings app's store change one preference file at once: neither loses the other's keys.
TEST_F(Plutil, ChangesRacingTheStoreLoseNothing) {
    constexpr int kEach = 12;
    ::setenv("SIMULATOR_ROOT", scratch_.path().c_str(), 1);
    const std::string domain = "com.example.race";
    ASSERT_TRUE(PreferencesStore::setPreferenceValue(domain, "seed", NSNumber::numberWithBool(true)));
    const std::string path = scratch_ / PreferencesStore::pathForDomain(domain);
    std::thread tool([&] {
        for (int i = 0; i < kEach; ++i)
            EXPECT_EQ(run({CORVANE_PLUTIL, "-insert", "tool" + std::to_string(i), "-integer", std::to_string(i), path}).status, 0);
    });
    for (int i = 0; i < kEach * 4; ++i)
        EXPECT_TRUE(PreferencesStore::setPreferenceValue(domain, "store" + std::to_string(i), NSNumber::numberWithInteger(i)));
    tool.join();
    Ref<NSDictionary> stored = PreferencesStore::readPreferences(domain);
    ::unsetenv("SIMULATOR_ROOT");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->count(), 1u + kEach + kEach * 4);
}

}  // namespace
