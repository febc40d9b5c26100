#pragma once
// One HTTP request at a time over libcurl, for the leaderboard sender's
// thread: never called from a frame. Each request has a short connect and
// overall time limit, and ends early once `cancelled` reads true, so closing
// the game never waits on a server that stopped answering.

#include <atomic>
#include <string>

namespace velmora::app {

struct HttpReply {
    long status = 0;     // 0: no answer (error says why)
    std::string body;
    std::string error;   // libcurl's line when there was no answer
};

struct HttpRequest {
    std::string method = "GET";  // GET or POST
    std::string url;
    std::string body;            // POST's
    std::string contentType;     // POST's
    std::string bearer;          // a token for the Authorization header, or none
};

class HttpClient {
public:
    explicit HttpClient(const std::atomic<bool>& cancelled);
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    HttpReply send(const HttpRequest& request);

private:
    void* curl_;  // CURL*, kept for its connection to the server
    const std::atomic<bool>& cancelled_;
};

}  // namespace velmora::app
