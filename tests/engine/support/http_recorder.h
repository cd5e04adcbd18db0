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
    HttpRecorder() : m_listener(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(m_listener, 16) != 0
            || ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot listen on 127.0.0.1");
        m_baseUrl = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
        m_thread = std::jthread([this](std::stop_token stop) {
            while (!stop.stop_requested()) {
                pollfd waiting{m_listener, POLLIN, 0};
                const int connection = ::poll(&waiting, 1, 100) > 0 ? ::accept(m_listener, nullptr, nullptr) : -1;
                if (connection < 0)
                    continue;
                char start[200] = {};
                pollfd readable{connection, POLLIN, 0};
                if (::poll(&readable, 1, 500) > 0)
                    ::recv(connection, start, sizeof start - 1, 0);
                ::close(connection);
                const std::string text(start);
                const std::lock_guard lock(m_mutex);
                m_requests.push_back("connection: " + text.substr(0, text.find_first_of("\r\n")));
            }
        });
    }
    ~HttpRecorder()
    {
        m_thread = {};
        ::close(m_listener);
    }

    const std::string& baseUrl() const { return m_baseUrl; }
    std::vector<std::string> requests() const
    {
        const std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    int m_listener;
    std::string m_baseUrl;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::jthread m_thread;
};

} // namespace plainquill::engine::testing
