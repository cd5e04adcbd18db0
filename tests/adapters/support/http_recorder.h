#pragma once
// A bounded HTTP server on 127.0.0.1 that answers every request with 404 and remembers its
// request line: a test points a document's external references at it and checks that nothing
// came. It stops by itself after `lifetime` even if nobody stops it.
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace plainquill::adapters::testing {

class HttpRecorder {
public:
    explicit HttpRecorder(std::chrono::seconds lifetime = std::chrono::seconds(120));
    ~HttpRecorder();
    HttpRecorder(const HttpRecorder&) = delete;
    HttpRecorder& operator=(const HttpRecorder&) = delete;

    // "http://127.0.0.1:<port>"
    std::string base_url() const;
    // Request lines seen so far ("GET /a.png HTTP/1.1"); a connection that sent nothing counts too.
    std::vector<std::string> requests() const;

private:
    void serve(std::stop_token stop, std::chrono::steady_clock::time_point end);

    int listener_ = -1;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::jthread thread_;
};

} // namespace plainquill::adapters::testing
