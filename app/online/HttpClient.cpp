#include "app/online/HttpClient.h"

#include <curl/curl.h>

#include <mutex>

namespace velmora::app {

namespace {

constexpr long kConnectSeconds = 5;
constexpr long kRequestSeconds = 20;
constexpr std::size_t kLongestReply = 1024 * 1024;  // a replay is at most 512 KiB

size_t collect(char* data, size_t size, size_t count, void* target) {
    std::string& body = *static_cast<std::string*>(target);
    if (body.size() + size * count > kLongestReply) return 0;  // ends the transfer
    body.append(data, size * count);
    return size * count;
}

int stopWhenCancelled(void* cancelled, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<const std::atomic<bool>*>(cancelled)->load() ? 1 : 0;
}

}  // namespace

HttpClient::HttpClient(const std::atomic<bool>& cancelled) : curl_(nullptr), cancelled_(cancelled) {
    // Not thread-safe in older libcurl: once per process, before any handle.
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    curl_ = curl_easy_init();
}

HttpClient::~HttpClient() {
    if (curl_ != nullptr) curl_easy_cleanup(static_cast<CURL*>(curl_));
}

HttpReply HttpClient::send(const HttpRequest& request) {
    HttpReply reply;
    CURL* curl = static_cast<CURL*>(curl_);
    if (curl == nullptr) {
        reply.error = "libcurl could not start";
        return reply;
    }
    curl_easy_reset(curl);
    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    // Signals for timeouts are process-wide; the game's other threads must not get them.
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, kRequestSeconds);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply.body);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, stopWhenCancelled);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(&cancelled_));
    curl_slist* headers = nullptr;
    if (!request.bearer.empty()) {
        headers = curl_slist_append(headers, ("Authorization: Bearer " + request.bearer).c_str());
    }
    if (request.method == "POST") {
        headers = curl_slist_append(headers, ("Content-Type: " + request.contentType).c_str());
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.data());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    }
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
    const CURLcode done = curl_easy_perform(curl);
    if (done == CURLE_OK) {
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
    } else {
        reply.error = error[0] != '\0' ? error : curl_easy_strerror(done);
        reply.body.clear();
    }
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(headers);
    return reply;
}

}  // namespace velmora::app
