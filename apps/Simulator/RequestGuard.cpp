#include "RequestGuard.h"

namespace simulator {
namespace {

// The page itself may be opened from anywhere (a link, a bookmark); what it loads and what acts on
// the device must not be reachable from another site's page.
bool isOpeningThePage(const RequestFacts& request) { return request.method == "GET" && request.path == "/"; }

bool changesTheDevice(const RequestFacts& request) { return request.method != "GET" && request.method != "HEAD"; }

}  // namespace

std::optional<Refusal> refuseRequest(const RequestFacts& request, const std::string& authority) {
    if (!request.host || *request.host != authority)
        return Refusal{403, "this device answers only to Host " + authority};
    const std::string self = "http://" + authority;
    if (changesTheDevice(request)) {
        // Browsers send Origin with every POST; a program that sends none is not a web page.
        if (request.origin && *request.origin != self)
            return Refusal{403, "requests that act on the device must come from " + self + "/"};
        if (request.fetchSite && *request.fetchSite != "same-origin")
            return Refusal{403, "requests that act on the device must come from the device page"};
        return std::nullopt;
    }
    if (!isOpeningThePage(request) && request.fetchSite && *request.fetchSite != "same-origin" &&
        *request.fetchSite != "none")
        return Refusal{403, "the device's pictures and events are for the device page only"};
    return std::nullopt;
}

}  // namespace simulator
