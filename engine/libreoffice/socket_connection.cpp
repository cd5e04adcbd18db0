#include "engine/libreoffice/socket_connection.h"

#include "engine/libreoffice/uno_strings.h"

#include <com/sun/star/io/IOException.hpp>
#include <cppuhelper/implbase1.hxx>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace plainquill::engine::libreoffice {
namespace {

namespace fs = std::filesystem;
using css::uno::Sequence;

class SocketConnection final : public cppu::WeakImplHelper1<css::connection::XConnection> {
public:
    SocketConnection(int fd, const fs::path& path) : m_fd(fd), m_description(toUno("socket:" + path.string())) {}
    ~SocketConnection() override { ::close(m_fd); }

    sal_Int32 SAL_CALL read(Sequence<sal_Int8>& bytes, sal_Int32 count) override
    {
        if (m_closed)
            throw css::io::IOException("the connection is closed");
        bytes.realloc(count);
        sal_Int32 got = 0;
        while (got < count) {
            const ssize_t result = ::recv(m_fd, bytes.getArray() + got, static_cast<std::size_t>(count - got), 0);
            if (result < 0 && errno == EINTR)
                continue;
            if (result <= 0)
                break; // closed by either end: the bridge takes a short read as the end
            got += static_cast<sal_Int32>(result);
        }
        return got;
    }

    void SAL_CALL write(const Sequence<sal_Int8>& bytes) override
    {
        if (m_closed)
            throw css::io::IOException("the connection is closed");
        std::size_t sent = 0;
        const auto size = static_cast<std::size_t>(bytes.getLength());
        while (sent < size) {
            // Not a signal that would end us when LibreOffice is gone: an error the bridge reports.
            const ssize_t result = ::send(m_fd, bytes.getConstArray() + sent, size - sent, MSG_NOSIGNAL);
            if (result < 0 && errno == EINTR)
                continue;
            if (result < 0)
                throw css::io::IOException(toUno(std::string("cannot write to LibreOffice: ") + std::strerror(errno)));
            sent += static_cast<std::size_t>(result);
        }
    }

    void SAL_CALL flush() override {}

    void SAL_CALL close() override
    {
        // Wakes a reader blocked in recv; the descriptor itself stays until no call can use it.
        if (!m_closed.exchange(true))
            ::shutdown(m_fd, SHUT_RDWR);
    }

    rtl::OUString SAL_CALL getDescription() override { return m_description; }

private:
    const int m_fd;
    const rtl::OUString m_description;
    std::atomic<bool> m_closed = false;
};

// A socket's address holds 107 bytes of path; a longer one is reached through its folder's
// descriptor, which /proc names briefly.
class ShortPath {
public:
    explicit ShortPath(const fs::path& path)
    {
        if (path.native().size() < sizeof(sockaddr_un::sun_path)) {
            m_path = path;
            return;
        }
        m_folder = ::open(path.parent_path().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        m_path = m_folder < 0 ? path : fs::path("/proc/self/fd") / std::to_string(m_folder) / path.filename();
    }
    ~ShortPath()
    {
        if (m_folder >= 0)
            ::close(m_folder);
    }
    ShortPath(const ShortPath&) = delete;
    ShortPath& operator=(const ShortPath&) = delete;
    const fs::path& path() const { return m_path; }

private:
    int m_folder = -1;
    fs::path m_path;
};

} // namespace

css::uno::Reference<css::connection::XConnection> connectToSocket(const fs::path& path)
{
    const ShortPath shortPath(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (shortPath.path().native().size() >= sizeof address.sun_path)
        throw std::system_error(ENAMETOOLONG, std::generic_category(), "cannot reach LibreOffice's pipe " + path.string());
    std::memcpy(address.sun_path, shortPath.path().c_str(), shortPath.path().native().size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::system_error(errno, std::generic_category(), "cannot make a socket");
    int result = 0;
    do {
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int error = errno;
        ::close(fd);
        if (error == ENOENT || error == ECONNREFUSED)
            return {};
        throw std::system_error(error, std::generic_category(), "cannot reach LibreOffice's pipe " + path.string());
    }
    return new SocketConnection(fd, path);
}

} // namespace plainquill::engine::libreoffice
