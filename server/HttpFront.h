#pragma once
// The leaderboard's HTTP/1.1 front. Every socket is served without blocking
// a thread while it waits for bytes, and the whole of each request (header
// and body, then the reply) must fit within one deadline: a client that
// trickles its request holds nothing but its own socket, and loses that
// when the deadline passes. Headers have a size limit; a body with any
// Content-Encoding or over the size limit is refused before it is read.

#include <chrono>
#include <memory>
#include <string>

namespace velmora::server {

class Api;

struct FrontOptions {
    std::string listen = "127.0.0.1";
    unsigned short port = 8642;  // 0: any free port (see HttpFront::port)
    int threads = 4;
    std::chrono::milliseconds deadline{10000};
    std::size_t headerLimit = 8 * 1024;
    std::size_t bodyLimit = 512 * 1024;
    std::size_t maxConnections = 2000;
};

class HttpFront {
public:
    // Binds at once (throws when it cannot); serves once started. Each
    // thread keeps its own database connection.
    HttpFront(const FrontOptions& options, Api& api, const std::string& connectionInfo);
    ~HttpFront();

    unsigned short port() const;
    void start();
    void stop();  // waits for the threads

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace velmora::server
