#include "WebServer.h"

#include <httplib.h>

#include <cerrno>
#include <cstring>

#include <nlohmann/json.hpp>

#include "EventStream.h"
#include "PageFiles.h"
#include "RequestGuard.h"
#include "TouchRequest.h"

namespace simulator {
namespace {

std::optional<std::string> header(const httplib::Request& request, const char* name) {
    if (!request.has_header(name)) return std::nullopt;
    return request.get_header_value(name);
}

void refuse(httplib::Response& response, int status, const std::string& message) {
    response.status = status;
    response.set_content(message + "\n", "text/plain; charset=utf-8");
}

void servePicture(httplib::Response& response, const Picture& picture) {
    if (!picture.png) return refuse(response, 503, "no picture yet: the app has not drawn its screen");
    response.set_content(*picture.png, "image/png");
}

bool isJSON(const httplib::Request& request) {
    const std::string type = request.get_header_value("Content-Type");
    return type == "application/json" || type.starts_with("application/json;");
}

}  // namespace

WebServer::WebServer(ListenAddress address, DeviceFeed& feed, SettingsSession& settings)
    : address_(std::move(address)), feed_(feed), settings_(settings), server_(std::make_unique<httplib::Server>()) {
    route();
}

WebServer::~WebServer() = default;

std::optional<std::string> WebServer::bind() {
    if (address_.ipv6) server_->set_address_family(AF_INET6);
    // The library's default also shares the port (SO_REUSEPORT), so a second device on the same
    // address would take half the page's connections: the port is this device's alone. Reusing an
    // address whose old connections linger only lets a device come back on its port at once.
    server_->set_socket_options([](socket_t socket) {
        const int yes = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    errno = 0;
    port_ = address_.port == 0 ? server_->bind_to_any_port(address_.host)
                               : (server_->bind_to_port(address_.host, address_.port) ? address_.port : -1);
    if (port_ <= 0) {
        const int error = errno;
        return "cannot listen on " + address_.authority(address_.port) + (error ? ": " + std::string(std::strerror(error)) : "");
    }
    return std::nullopt;
}

std::string WebServer::url() const { return "http://" + address_.authority(port_) + "/"; }

void WebServer::serve() { server_->listen_after_bind(); }

void WebServer::stop() {
    feed_.close();  // ends the event streams, which hold workers of the server
    {
        // Each stream says the device has ended before the sockets close under it.
        std::unique_lock lock(slotsMutex_);
        slotFreed_.wait_for(lock, 2 * kHeartbeat, [this] { return streams_ == 0; });
    }
    server_->stop();
}

// A stream whose reader left ends at its next heartbeat. One that finds every slot taken calls the
// roll, so the streams of readers that left end now, and takes the first slot one frees.
bool WebServer::takeStreamSlot() {
    std::unique_lock lock(slotsMutex_);
    if (streams_ >= kMostStreams) {
        feed_.callTheRoll();
        slotFreed_.wait_for(lock, 2 * kHeartbeat, [this] { return streams_ < kMostStreams; });
        if (streams_ >= kMostStreams) return false;
    }
    ++streams_;
    return true;
}

void WebServer::freeStreamSlot() {
    {
        std::lock_guard lock(slotsMutex_);
        --streams_;
    }
    slotFreed_.notify_all();
}

void WebServer::route() {
    httplib::Server& server = *server_;
    // A connection holds a worker from the moment it is accepted until it ends. What may hold one
    // for long has a cap of its own (kMostStreams streams, kMostClicks clicks waiting for the
    // Settings app); everything else is short: a request must begin within the keep-alive wait and
    // each read of it must bring bytes within the read timeout, or the connection is dropped. So a
    // client that stalls costs one worker for about a second, the workers far outnumber the caps,
    // and the page's own requests find a free one however many of its streams and clicks are
    // waiting. Should more stalled clients than workers arrive at once, the rest wait in order,
    // each turn about a second.
    server.new_task_queue = [] { return new httplib::ThreadPool(kWorkers); };
    server.set_read_timeout(1, 0);
    server.set_write_timeout(5, 0);
    server.set_keep_alive_timeout(1);
    server.set_payload_max_length(kLargestBody);
    server.set_default_headers({
        {"Cache-Control", "no-store"},
        {"X-Content-Type-Options", "nosniff"},
        {"Content-Security-Policy", "default-src 'self'; frame-ancestors 'none'; form-action 'none'"},
        {"X-Frame-Options", "DENY"},
        {"Referrer-Policy", "no-referrer"},
    });

    server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
        const RequestFacts facts{request.method, request.path, header(request, "Host"), header(request, "Origin"),
                                 header(request, "Sec-Fetch-Site")};
        if (auto refusal = refuseRequest(facts, address_.authority(port_))) {
            refuse(response, refusal->status, refusal->message);
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (!response.body.empty()) return;
        refuse(response, response.status, response.status == 404   ? "no such page"
                                          : response.status == 413 ? "the request body is too large"
                                                                   : "the request is malformed");
    });
    server.set_exception_handler([](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
        refuse(response, 500, "the device could not answer this request");
    });

    server.Get(R"(/|/favicon\.ico|/[A-Za-z0-9_-]+\.(html|css|js|svg))", [](const httplib::Request& request, httplib::Response& response) {
        const auto file = pageFileAt(request.path);
        if (!file) return refuse(response, 404, "no such page");
        response.set_content(std::string(file->bytes), file->contentType);
    });
    server.Get("/dialer.png", [this](const httplib::Request&, httplib::Response& response) {
        servePicture(response, feed_.dialer());
    });
    server.Get("/settings.png", [this](const httplib::Request&, httplib::Response& response) {
        servePicture(response, feed_.settings());
    });
    server.Get("/events", [this](const httplib::Request&, httplib::Response& response) {
        // A page told the device has ended asks again at once: it must not be let in while the
        // server finishes, only to be cut off.
        if (feed_.closed()) return refuse(response, 503, "the device has ended");
        if (!takeStreamSlot()) return refuse(response, 503, "too many event streams are open");
        auto cursor = std::make_shared<FeedCursor>();
        response.set_chunked_content_provider(
            "text/event-stream",
            [this, cursor](size_t, httplib::DataSink& sink) {
                const FeedUpdate update = feed_.next(*cursor, kHeartbeat);
                // A reader that closed its end is found here (the socket reads as ended), not
                // only when a write fails long after.
                if (!sink.is_writable()) return false;
                if (update.closed) {
                    // The page says the device has ended rather than that it waits for it. The
                    // stream ends whole: a browser may drop what came just before a broken one.
                    const std::string last = serverSentEvent("ended", "the device has ended");
                    if (sink.write(last.data(), last.size())) sink.done();
                    return true;
                }
                const std::string messages = eventsForUpdate(update, feed_);
                const std::string_view out = messages.empty() ? kKeepAlive : std::string_view(messages);
                return sink.write(out.data(), out.size());
            },
            [this](bool) { freeStreamSlot(); });
    });
    server.Post("/touch", [this](const httplib::Request& request, httplib::Response& response) {
        if (!isJSON(request)) return refuse(response, 415, "a click is sent as application/json");
        const auto parsed = parseTouchBody(request.body, feed_.settings().heightInPoints);
        if (const auto* problem = std::get_if<std::string>(&parsed)) return refuse(response, 400, *problem);
        // Clicks wait their turn for the Settings app; past a few, a click is refused at once
        // rather than holding a worker for the turns of all before it.
        struct Waiting {
            std::atomic<int>& count;
            ~Waiting() { --count; }
        } waiting{clicks_};
        if (++clicks_ > kMostClicks)
            return refuse(response, 503, "the click was lost: earlier clicks are still waiting for the Settings app");
        const auto acted = settings_.act(touchCommand(std::get<TouchPoint>(parsed)));
        if (const auto* lost = std::get_if<std::string>(&acted)) return refuse(response, 503, *lost);
        const SettingsAnswer* answer = std::get_if<SettingsAnswer>(&acted);
        nlohmann::json events = nlohmann::json::array();
        for (const std::string& line : answer->events) {
            auto event = nlohmann::json::parse(line, nullptr, false);
            events.push_back(event.is_discarded() ? nlohmann::json(line) : std::move(event));
        }
        nlohmann::json body = {{"done", answer->done}, {"events", events}, {"settings", feed_.settings().version}};
        if (!answer->done) body["problem"] = answer->problem;
        if (answer->replayed) body["replayed"] = true;
        // Text from the device that is not UTF-8 is replaced, so the answer is always valid JSON.
        response.set_content(body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace), "application/json");
    });
}

}  // namespace simulator
