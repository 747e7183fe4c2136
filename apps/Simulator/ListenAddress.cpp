#include "ListenAddress.h"

#include <arpa/inet.h>

#include <charconv>
#include <netinet/in.h>

namespace simulator {

std::string ListenAddress::authority(int boundPort) const {
    const std::string shown = ipv6 ? "[" + host + "]" : host;
    return shown + ":" + std::to_string(boundPort);
}

std::variant<ListenAddress, std::string> parseListenAddress(std::string_view text) {
    const std::string problem = "'" + std::string(text) + "' is not ADDR:PORT (as in 127.0.0.1:8080 or [::1]:0)";
    const size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) return problem;
    std::string_view host = text.substr(0, colon);
    const std::string_view portText = text.substr(colon + 1);

    ListenAddress address;
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
        address.ipv6 = true;
    }
    address.host = std::string(host);
    in6_addr bytes{};  // large enough for either family; all zeros is the wildcard of both
    if (::inet_pton(address.ipv6 ? AF_INET6 : AF_INET, address.host.c_str(), &bytes) != 1) return problem;
    if (IN6_IS_ADDR_UNSPECIFIED(&bytes))
        return "'" + address.host + "' is every address: name the one to listen on";

    auto [end, error] = std::from_chars(portText.data(), portText.data() + portText.size(), address.port);
    if (portText.empty() || error != std::errc() || end != portText.data() + portText.size() || address.port < 0 ||
        address.port > 65535)
        return problem;
    return address;
}

}  // namespace simulator
