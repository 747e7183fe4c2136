// The device page server outliving its visitors: pages that come and go.

#include <gtest/gtest.h>
#include <unistd.h>

#include "RunningSimulator.h"
#include "WebServer.h"

TEST(SimulatorVisitors, StreamsOfPagesThatLeftFreeTheirSlotsForTheNextPages) {
    RunningSimulator simulator;
    ASSERT_FALSE(simulator.url().empty());
    const std::string open = "GET /events HTTP/1.1\r\nHost: " + simulator.authority() + "\r\n\r\n";
    // Each round fills every slot and leaves, as a page reloaded again and again does.
    for (int round = 0; round < 3; ++round) {
        std::vector<int> streams;
        for (int i = 0; i < simulator::WebServer::kMostStreams; ++i) {
            const int fd = openConnection(simulator.port(), open);
            const std::string answer = firstBytes(fd);
            EXPECT_TRUE(answer.starts_with("HTTP/1.1 200")) << "round " << round << ", stream " << i << ": " << answer;
            streams.push_back(fd);
        }
        for (int fd : streams)
            if (fd >= 0) ::close(fd);
    }
    EXPECT_EQ(simulator.stop(), 0);
}
