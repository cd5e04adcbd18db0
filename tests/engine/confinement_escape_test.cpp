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

// A socket bound where the stand-in may try to reach it; closed with this object.
struct Listener {
    template <class Address>
    Listener(int type, const Address& address, socklen_t size)
        : fd(::socket(reinterpret_cast<const sockaddr&>(address).sa_family, type | SOCK_CLOEXEC, 0))
    {
        EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), size), 0);
        if (type == SOCK_STREAM) {
            EXPECT_EQ(::listen(fd, 4), 0);
        }
    }
    ~Listener() { ::close(fd); }
    std::string port() const
    {
        sockaddr_in address{};
        socklen_t size = sizeof address;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
        return std::to_string(ntohs(address.sin_port));
    }
    bool received() const
    {
        pollfd waiting{fd, POLLIN, 0};
        return ::poll(&waiting, 1, 0) > 0;
    }
    int fd;
};

Listener onLoopback(int type)
{
    const sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    return {type, address, sizeof address};
}

Listener atUnixName(const std::string& name, bool abstract)
{
    sockaddr_un address{AF_UNIX, {}};
    std::memcpy(address.sun_path + (abstract ? 1 : 0), name.data(), name.size());
    return {SOCK_STREAM, address, socklen_t(offsetof(sockaddr_un, sun_path) + name.size() + (abstract ? 1 : 0))};
}

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

// Each way out, and what closes it beside Landlock: namespaces of its own, Landlock's scopes.
struct Way {
    const char* name;
    bool byNamespaces;
    bool byScopes;
};

constexpr Way kWaysOut[] = {
    {"run the shell", false, false},
    {"run a file it wrote", false, false},
    {"map a file it wrote to run", true, false},
    {"delete in /tmp", true, false},
    {"delete in /var/tmp", true, false},
    {"connect to a socket in /tmp", true, false},
    {"connect to an abstract socket", true, false},
    {"send UDP to the loopback", true, false},
    {"connect over TCP to the loopback", true, false},
    {"signal a process outside", false, true},
};

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

std::string ownUserEntry()
{
    const passwd* entry = ::getpwuid(::getuid());
    return entry == nullptr ? "none"
                            : std::string(entry->pw_name) + ":" + entry->pw_gecos + ":" + entry->pw_dir + ":" + entry->pw_shell;
}

TEST(Confinement, AProgramInLibreOfficesPlaceFindsEveryWayOutClosed)
{
    const ConfinementFeatures features = confinementFeatures();
    const TemporaryFolder privateFolder;
    const SharedFile inTmp("/tmp");
    const SharedFile inVarTmp("/var/tmp");
    const std::string unique = "plainquill-escape-" + std::to_string(::getpid());
    const std::string socketPath = "/tmp/" + unique + ".socket";
    const Listener pathSocket = atUnixName(socketPath, false);
    const Listener abstractSocket = atUnixName(unique, true);
    const Listener udp = onLoopback(SOCK_DGRAM);
    const Listener tcp = onLoopback(SOCK_STREAM);

    const Confinement confinement(PLAINQUILL_STAND_IN, privateFolder.path());
    const std::filesystem::path inside = confinement.folderInside();
    {
        ProcessGroup standIn(confinement.entry(),
                             {(inside / "report").string(), inside.string(), inTmp.path.string(), inVarTmp.path.string(),
                              socketPath, unique, udp.port(), tcp.port(), std::to_string(::getpid())},
                             confinement.environment({}), confinement.limits(0));
        ASSERT_TRUE(standIn.waitForExit(30s));
    }
    std::filesystem::remove(socketPath);
    const auto report = reportedLines(readBytes(privateFolder / "report"));
    ASSERT_TRUE(std::filesystem::exists(privateFolder / "run-me")) << "it could not write its own folder";

    if (features.landlockAbi == 0)
        GTEST_SKIP() << "this kernel has no Landlock";
    for (const Way& way : kWaysOut) {
        if ((way.byNamespaces && !features.privateNamespaces) || (way.byScopes && features.landlockAbi < kLandlockScopesAbi))
            continue; // the warning says so
        EXPECT_EQ(report.count(way.name) == 1 ? report.at(way.name) : "not tried", "closed") << way.name;
    }
    if (features.privateNamespaces) {
        EXPECT_TRUE(std::filesystem::exists(inTmp.path)) << "deleted from the shared /tmp";
        EXPECT_FALSE(udp.received()) << "a datagram reached the machine's loopback";
    }
    // LibreOffice names its pipe after the user it looks up: it must find itself, and only itself.
    const std::string user = report.count("user") == 1 ? report.at("user") : "";
    EXPECT_EQ(user.substr(0, user.rfind(" of ")), ownUserEntry());
    if (features.privateNamespaces) {
        EXPECT_TRUE(user.ends_with(" of 1")) << user;
    }
}

} // namespace
} // namespace plainquill::engine::libreoffice
