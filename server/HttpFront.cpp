// The only file that includes Beast and Asio: they cost more to compile than
// the rest of the server together.
#include "server/HttpFront.h"

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <nlohmann/json.hpp>

#include "server/Api.h"
#include "server/Store.h"

namespace velmora::server {

namespace {

namespace beast = boost::beast;
namespace http = beast::http;
namespace net = boost::asio;
using tcp = net::ip::tcp;

// One thread, one io_context and one database connection: a connection's
// handlers all run on the thread that owns its Store.
struct Worker {
    explicit Worker(const std::string& connectionInfo) : store(connectionInfo) {}
    net::io_context context{1};
    net::executor_work_guard<net::io_context::executor_type> guard = net::make_work_guard(context);
    Store store;
    std::thread thread;
};

struct Shared {
    const FrontOptions& options;
    Api& api;
    std::atomic<std::size_t> connections{0};
};

class Session : public std::enable_shared_from_this<Session> {
public:
    Session(tcp::socket socket, Shared& shared, Store& store)
        : stream_(std::move(socket)), shared_(shared), store_(store) {
        beast::error_code ignored;
        peer_ = stream_.socket().remote_endpoint(ignored).address().to_string();
        ++shared_.connections;
    }
    ~Session() { --shared_.connections; }

    void readHeader() {
        parser_.emplace();
        parser_->header_limit(static_cast<std::uint32_t>(shared_.options.headerLimit));
        parser_->body_limit(shared_.options.bodyLimit);
        // One deadline for the header and the body together.
        stream_.expires_after(shared_.options.deadline);
        http::async_read_header(stream_, buffer_, *parser_,
                                [self = shared_from_this()](beast::error_code ec, std::size_t) { self->onHeader(ec); });
    }

private:
    void onHeader(beast::error_code ec) {
        if (ec == http::error::header_limit) return refuse(431, "the request's header is too large");
        // The parser finds a stated length over the limit with the header.
        if (ec == http::error::body_limit) return refuse(413, "a replay is at most 512 KiB");
        if (ec) return;  // closed, too slow, or not HTTP: nothing to answer
        const auto& request = parser_->get();
        // A compressed body could inflate past any limit: none is taken.
        if (request.find(http::field::content_encoding) != request.end()) {
            return refuse(415, "no Content-Encoding is accepted");
        }
        const auto length = parser_->content_length();
        if (length && *length > shared_.options.bodyLimit) return refuse(413, "a replay is at most 512 KiB");
        if (parser_->is_done()) return dispatch();
        http::async_read(stream_, buffer_, *parser_,
                         [self = shared_from_this()](beast::error_code ec, std::size_t) { self->onBody(ec); });
    }

    void onBody(beast::error_code ec) {
        if (ec == http::error::body_limit) return refuse(413, "a replay is at most 512 KiB");
        if (ec) return;
        dispatch();
    }

    void dispatch() {
        auto& request = parser_->get();
        ApiRequest call;
        call.method = std::string(request.method_string());
        call.target = std::string(request.target());
        call.authorization = std::string(request[http::field::authorization]);
        call.body = std::move(request.body());
        call.peer = peer_;
        send(shared_.api.handle(call, store_), request.keep_alive(), request.version());
    }

    void refuse(int status, const std::string& line) {
        send(ApiResponse{status, nlohmann::json{{"error", line}}.dump() + "\n"}, false, 11);
    }

    void send(const ApiResponse& answer, bool keepAlive, unsigned version) {
        response_.emplace(static_cast<http::status>(answer.status), version);
        response_->set(http::field::content_type, answer.contentType);
        response_->keep_alive(keepAlive);
        response_->body() = answer.body;
        response_->prepare_payload();
        stream_.expires_after(shared_.options.deadline);
        http::async_write(stream_, *response_,
                          [self = shared_from_this(), keepAlive](beast::error_code ec, std::size_t) {
                              self->onWritten(ec, keepAlive);
                          });
    }

    void onWritten(beast::error_code ec, bool keepAlive) {
        if (ec) return;
        if (keepAlive) return readHeader();
        // Closing with unread bytes would reset the connection and could
        // lose the reply: stop sending, then read what the client still
        // sends until it closes or the deadline passes.
        beast::error_code ignored;
        stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
        drain();
    }

    void drain() {
        stream_.async_read_some(net::buffer(scratch_), [self = shared_from_this()](beast::error_code ec, std::size_t) {
            if (!ec) self->drain();
        });
    }

    beast::tcp_stream stream_;
    Shared& shared_;
    Store& store_;
    std::string peer_;
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
    std::optional<http::response<http::string_body>> response_;
    char scratch_[4096];
};

}  // namespace

struct HttpFront::Impl {
    Impl(const FrontOptions& options, Api& api, const std::string& connectionInfo)
        : options(options), shared{this->options, api} {
        for (int i = 0; i < std::max(1, options.threads); ++i) {
            workers.push_back(std::make_unique<Worker>(connectionInfo));
        }
        acceptor.emplace(workers.front()->context);
        const tcp::endpoint endpoint(net::ip::make_address(options.listen), options.port);
        acceptor->open(endpoint.protocol());
        acceptor->set_option(net::socket_base::reuse_address(true));
        acceptor->bind(endpoint);
        acceptor->listen(net::socket_base::max_listen_connections);
    }

    void accept() {
        Worker& next = *workers[nextWorker++ % workers.size()];
        acceptor->async_accept(next.context, [this, &next](beast::error_code ec, tcp::socket socket) {
            if (!ec && shared.connections < options.maxConnections) {
                auto session = std::make_shared<Session>(std::move(socket), shared, next.store);
                net::post(next.context, [session] { session->readHeader(); });
            }
            if (acceptor->is_open()) accept();
        });
    }

    FrontOptions options;
    Shared shared;
    std::vector<std::unique_ptr<Worker>> workers;
    std::optional<tcp::acceptor> acceptor;
    std::size_t nextWorker = 0;
    bool started = false;
};

HttpFront::HttpFront(const FrontOptions& options, Api& api, const std::string& connectionInfo)
    : impl_(std::make_unique<Impl>(options, api, connectionInfo)) {}

HttpFront::~HttpFront() { stop(); }

unsigned short HttpFront::port() const { return impl_->acceptor->local_endpoint().port(); }

void HttpFront::start() {
    if (impl_->started) return;
    impl_->started = true;
    impl_->accept();
    for (auto& worker : impl_->workers) {
        worker->thread = std::thread([&context = worker->context] { context.run(); });
    }
}

void HttpFront::stop() {
    if (!impl_->started) return;
    impl_->started = false;
    for (auto& worker : impl_->workers) worker->context.stop();
    for (auto& worker : impl_->workers) {
        if (worker->thread.joinable()) worker->thread.join();
    }
    beast::error_code ignored;
    impl_->acceptor->close(ignored);
}

}  // namespace velmora::server
