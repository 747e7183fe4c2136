#pragma once
// The address the device page is served on: "ADDR:PORT", an IPv4 address or a bracketed IPv6 one.

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace simulator {

struct ListenAddress {
    std::string host;  // as the socket takes it: "127.0.0.1", "::1"
    int port = 0;      // 0: any free port
    bool ipv6 = false;

    // What a browser sends as Host for this address: "127.0.0.1:8080", "[::1]:8080".
    std::string authority(int boundPort) const;
};

// The address, or why the text names none. Wildcard addresses are refused: a request's Host could
// then not be checked against the address it came to.
std::variant<ListenAddress, std::string> parseListenAddress(std::string_view text);

}  // namespace simulator
