// A program of our own, started where LibreOffice would be and confined as it would be, tries
// every way out it can think of; each must be closed, where this kernel offers what closes it.
#include "engine/libreoffice/confinement.h"
#include "engine/libreoffice/process_group.h"
#include "tests/engine/support/test_files.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace plainquill::engine::libreoffice {
namespace {

using namespace std::chrono_literals;
using testing::readBytes;
using testing::TemporaryFolder;
using testing::writeBytes;

// A socket the stand-in may try to reach; it is closed with this object.
class Listener {
public:
    Listener(int domain, int type) : m_fd(::socket(domain, type | SOCK_CLOEXEC, 0)) {}
    ~Listener() { ::close(m_fd); }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    // On 127.0.0.1, at a port of the kernel's choosing; gives the port.
    std::string onLoopback()
    {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        EXPECT_EQ(::bind(m_fd, reinterpret_cast<sockaddr*>(&address), length), 0);
        ::listen(m_fd, 4); // only streams listen; a datagram socket just receives
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length);
        return std::to_string(ntohs(address.sin_port));
    }
    // At `name`: a path, or an abstract name when `abstract`.
    void at(const std::string& name, bool abstract)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + (abstract ? 1 : 0), name.data(), name.size());
        const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size() + (abstract ? 1 : 0));
        EXPECT_EQ(::bind(m_fd, reinterpret_cast<sockaddr*>(&address), size), 0) << name;
        EXPECT_EQ(::listen(m_fd, 4), 0);
    }
    bool received() const
    {
        pollfd waiting{m_fd, POLLIN, 0};
        return ::poll(&waiting, 1, 0) > 0;
    }

private:
    int m_fd;
};

// A file in a folder every program shares, removed with this object if it is still there.
struct SharedFile {
    explicit SharedFile(const std::filesystem::path& folder)
        : path(folder / ("plainquill-escape-" + std::to_string(::getpid())))
    {
        writeBytes(path, "not the stand-in's");
    }
    ~SharedFile() { std::filesystem::remove(path); }
    std::filesystem::path path;
};

enum class ClosedBy { Landlock, Namespaces, Scopes };

struct Way {
    const char* name;
    ClosedBy closedBy;
};

constexpr Way kWaysOut[] = {
    {"run the shell", ClosedBy::Landlock},
    {"run a file it wrote", ClosedBy::Landlock},
    {"map a file it wrote to run", ClosedBy::Namespaces},
    {"delete in /tmp", ClosedBy::Namespaces},
    {"delete in /var/tmp", ClosedBy::Namespaces},
    {"connect to a socket in /tmp", ClosedBy::Namespaces},
    {"connect to an abstract socket", ClosedBy::Namespaces},
    {"send UDP to the loopback", ClosedBy::Namespaces},
    {"connect over TCP to the loopback", ClosedBy::Namespaces},
    {"signal a process outside", ClosedBy::Scopes},
};

bool offered(ClosedBy closedBy, const ConfinementFeatures& features)
{
    switch (closedBy) {
    case ClosedBy::Landlock:
        return features.landlockAbi > 0;
    case ClosedBy::Namespaces:
        return features.landlockAbi > 0 && features.privateNamespaces;
    case ClosedBy::Scopes:
        return features.landlockAbi >= kLandlockScopesAbi;
    }
    return false;
}

std::map<std::string, std::string> reportedLines(const std::string& report)
{
    std::map<std::string, std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = report.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = report.substr(start, end - start);
        const auto colon = line.find(": ");
        lines[line.substr(0, colon)] = line.substr(colon + 2);
    }
    return lines;
}

// As the stand-in reports it: the user's entry, and how many entries its database holds.
std::string ownUserEntry(bool aloneInItsDatabase)
{
    int entries = 1;
    if (!aloneInItsDatabase) {
        entries = 0;
        ::setpwent();
        while (::getpwent() != nullptr)
            ++entries;
        ::endpwent();
    }
    const passwd* entry = ::getpwuid(::getuid());
    if (entry == nullptr)
        return "none";
    return std::string(entry->pw_name) + ":" + entry->pw_gecos + ":" + entry->pw_dir + ":" + entry->pw_shell + " of "
         + std::to_string(entries);
}

TEST(Confinement, AProgramInLibreOfficesPlaceFindsEveryWayOutClosed)
{
    const ConfinementFeatures features = confinementFeatures();
    const TemporaryFolder privateFolder;
    const SharedFile inTmp("/tmp");
    const SharedFile inVarTmp("/var/tmp");
    const std::string unique = "plainquill-escape-" + std::to_string(::getpid());
    Listener pathSocket(AF_UNIX, SOCK_STREAM);
    pathSocket.at("/tmp/" + unique + ".socket", false);
    const std::string socketPath = "/tmp/" + unique + ".socket";
    Listener abstractSocket(AF_UNIX, SOCK_STREAM);
    abstractSocket.at(unique, true);
    Listener udp(AF_INET, SOCK_DGRAM);
    const std::string udpPort = udp.onLoopback();
    Listener tcp(AF_INET, SOCK_STREAM);
    const std::string tcpPort = tcp.onLoopback();

    const Confinement confinement(PLAINQUILL_STAND_IN, privateFolder.path());
    const std::filesystem::path inside = confinement.folderInside();
    {
        ProcessGroup standIn(confinement.entry(),
                             {"report=" + (inside / "report").string(), "own-folder=" + inside.string(),
                              "tmp-victim=" + inTmp.path.string(), "var-tmp-victim=" + inVarTmp.path.string(),
                              "socket=" + socketPath, "abstract=" + unique, "udp=" + udpPort, "tcp=" + tcpPort,
                              "signal=" + std::to_string(::getpid())},
                             confinement.environment({}), confinement.limits(0));
        ASSERT_TRUE(standIn.waitForExit(30s));
    }
    std::filesystem::remove(socketPath);
    const auto report = reportedLines(readBytes(privateFolder / "report"));

    for (const Way& way : kWaysOut) {
        if (!offered(way.closedBy, features))
            continue; // the warning says so
        EXPECT_EQ(report.count(way.name) == 1 ? report.at(way.name) : "not tried", "closed") << way.name;
    }
    if (offered(ClosedBy::Namespaces, features)) {
        EXPECT_TRUE(std::filesystem::exists(inTmp.path)) << "deleted from the shared /tmp";
        EXPECT_FALSE(udp.received()) << "a datagram reached the machine's loopback";
    }
    // LibreOffice names its pipe after the user it looks up: it must find itself, and only itself.
    EXPECT_EQ(report.count("user") == 1 ? report.at("user") : "", ownUserEntry(features.privateNamespaces));
}

} // namespace
} // namespace plainquill::engine::libreoffice
