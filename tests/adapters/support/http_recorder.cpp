#include "tests/adapters/support/http_recorder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace plainquill::adapters::testing {
namespace {

std::string first_line_of_request(int connection)
{
    std::string received;
    char buffer[2048];
    while (received.find('\n') == std::string::npos && received.size() < 8192) {
        pollfd waiting{connection, POLLIN, 0};
        if (::poll(&waiting, 1, 500) <= 0)
            break;
        const ssize_t count = ::recv(connection, buffer, sizeof buffer, 0);
        if (count <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(count));
    }
    const std::size_t end = received.find_first_of("\r\n");
    return end == std::string::npos ? "(connection: " + received + ")" : received.substr(0, end);
}

} // namespace

HttpRecorder::HttpRecorder(std::chrono::seconds lifetime)
{
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::listen(listener_, 16) != 0
        || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener_ >= 0)
            ::close(listener_);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    const auto end = std::chrono::steady_clock::now() + lifetime;
    thread_ = std::jthread([this, end](std::stop_token stop) { serve(stop, end); });
}

HttpRecorder::~HttpRecorder()
{
    thread_.request_stop();
    if (thread_.joinable())
        thread_.join();
    ::close(listener_);
}

std::string HttpRecorder::base_url() const
{
    return "http://127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> HttpRecorder::requests() const
{
    const std::lock_guard lock(mutex_);
    return requests_;
}

void HttpRecorder::serve(std::stop_token stop, std::chrono::steady_clock::time_point end)
{
    while (!stop.stop_requested() && std::chrono::steady_clock::now() < end) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 100) <= 0)
            continue;
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        const std::string request = first_line_of_request(connection);
        static constexpr char answer[] = "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        ::send(connection, answer, sizeof answer - 1, MSG_NOSIGNAL);
        ::close(connection);
        const std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
}

} // namespace plainquill::adapters::testing
