#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSURL.h"
#include "Preferences/PreferencesStore.h"
#include "ScratchDevice.h"

namespace {

constexpr const char* kDomain = "com.qelmor.corvane";
constexpr const char* kFile = "/var/mobile/Library/Preferences/com.qelmor.corvane.plist";

bool isBinaryPlist(const std::string& bytes) { return bytes.starts_with("bplist00"); }

int intOf(const NSObject* value) {
    auto* number = objc_cast<NSNumber>(value);
    return number ? number->intValue() : -1;
}

// Runs `body` in a child process; its result is the child's exit status.
template <class Body>
pid_t spawn(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    return pid;
}

int waitFor(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class PreferencesStoreTest : public ::testing::Test {
protected:
    ScratchDevice device;
};

}  // namespace

TEST_F(PreferencesStoreTest, StoredValuesReadBackFromABinaryFileInNewDirectories) {
    EXPECT_FALSE(device.exists("/var"));
    EXPECT_EQ(PreferencesStore::readPreferenceValue(kDomain, "kVoice"), nullptr);
    EXPECT_EQ(PreferencesStore::readPreferences(kDomain)->count(), 0u);

    ASSERT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "kVoice", NSNumber::numberWithBool(true)));
    ASSERT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "fgc", NSNumber::numberWithInteger(4)));
    ASSERT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "name", NSString::string("Corvane")));
    EXPECT_TRUE(isBinaryPlist(device.read(kFile)));

    Ref<NSObject> stored = PreferencesStore::readPreferenceValue(kDomain, "kVoice");
    auto* voice = objc_cast<NSNumber>(stored.get());
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(voice->kind(), NSNumber::Kind::Boolean);
    EXPECT_TRUE(voice->boolValue());
    EXPECT_EQ(intOf(PreferencesStore::readPreferenceValue(kDomain, "fgc")), 4);
    // What other readers of the file see, too.
    auto onDisk = NSDictionary::dictionaryWithContentsOfFile(kFile);
    ASSERT_NE(onDisk, nullptr);
    EXPECT_EQ(onDisk->count(), 3u);
    EXPECT_EQ(objc_cast<NSString>(onDisk->objectForKey("name"))->str(), "Corvane");

    // Replacing and removing one key leaves the others alone.
    ASSERT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "fgc", NSNumber::numberWithInteger(7)));
    ASSERT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "name", nullptr));
    EXPECT_EQ(intOf(PreferencesStore::readPreferenceValue(kDomain, "fgc")), 7);
    EXPECT_EQ(PreferencesStore::readPreferenceValue(kDomain, "name"), nullptr);
    EXPECT_EQ(PreferencesStore::readPreferences(kDomain)->count(), 2u);
    // Only the file and its lock file are left: no temporary files.
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(device.host("/var/mobile/Library/Preferences")))
        ++entries;
    EXPECT_EQ(entries, 2u);
}

TEST_F(PreferencesStoreTest, AnXmlFileWrittenBySomeoneElseIsKeptAndRewrittenBinary) {
    device.writePlist(kFile,
                      NSDictionary::dictionaryWithObjectsAndKeys({{"bgc", NSNumber::numberWithInteger(13)},
                                                                  {"tab", NSNumber::numberWithBool(true)}}),
                      plist::Format::XML);
    EXPECT_EQ(intOf(PreferencesStore::readPreferenceValue(kDomain, "bgc")), 13);
    ASSERT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "call", NSNumber::numberWithInteger(8)));
    EXPECT_TRUE(isBinaryPlist(device.read(kFile)));
    EXPECT_EQ(intOf(PreferencesStore::readPreferenceValue(kDomain, "bgc")), 13);
    EXPECT_EQ(intOf(PreferencesStore::readPreferenceValue(kDomain, "call")), 8);
    EXPECT_TRUE(objc_cast<NSNumber>(PreferencesStore::readPreferenceValue(kDomain, "tab").get())->boolValue());
}

TEST_F(PreferencesStoreTest, DomainsThatNameNoFileStoreNothing) {
    for (const std::string& domain : std::vector<std::string>{"", "a/b", "..", "../com.qelmor.corvane", "com..x", "/etc/passwd",
                                     std::string("com\0x", 5)}) {
        EXPECT_FALSE(PreferencesStore::isValidDomain(domain));
        EXPECT_EQ(PreferencesStore::pathForDomain(domain), "");
        EXPECT_FALSE(PreferencesStore::setPreferenceValue(domain, "k", NSNumber::numberWithBool(true)));
        EXPECT_EQ(PreferencesStore::readPreferenceValue(domain, "k"), nullptr);
        EXPECT_EQ(PreferencesStore::readPreferences(domain), nullptr);
    }
    EXPECT_FALSE(device.exists("/var"));
    EXPECT_FALSE(device.exists("/var/mobile/Library/com.qelmor.corvane.plist"));
    EXPECT_TRUE(std::filesystem::is_empty(device.root()));
    EXPECT_TRUE(PreferencesStore::isValidDomain(".GlobalPreferences"));
}

TEST_F(PreferencesStoreTest, RefusesEmptyKeysAndValuesNoPropertyListHolds) {
    ASSERT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "kLCD", NSNumber::numberWithBool(true)));
    const std::string before = device.read(kFile);
    std::string problem;
    EXPECT_FALSE(PreferencesStore::setPreferenceValue(kDomain, "", NSNumber::numberWithBool(true), &problem));
    EXPECT_NE(problem.find("empty key"), std::string::npos) << problem;
    EXPECT_FALSE(PreferencesStore::setPreferenceValue(kDomain, "url", NSURL::URLWithString("tweetbot:"), &problem));
    EXPECT_NE(problem.find("not a property-list value"), std::string::npos) << problem;
    EXPECT_EQ(device.read(kFile), before);
}

TEST_F(PreferencesStoreTest, ACorruptFileIsKeptAsideNotDestroyed) {
    for (const std::string& garbage : std::vector<std::string>{"this is no property list", "",
                                       *plist::serialize(NSArray::arrayWithObjects({NSString::string("x")}),
                                                         plist::Format::XML)}) {
        device.write(kFile, garbage);
        ASSERT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "kStatus", NSNumber::numberWithBool(true)));
        EXPECT_EQ(device.read(std::string(kFile) + ".corrupt"), garbage);
        auto stored = PreferencesStore::readPreferences(kDomain);
        EXPECT_EQ(stored->count(), 1u);
        EXPECT_NE(stored->objectForKey("kStatus"), nullptr);
    }
}

TEST_F(PreferencesStoreTest, AFileThatCannotBeReadIsLeftAloneAndNothingStored) {
    // A directory where the file should be: it opens but reads fail.
    std::filesystem::create_directories(device.host(kFile));
    device.write(std::string(kFile) + "/inside", "keep me");
    std::string problem;
    EXPECT_FALSE(PreferencesStore::setPreferenceValue(kDomain, "kLCD", NSNumber::numberWithBool(true), &problem));
    EXPECT_TRUE(problem.starts_with("cannot read " + device.host(kFile))) << "the caller learns why: " << problem;
    EXPECT_TRUE(std::filesystem::is_directory(device.host(kFile)));
    EXPECT_EQ(device.read(std::string(kFile) + "/inside"), "keep me");
    EXPECT_FALSE(device.exists(std::string(kFile) + ".corrupt"));
}

TEST_F(PreferencesStoreTest, AReaderInAnotherProcessNeverSeesAHalfWrittenFile) {
    constexpr int kRewrites = 2000;
    ASSERT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "n", NSString::string("")));
    int done[2];
    ASSERT_EQ(::pipe(done), 0);
    const std::string file = device.host(kFile);
    const pid_t reader = spawn([&] {
        ::close(done[1]);
        ::fcntl(done[0], F_SETFL, O_NONBLOCK);
        int reads = 0;
        char byte;
        while (::read(done[0], &byte, 1) < 0) {  // EOF once the writer has finished
            Ref<NSObject> root = plist::readFile(file);
            auto* values = objc_cast<NSDictionary>(root.get());
            if (!values || !objc_cast<NSString>(values->objectForKey("n"))) return 1;
            ++reads;
        }
        return reads > 0 ? 0 : 2;
    });
    ::close(done[0]);
    bool stored = true;
    // The size changes with every rewrite, so a torn file cannot pass for a whole one.
    for (int i = 1; i <= kRewrites && stored; ++i)
        stored = PreferencesStore::setPreferenceValue(kDomain, "n", NSString::string(std::string(i % 97 * 40, 'x')));
    ::close(done[1]);
    EXPECT_EQ(waitFor(reader), 0) << "1: a read found no whole dictionary; 2: the reader never read";
    EXPECT_TRUE(stored);
    Ref<NSObject> value = PreferencesStore::readPreferenceValue(kDomain, "n");
    auto* last = objc_cast<NSString>(value.get());
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->length(), size_t{kRewrites % 97 * 40});
}

TEST_F(PreferencesStoreTest, TwoWriterProcessesLoseNothing) {
    constexpr int kWrites = 300;
    auto writer = [](char prefix) {
        return [prefix] {
            for (int i = 0; i < kWrites; ++i)
                if (!PreferencesStore::setPreferenceValue(kDomain, prefix + std::to_string(i), NSNumber::numberWithInteger(i)))
                    return 1;
            return 0;
        };
    };
    const pid_t a = spawn(writer('a'));
    const pid_t b = spawn(writer('b'));
    EXPECT_EQ(waitFor(a), 0);
    EXPECT_EQ(waitFor(b), 0);
    auto stored = PreferencesStore::readPreferences(kDomain);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->count(), 2u * kWrites);
    for (const char prefix : {'a', 'b'})
        for (int i = 0; i < kWrites; ++i)
            EXPECT_EQ(intOf(stored->objectForKey(prefix + std::to_string(i))), i) << prefix << i;
}

namespace {

// The lines the store logs while `body` runs.
template <class Body>
std::string logged(Body body) {
    testing::internal::CaptureStderr();
    body();
    return testing::internal::GetCapturedStderr();
}

std::vector<std::string> filesIn(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(directory)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST_F(PreferencesStoreTest, NeverStoresWhatWouldNotReadBack) {
    ASSERT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "kVoice", NSNumber::numberWithBool(true)));
    const std::string before = device.read(kFile);
    std::string log = logged([] {
        EXPECT_FALSE(PreferencesStore::setPreferenceValue(kDomain, "name", NSString::string("Caf\xE9")));
        EXPECT_FALSE(PreferencesStore::setPreferenceValue(kDomain, "nul", NSString::string(std::string("a\0b", 3))));
        EXPECT_FALSE(PreferencesStore::setPreferenceValue(kDomain, "big", NSString::string(std::string(plist::kMaxFileBytes, 'x'))));
    });
    EXPECT_EQ(device.read(kFile), before) << "the file is left as it was";
    EXPECT_NE(log.find("would not read back"), std::string::npos) << log;
    EXPECT_NE(log.find("would be larger than the 1048576-byte limit"), std::string::npos) << log;
    EXPECT_TRUE(objc_cast<NSNumber>(PreferencesStore::readPreferenceValue(kDomain, "kVoice").get())->boolValue());
}

TEST_F(PreferencesStoreTest, AFileWithAnInvalidStringOrOverTheLimitIsKeptAsideSayingWhy) {
    const std::string invalid = "<plist><dict><key>kVoice</key><true/><key>n</key><string>Caf\xE9</string></dict></plist>";
    const std::string oversized = *plist::serialize(
        NSDictionary::dictionaryWithObjectsAndKeys({{"n", NSString::string(std::string(plist::kMaxFileBytes, 'x'))}}),
        plist::Format::Binary);
    for (const auto& [bytes, reason] : {std::pair{invalid, "is not a readable property-list dictionary"},
                                        std::pair{oversized, "is larger than the 1048576-byte limit"}}) {
        device.write(kFile, bytes);
        EXPECT_EQ(PreferencesStore::readPreferences(kDomain)->count(), 0u);
        const std::string log = logged([] {
            EXPECT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "tab", NSNumber::numberWithBool(true)));
        });
        EXPECT_NE(log.find(reason), std::string::npos) << log;
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
        EXPECT_EQ(device.read(std::string(kFile) + ".corrupt"), bytes);
        EXPECT_EQ(PreferencesStore::readPreferences(kDomain)->count(), 1u);
    }
}

TEST_F(PreferencesStoreTest, NothingIsOpenedThroughALinkOutOfTheDeviceRoot) {
    const std::filesystem::path outside = device.root() + "-outside";
    std::filesystem::create_directories(outside);
    const std::string directory = device.host("/var/mobile/Library/Preferences");
    std::filesystem::create_directories(directory);
    // Refused in one log line that names the link; nothing outside is made or read.
    auto refusedNaming = [&](const std::string& link, const char* what) {
        const std::string log = logged([] {
            EXPECT_FALSE(PreferencesStore::setPreferenceValue(kDomain, "kLCD", NSNumber::numberWithBool(true)));
        });
        EXPECT_NE(log.find(link + " (to "), std::string::npos) << what << ": " << log;
        EXPECT_NE(log.find("is a link leading out of the device root"), std::string::npos) << what << ": " << log;
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
        EXPECT_EQ(PreferencesStore::readPreferences(kDomain)->count(), 0u) << what;
    };
    std::filesystem::create_symlink(outside / "lock", device.host(kFile) + ".lock");  // dangling: O_CREAT would make it
    refusedNaming(device.host(kFile) + ".lock", "a lock leading out");
    EXPECT_TRUE(std::filesystem::is_empty(outside));
    std::filesystem::remove(device.host(kFile) + ".lock");
    // What the link leads to holds a value the pane must not show.
    ASSERT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "kVoice", NSNumber::numberWithBool(true)));
    std::filesystem::rename(device.host(kFile), outside / "prefs.plist");
    std::filesystem::create_symlink(outside / "prefs.plist", device.host(kFile));
    refusedNaming(device.host(kFile), "a file leading out");
    std::filesystem::remove(device.host(kFile));
    std::filesystem::remove_all(device.host("/var"));
    std::filesystem::create_directories(device.host("/var/mobile/Library"));
    std::filesystem::create_directory_symlink(outside, directory);
    refusedNaming(directory, "a directory leading out");
    std::filesystem::remove(directory);
    // A relative link that climbs out is no different.
    std::filesystem::create_directory_symlink("../../../../" + outside.filename().string(), directory);
    refusedNaming(directory, "a relative link climbing out");
    std::filesystem::remove(directory);

    // A link that stays inside the root is followed, and stays a link: its target is changed.
    std::filesystem::create_directories(directory);
    device.write("/var/kept.plist", "");
    std::filesystem::create_symlink(device.host("/var/kept.plist"), device.host(kFile));
    EXPECT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "kLCD", NSNumber::numberWithBool(true)));
    EXPECT_TRUE(std::filesystem::is_symlink(device.host(kFile)));
    EXPECT_EQ(PreferencesStore::readPreferences(kDomain)->count(), 1u);
    EXPECT_NE(device.read("/var/kept.plist"), "");
    std::filesystem::remove_all(outside);
}

TEST_F(PreferencesStoreTest, AFifoAtThePathIsNeitherWaitedOnNorWrittenThrough) {
    const std::string file = device.host(kFile);
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
    EXPECT_EQ(PreferencesStore::readPreferences(kDomain)->count(), 0u);
    const std::string log = logged([] { EXPECT_FALSE(PreferencesStore::setPreferenceValue(kDomain, "kLCD", NSNumber::numberWithBool(true))); });
    EXPECT_NE(log.find("(not a regular file)"), std::string::npos) << log;
    EXPECT_TRUE(std::filesystem::is_fifo(file));
    ::unlink(file.c_str());
    ::unlink((file + ".lock").c_str());
    ASSERT_EQ(::mkfifo((file + ".lock").c_str(), 0644), 0);
    EXPECT_FALSE(PreferencesStore::setPreferenceValue(kDomain, "kLCD", NSNumber::numberWithBool(true)));
    EXPECT_FALSE(device.exists(kFile));
}

TEST_F(PreferencesStoreTest, WritersKilledAtRandomLeaveOnlyTheFileAndItsLock) {
    ASSERT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "kept", NSNumber::numberWithBool(true)));
    unsigned seed = 9;
    for (int round = 0; round < 300; ++round) {
        const pid_t writer = spawn([round] {
            for (int i = 0;; ++i)
                PreferencesStore::setPreferenceValue(kDomain, "n", NSString::string(std::string((round + i) % 50 * 100, 'x')));
            return 0;
        });
        ::usleep(rand_r(&seed) % 3000);
        ::kill(writer, SIGKILL);
        waitFor(writer);
        ASSERT_NE(PreferencesStore::readPreferenceValue(kDomain, "kept"), nullptr) << "round " << round;
    }
    // The next writer clears what the last one may have left between naming and renaming.
    ASSERT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "done", NSNumber::numberWithBool(true)));
    EXPECT_EQ(filesIn(device.host("/var/mobile/Library/Preferences")),
              (std::vector<std::string>{"com.qelmor.corvane.plist", "com.qelmor.corvane.plist.lock"}));
}

// Dates a phone holds before 1901 or after 2038 leave the file changeable, and are kept exactly.
TEST_F(PreferencesStoreTest, DatesBeyondThirtyTwoBitSecondsSurviveAChange) {
    constexpr double kYear2100 = 3124137600.25, kYear1900 = -3187296000.0;
    for (const auto format : {plist::Format::Binary, plist::Format::XML}) {
        device.write(kFile, *plist::serialize(NSDictionary::dictionaryWithObjectsAndKeys(
                                                  {{"late", make<NSDate>(kYear2100)}, {"early", make<NSDate>(kYear1900)}}),
                                              format));
        ASSERT_TRUE(PreferencesStore::setPreferenceValue(kDomain, "kVoice", NSNumber::numberWithBool(true)));
        Ref<NSDictionary> stored = PreferencesStore::readPreferences(kDomain);
        ASSERT_EQ(stored->count(), 3u);
        auto seconds = [&](const char* key) { return objc_cast<NSDate>(stored->objectForKey(key))->timeIntervalSinceReferenceDate(); };
        EXPECT_EQ(seconds("late"), format == plist::Format::XML ? std::floor(kYear2100) : kYear2100);
        EXPECT_EQ(seconds("early"), kYear1900);
    }
}
