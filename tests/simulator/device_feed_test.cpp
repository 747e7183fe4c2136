// The feed between the device's threads and the page's streams, and how it goes on the wire.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <thread>

#include "DeviceFeed.h"
#include "EventStream.h"
#include "PngFile.h"

using namespace simulator;
using std::chrono::milliseconds;

TEST(DeviceFeed, EachReaderGetsEveryLineOnceAndOnlyTheLatestPictures) {
    DeviceFeed feed;
    FeedCursor early;
    feed.addLine("one");
    feed.setDialer("first", 568);
    feed.setDialer("second", 568);
    FeedUpdate update = feed.next(early, milliseconds(0));
    EXPECT_EQ(update.lines, std::vector<std::string>{"one"});
    EXPECT_EQ(update.dialer, 2u);
    EXPECT_EQ(update.settings, 0u);
    EXPECT_EQ(*feed.dialer().png, "second");

    feed.addLine("two");
    FeedCursor late;
    EXPECT_EQ(feed.next(late, milliseconds(0)).lines, (std::vector<std::string>{"one", "two"}));
    update = feed.next(early, milliseconds(0));
    EXPECT_EQ(update.lines, std::vector<std::string>{"two"});
    EXPECT_EQ(update.dialer, 0u) << "no new picture since";
    EXPECT_TRUE(feed.next(early, milliseconds(0)).lines.empty());
}

TEST(DeviceFeed, AReaderThatFallsBehindSkipsAheadAndNeverHoldsTheWriter) {
    DeviceFeed feed;
    FeedCursor stalled;
    // A reader that never reads: the writer goes on regardless, keeping a bounded window.
    for (size_t i = 0; i < DeviceFeed::kKeptLines + 7; ++i) feed.addLine(std::to_string(i));
    const FeedUpdate update = feed.next(stalled, milliseconds(0));
    EXPECT_EQ(update.skippedLines, 7u);
    ASSERT_EQ(update.lines.size(), DeviceFeed::kKeptLines);
    EXPECT_EQ(update.lines.front(), "7");
    EXPECT_EQ(update.lines.back(), std::to_string(DeviceFeed::kKeptLines + 6));
}

TEST(DeviceFeed, AWaitingReaderWakesForNewsForARollCallAndForClosing) {
    DeviceFeed feed;
    FeedCursor cursor;
    std::thread writer([&] {
        std::this_thread::sleep_for(milliseconds(50));
        feed.setSettings("page", 900, "[]");
    });
    const auto started = std::chrono::steady_clock::now();
    const FeedUpdate update = feed.next(cursor, milliseconds(20000));
    writer.join();
    EXPECT_EQ(update.settings, 1u);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));

    // A roll call wakes the reader with nothing new, once.
    std::thread caller([&] {
        std::this_thread::sleep_for(milliseconds(50));
        feed.callTheRoll();
    });
    const auto called = std::chrono::steady_clock::now();
    const FeedUpdate woken = feed.next(cursor, milliseconds(20000));
    caller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - called, std::chrono::seconds(10));
    EXPECT_TRUE(woken.lines.empty());
    EXPECT_EQ(woken.settings, 0u);
    EXPECT_FALSE(woken.closed);
    feed.addLine("after");
    EXPECT_EQ(feed.next(cursor, milliseconds(20000)).lines, std::vector<std::string>{"after"})
        << "the call is answered once";

    std::thread closer([&] {
        std::this_thread::sleep_for(milliseconds(50));
        feed.close();
    });
    EXPECT_TRUE(feed.next(cursor, milliseconds(20000)).closed);
    closer.join();
}

TEST(EventStream, MessagesCarryOneDataFieldPerLineAndThePicturesSizes) {
    EXPECT_EQ(serverSentEvent("device", R"({"event":"posted"})"), "event: device\ndata: {\"event\":\"posted\"}\n\n");
    EXPECT_EQ(serverSentEvent("device", "a\nevent: forged\n"), "event: device\ndata: a\ndata: event: forged\ndata: \n\n");

    DeviceFeed feed;
    FeedCursor cursor;
    feed.addLine("launched");
    feed.setSettings("png", 1016.5, R"([{"kind":"row","label":"Settings"}])");
    const std::string messages = eventsForUpdate(feed.next(cursor, milliseconds(0)), feed);
    EXPECT_EQ(messages,
              "event: device\ndata: launched\n\n"
              "event: settings\ndata: {\"height\":1016.5,\"targets\":[{\"kind\":\"row\",\"label\":\"Settings\"}],\"version\":1}\n\n");
}

TEST(DeviceFeed, EachEventLineCarriesTheTimeItWasAddedAndOtherLinesStayAsTheyAre) {
    EXPECT_EQ(stampedLine(R"({"event":"posted"})", 1765250000123), R"({"event":"posted","at":1765250000123})");
    EXPECT_EQ(stampedLine("{}", 7), R"({"at":7})");
    EXPECT_EQ(stampedLine("not json", 7), "not json");
    EXPECT_EQ(stampedLine("{unfinished", 7), "{unfinished");

    // Stamped when added, not when read: a reader that comes later sees the earlier times.
    DeviceFeed feed;
    const auto millisecondsNow = [] {
        return std::chrono::duration_cast<milliseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    };
    const long long before = millisecondsNow();
    feed.addLine(R"({"event":"launched"})");
    const long long after = millisecondsNow();
    FeedCursor late;
    const auto lines = feed.next(late, milliseconds(0)).lines;
    ASSERT_EQ(lines.size(), 1u);
    const auto at = nlohmann::json::parse(lines[0]).at("at").get<long long>();
    EXPECT_GE(at, before);
    EXPECT_LE(at, after);
}

TEST(PngFile, TheHeaderGivesTheSize) {
    std::string header = std::string("\x89PNG\r\n\x1a\n", 8) + std::string("\0\0\0\x0dIHDR", 8) +
                         std::string("\0\0\x02\x80\0\0\x07\xf0", 8);
    const auto size = pngSize(header);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 640);
    EXPECT_EQ(size->height, 2032);
    EXPECT_FALSE(pngSize(header.substr(0, 23)));
    header[20] = '\x80';  // a height beyond what the format allows
    EXPECT_FALSE(pngSize(header));
    EXPECT_FALSE(pngSize("GIF89a and more bytes than a header needs"));
}
