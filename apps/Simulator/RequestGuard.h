#pragma once
// Who may talk to the device page. The device listens on a loopback address, but any web page open
// in the same browser can send requests there: a request must name this server as its Host (so a
// name rebound to 127.0.0.1 gets nowhere) and anything that acts on the device must come from the
// device page itself.

#include <optional>
#include <string>

namespace simulator {

struct RequestFacts {
    std::string method;                     // "GET", "POST", ...
    std::string path;                       // without the query
    std::optional<std::string> host;        // the Host header
    std::optional<std::string> origin;      // the Origin header
    std::optional<std::string> fetchSite;   // the Sec-Fetch-Site header
};

struct Refusal {
    int status;           // 403
    std::string message;  // said to the client
};

// Nothing when the request may go on. `authority` is the server's own "ADDR:PORT".
std::optional<Refusal> refuseRequest(const RequestFacts& request, const std::string& authority);

}  // namespace simulator
