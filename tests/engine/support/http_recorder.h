#pragma once
// A server on 127.0.0.1 that answers nothing and keeps the first line of every request made to it.
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace plainquill::engine::testing {

class HttpRecorder {
public:
    HttpRecorder() : listener_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(listener_, 16) != 0
            || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot listen on 127.0.0.1");
        base_url_ = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
        thread_ = std::jthread([this](std::stop_token stop) {
            while (!stop.stop_requested()) {
                pollfd waiting{listener_, POLLIN, 0};
                const int connection = ::poll(&waiting, 1, 100) > 0 ? ::accept(listener_, nullptr, nullptr) : -1;
                if (connection < 0)
                    continue;
                char start[200] = {};
                pollfd readable{connection, POLLIN, 0};
                if (::poll(&readable, 1, 500) > 0)
                    ::recv(connection, start, sizeof start - 1, 0);
                ::close(connection);
                const std::string text(start);
                const std::lock_guard lock(mutex_);
                requests_.push_back("connection: " + text.substr(0, text.find_first_of("\r\n")));
            }
        });
    }
    ~HttpRecorder()
    {
        thread_ = {};
        ::close(listener_);
    }

    const std::string& base_url() const { return base_url_; }
    std::vector<std::string> requests() const
    {
        const std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    int listener_;
    std::string base_url_;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::jthread thread_;
};

} // namespace plainquill::engine::testing
