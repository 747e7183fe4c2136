// The Simulator's rules for what a request may do, its click bodies and its listen addresses.

#include <gtest/gtest.h>

#include "ListenAddress.h"
#include "RequestGuard.h"
#include "TouchRequest.h"

using namespace simulator;

namespace {

constexpr const char* kSelf = "127.0.0.1:8080";

RequestFacts post(std::optional<std::string> origin, std::optional<std::string> site) {
    return {"POST", "/touch", std::string(kSelf), std::move(origin), std::move(site)};
}

RequestFacts get(const std::string& path, std::optional<std::string> site) {
    return {"GET", path, std::string(kSelf), std::nullopt, std::move(site)};
}

}  // namespace

TEST(RequestGuard, OnlyTheListeningAddressIsAnAcceptableHost) {
    for (const char* host : {"evil.example:8080", "127.0.0.1", "127.0.0.1:8081", "localhost:8080", "", "127.0.0.1:8080 "}) {
        RequestFacts request = get("/", std::nullopt);
        request.host = host;
        const auto refusal = refuseRequest(request, kSelf);
        ASSERT_TRUE(refusal) << host;
        EXPECT_EQ(refusal->status, 403);
        EXPECT_NE(refusal->message.find(kSelf), std::string::npos) << "says which Host works";
    }
    RequestFacts noHost = get("/", std::nullopt);
    noHost.host.reset();
    EXPECT_TRUE(refuseRequest(noHost, kSelf));
    EXPECT_FALSE(refuseRequest(get("/", std::nullopt), kSelf));
}

TEST(RequestGuard, ActionsComeOnlyFromTheDevicePage) {
    EXPECT_FALSE(refuseRequest(post("http://127.0.0.1:8080", "same-origin"), kSelf));
    EXPECT_FALSE(refuseRequest(post(std::nullopt, std::nullopt), kSelf)) << "a program, not a web page";
    for (const auto& [origin, site] : std::vector<std::pair<std::optional<std::string>, std::optional<std::string>>>{
             {"http://evil.example", "cross-site"},
             {"http://evil.example", std::nullopt},
             {"null", std::nullopt},
             {"http://127.0.0.1:8081", "same-site"},
             {"https://127.0.0.1:8080", std::nullopt},
             {std::nullopt, "cross-site"},
             {"http://127.0.0.1:8080", "same-site"},
             {"http://127.0.0.1:8080", "none"}}) {
        const auto refusal = refuseRequest(post(origin, site), kSelf);
        ASSERT_TRUE(refusal) << origin.value_or("-") << " " << site.value_or("-");
        EXPECT_EQ(refusal->status, 403);
    }
    RequestFacts put = post(std::nullopt, "cross-site");
    put.method = "PUT";
    EXPECT_TRUE(refuseRequest(put, kSelf)) << "every method but GET acts";
}

TEST(RequestGuard, AnySiteMayOpenThePageButOnlyThePageReadsTheDevice) {
    EXPECT_FALSE(refuseRequest(get("/", "cross-site"), kSelf));
    for (const char* path : {"/events", "/dialer.png", "/settings.png", "/device.js"}) {
        EXPECT_TRUE(refuseRequest(get(path, "cross-site"), kSelf)) << path;
        EXPECT_TRUE(refuseRequest(get(path, "same-site"), kSelf)) << path;
        EXPECT_FALSE(refuseRequest(get(path, "same-origin"), kSelf)) << path;
        EXPECT_FALSE(refuseRequest(get(path, "none"), kSelf)) << path << ": typed into the address bar";
        EXPECT_FALSE(refuseRequest(get(path, std::nullopt), kSelf)) << path;
    }
}

TEST(TouchBody, APointInsideThePageIsAccepted) {
    const auto parsed = parseTouchBody(R"({"y": 812.25, "x": 0})", 900);
    ASSERT_TRUE(std::holds_alternative<TouchPoint>(parsed)) << std::get<std::string>(parsed);
    EXPECT_EQ(std::get<TouchPoint>(parsed).x, 0);
    EXPECT_EQ(std::get<TouchPoint>(parsed).y, 812.25);
    EXPECT_EQ(touchCommand(std::get<TouchPoint>(parsed)), "touch 0.0 812.2");
    EXPECT_EQ(touchCommand({319.96, 1e-9}), "touch 320.0 0.0");
}

TEST(TouchBody, AnythingElseIsRefusedWithAReason) {
    for (const auto& [body, reason] : std::vector<std::pair<std::string, std::string>>{
             {"", "not JSON"},
             {"{\"x\": 1, \"y\": 2", "not JSON"},
             {"[1, 2]", "object"},
             {"{\"x\": 1}", "'y' must be a number"},
             {"{\"x\": \"1\", \"y\": 2}", "'x' must be a number"},
             {"{\"x\": true, \"y\": 2}", "'x' must be a number"},
             {"{\"x\": 1, \"y\": 2, \"command\": \"render /etc/passwd\"}", "unexpected field 'command'"},
             {"{\"x\": -1, \"y\": 2}", "'x' is outside"},
             {"{\"x\": 321, \"y\": 2}", "'x' is outside"},
             {"{\"x\": 1, \"y\": 900.5}", "'y' is outside"},
             {"{\"x\": 1, \"y\": 1e999}", "not JSON"},
             {"{\"x\": 1, \"y\": 2}\n; tap Settings", "not JSON"}}) {
        const auto parsed = parseTouchBody(body, 900);
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << body;
        EXPECT_NE(std::get<std::string>(parsed).find(reason), std::string::npos) << body << ": " << std::get<std::string>(parsed);
    }
}

TEST(ListenAddress, LoopbackAndNamedAddressesWithAPort) {
    const auto v4 = parseListenAddress("127.0.0.1:0");
    ASSERT_TRUE(std::holds_alternative<ListenAddress>(v4));
    EXPECT_EQ(std::get<ListenAddress>(v4).authority(41234), "127.0.0.1:41234");
    const auto v6 = parseListenAddress("[::1]:8080");
    ASSERT_TRUE(std::holds_alternative<ListenAddress>(v6));
    EXPECT_EQ(std::get<ListenAddress>(v6).host, "::1");
    EXPECT_EQ(std::get<ListenAddress>(v6).authority(8080), "[::1]:8080");
    for (const char* text : {"127.0.0.1", "127.0.0.1:", "127.0.0.1:65536", "127.0.0.1:-1", "127.0.0.1:80x",
                             "localhost:80", "::1:8080", "[127.0.0.1]:80", "0.0.0.0:8080", "[::]:8080", ":8080"})
        EXPECT_TRUE(std::holds_alternative<std::string>(parseListenAddress(text))) << text;
    EXPECT_NE(std::get<std::string>(parseListenAddress("0.0.0.0:80")).find("every address"), std::string::npos);
}
